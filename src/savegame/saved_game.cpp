#include "saved_game.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace tessal {

namespace fs = std::filesystem;

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

std::string joinPath(std::string_view folder, std::string_view name) {
    std::string path(folder);
    if (path.empty() || path.back() != '/')
        path += '/';
    path += name;
    return path;
}

std::string savedGamePath(std::string_view folder, std::string_view gameName) {
    std::string fileName(kFilePrefix);
    fileName += gameName;
    fileName += kFileSuffix;
    return joinPath(folder, fileName);
}

namespace {

// The code point that starts at `at` and its length in bytes; a byte that starts no sound
// UTF-8 sequence stands for itself.
std::pair<char32_t, std::size_t> codePointAt(std::string_view text, std::size_t at) {
    const auto lead = static_cast<unsigned char>(text[at]);
    const std::size_t length = lead < 0xc0 ? 1 : lead < 0xe0 ? 2 : lead < 0xf0 ? 3 : 4;
    if (length == 1 || at + length > text.size())
        return {lead, 1};
    char32_t point = lead & (0x7f >> length);
    for (std::size_t k = 1; k < length; ++k) {
        const auto next = static_cast<unsigned char>(text[at + k]);
        if ((next & 0xc0) != 0x80)
            return {lead, 1};
        point = point << 6 | (next & 0x3f);
    }
    return {point, length};
}

} // namespace

bool disturbsText(char32_t c) {
    return c < 0x20 || (c >= 0x7f && c <= 0x9f) ||                       // C0, DEL, C1
           c == 0x2028 || c == 0x2029 ||                                 // line, paragraph
           c == 0x061c || c == 0x200e || c == 0x200f ||                  // bidi marks
           (c >= 0x202a && c <= 0x202e) || (c >= 0x2066 && c <= 0x2069); // embeds, isolates
}

bool isAcceptableGameName(std::string_view gameName) {
    for (std::size_t at = 0; at < gameName.size();) {
        const auto [point, length] = codePointAt(gameName, at);
        if (point == '/' || point == '\\' || disturbsText(point))
            return false;
        at += length;
    }
    return true;
}

std::optional<std::string> gameNameOf(std::string_view fileName) {
    if (fileName.size() < kFilePrefix.size() + kFileSuffix.size() ||
        !fileName.starts_with(kFilePrefix) || !fileName.ends_with(kFileSuffix))
        return std::nullopt;
    return std::string(fileName.substr(kFilePrefix.size(),
                                       fileName.size() - kFilePrefix.size() - kFileSuffix.size()));
}

std::string boardBytes(const Cells& cells) {
    std::string bytes;
    bytes.reserve(kCellCount * 4);
    for (int cell : kBoardOrder) {
        const std::string text = cells.text(cell);
        bytes += cells.colour(cell) == kGivenColour ? 'G' : 'J';
        bytes += text.empty() ? std::string("0") : text;
        bytes += "\r\n";
    }
    return bytes;
}

std::optional<SavedBoard> parseBoard(std::string_view bytes, bool wholeFile) {
    SavedBoard board;
    if (bytes.starts_with(kByteOrderMark))
        bytes.remove_prefix(kByteOrderMark.size());
    std::size_t start = 0;
    for (int n = 0; n < kCellCount; ++n) {
        if (start >= bytes.size())
            return std::nullopt; // fewer than 81 lines
        std::size_t end = bytes.find('\n', start);
        if (end == std::string_view::npos) {
            if (!wholeFile)
                return std::nullopt; // the line runs past what was read
            end = bytes.size();
        }
        std::string_view line = bytes.substr(start, end - start);
        if (line.ends_with('\r'))
            line.remove_suffix(1);
        start = end + 1;

        SavedCell& cell = board[n];
        cell.colour = !line.empty() && line.front() == 'G' ? kGivenColour : kEntryColour;
        if (line.empty())
            continue; // an erased square
        const char last = line.back();
        if (last < '0' || last > '9')
            return std::nullopt;
        cell.text = last == '0' ? "" : std::string(1, last);
    }
    return board;
}

void applyBoard(Cells& cells, const SavedBoard& board) {
    for (int n = 0; n < kCellCount; ++n) {
        cells.setColour(kBoardOrder[n], board[n].colour);
        cells.setText(kBoardOrder[n], board[n].text);
    }
}

namespace {

constexpr std::string_view kTemporaryPrefix = ".tessal-save-";

std::string reasonOf(int error) {
    return std::strerror(error);
}

std::optional<std::string> writeAll(int fd, std::string_view bytes) {
    std::size_t written = 0;
    while (written < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + written, bytes.size() - written);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return n < 0 ? reasonOf(errno) : "write failed";
        written += static_cast<std::size_t>(n);
    }
    return std::nullopt;
}

// In a folder that everyone may write and only owners may delete from (/tmp), a link that
// neither the player nor the folder's owner made is not theirs to write through: the rule
// the kernel keeps for the links it follows itself.
bool isForeignLinkInSharedFolder(const fs::path& link) {
    struct stat linkStatus {};
    struct stat folderStatus {};
    const fs::path folder = link.has_parent_path() ? link.parent_path() : fs::path(".");
    return ::lstat(link.c_str(), &linkStatus) == 0 && ::stat(folder.c_str(), &folderStatus) == 0 &&
           (folderStatus.st_mode & (S_ISVTX | S_IWOTH)) == (S_ISVTX | S_IWOTH) &&
           linkStatus.st_uid != ::geteuid() && linkStatus.st_uid != folderStatus.st_uid;
}

// Where a save must go: a symlinked saved game is written where the link points, unless the
// link belongs to somebody else in a shared folder.
std::optional<fs::path> followLinks(fs::path target) {
    for (int hop = 0; hop < 40; ++hop) {
        std::error_code error;
        if (!fs::is_symlink(target, error))
            break;
        if (isForeignLinkInSharedFolder(target))
            return std::nullopt;
        const fs::path next = fs::read_symlink(target, error);
        if (error)
            break;
        target = next.is_absolute() ? next : target.parent_path() / next;
    }
    return target;
}

// A hidden name beside the target for the instant before the rename, holding this process's
// id, so that a later save can tell litter of a killed save from another game's save at work.
std::string temporaryName(const fs::path& folder) {
    static unsigned counter = 0;
    return (folder / (std::string(kTemporaryPrefix) + std::to_string(::getpid()) + "-" +
                      std::to_string(++counter)))
        .string();
}

// Removes the hidden files of saves whose process is gone.
void sweepLitter(const fs::path& folder) {
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        const std::string name = it->path().filename().string();
        if (!name.starts_with(kTemporaryPrefix))
            continue;
        const long pid = std::strtol(name.c_str() + kTemporaryPrefix.size(), nullptr, 10);
        if (pid > 0 && ::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH)
            ::unlink(it->path().c_str());
    }
}

// Links a finished unnamed file in under `name`; false when it could not.
bool linkUnnamed(int fd, const std::string& name) {
    const std::string self = "/proc/self/fd/" + std::to_string(fd);
    return ::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) == 0 ||
           (errno == ENOENT && ::linkat(fd, "", AT_FDCWD, name.c_str(), AT_EMPTY_PATH) == 0);
}

// So that a save reported as done survives a power cut, the rename too must reach the disk.
// The new save is in place by now, whatever this meets: a folder the player may write but
// not open is synced with the rest of the machine.
void syncFolder(const fs::path& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) {
        ::sync();
        return;
    }
    ::fsync(fd);
    ::close(fd);
}

} // namespace

std::optional<std::string> writeFileAtomically(const std::string& path, std::string_view bytes) {
    const auto followed = followLinks(path);
    if (!followed)
        return std::string("le fichier est un lien d'un autre utilisateur");
    const fs::path target = *followed;
    const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
    struct stat old {};
    const bool replacing = ::stat(target.c_str(), &old) == 0;
    if (replacing && ((old.st_mode & S_IWUSR) == 0 || ::access(target.c_str(), W_OK) != 0))
        return std::string("le fichier est protégé en écriture");
    const mode_t mask = ::umask(0);
    ::umask(mask);
    // Saved games are read by the player's other programs too: the usual permissions.
    const mode_t mode = replacing ? old.st_mode & 07777 : 0666 & ~mask;
    sweepLitter(folder);

    // An unnamed file vanishes by itself if the game dies before it is linked in; file
    // systems without them (a FAT stick) get a hidden named one.
    std::string temporary;
    int fd = ::open(folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600);
    const bool unnamed = fd >= 0;
    if (!unnamed) {
        temporary = temporaryName(folder) + "-XXXXXX";
        fd = ::mkostemp(temporary.data(), O_CLOEXEC);
        if (fd < 0)
            return reasonOf(errno);
    }
    auto failed = [&](std::string reason) -> std::optional<std::string> {
        ::close(fd);
        if (!temporary.empty())
            ::unlink(temporary.c_str());
        return reason;
    };
    if (auto reason = writeAll(fd, bytes))
        return failed(*reason);
    if (::fchmod(fd, mode) != 0 || ::fsync(fd) != 0)
        return failed(reasonOf(errno));
    if (unnamed && !(!replacing && linkUnnamed(fd, target.string()))) {
        // A name that is taken cannot be linked over: link beside it, then rename over it.
        bool linked = false;
        for (int attempt = 0; attempt < 100 && !linked; ++attempt) {
            temporary = temporaryName(folder);
            linked = linkUnnamed(fd, temporary);
            if (!linked && errno != EEXIST)
                break;
        }
        if (!linked) {
            const int error = errno;
            temporary.clear();
            return failed(reasonOf(error));
        }
    }
    if (::close(fd) != 0) {
        fd = -1;
        return failed(reasonOf(errno));
    }
    if (!temporary.empty() && std::rename(temporary.c_str(), target.c_str()) != 0) {
        const std::string reason = reasonOf(errno);
        ::unlink(temporary.c_str());
        return reason;
    }
    syncFolder(folder);
    return std::nullopt;
}

std::optional<FileStart> readFileStart(const std::string& path, std::size_t limit,
                                       std::string& reason) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        reason = std::strerror(errno);
        return std::nullopt;
    }
    FileStart start;
    start.bytes.resize(limit + 1);
    std::size_t got = 0;
    while (got < start.bytes.size()) {
        const ssize_t n = ::read(fd, start.bytes.data() + got, start.bytes.size() - got);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            reason = std::strerror(errno);
            ::close(fd);
            return std::nullopt;
        }
        if (n == 0)
            break;
        got += static_cast<std::size_t>(n);
    }
    ::close(fd);
    start.wholeFile = got <= limit;
    start.bytes.resize(std::min(got, limit));
    return start;
}

std::optional<std::vector<std::string>> savedGameNames(const std::string& folder,
                                                       std::string& reason) {
    std::vector<std::string> names;
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        const std::string fileName = it->path().filename().string();
        std::error_code typeError;
        if (fileName.starts_with('.') || !it->is_regular_file(typeError))
            continue;
        if (auto name = gameNameOf(fileName))
            names.push_back(*name);
    }
    if (error) {
        reason = error.message();
        return std::nullopt;
    }
    std::sort(names.begin(), names.end());
    return names;
}

} // namespace tessal
