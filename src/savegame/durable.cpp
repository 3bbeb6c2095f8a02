#include "durable.h"

#include <fcntl.h>
#include <filesystem>
#include <unistd.h>

namespace tessal {

// The file's bytes were synced before it was linked in; the rename too must reach the disk.
// The new save is in place by now, whatever this meets: a folder the player may write but not
// open is synced with the rest of the machine.
std::optional<std::string> makeDurable(const std::string& path) {
    const std::filesystem::path file(path);
    const std::string folder = file.has_parent_path() ? file.parent_path().string() : ".";
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) {
        ::sync();
        return std::nullopt;
    }
    ::fsync(fd);
    ::close(fd);
    return std::nullopt;
}

} // namespace tessal
