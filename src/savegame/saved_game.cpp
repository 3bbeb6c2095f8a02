#include "saved_game.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace tessal {

namespace fs = std::filesystem;

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

std::string folderOfLabel(std::string_view label) {
    constexpr std::string_view pattern = "/tessal*.txt";
    static_assert(pattern.substr(1) == kListingName);
    if (label.ends_with(pattern)) {
        label.remove_suffix(pattern.size());
        if (label.empty())
            return "/";
    }
    return std::string(label);
}

bool isAcceptableGameName(std::string_view gameName) {
    return std::none_of(gameName.begin(), gameName.end(), [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return c == '/' || c == '\\' || byte < 0x20 || byte == 0x7f;
    });
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

std::optional<std::string> writeFileAtomically(const std::string& path, std::string_view bytes) {
    const std::string folder = fs::path(path).parent_path().string();
    std::string temporary = joinPath(folder.empty() ? "." : folder, ".tessal-save-XXXXXX");
    const int fd = mkstemp(temporary.data());
    if (fd < 0)
        return std::string(std::strerror(errno));
    std::size_t written = 0;
    while (written < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + written, bytes.size() - written);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            const std::string reason = n < 0 ? std::strerror(errno) : "write failed";
            ::close(fd);
            ::unlink(temporary.c_str());
            return reason;
        }
        written += static_cast<std::size_t>(n);
    }
    // Saved games are read by the player's other programs too: the usual file permissions.
    const mode_t mask = ::umask(0);
    ::umask(mask);
    ::fchmod(fd, 0666 & ~mask);
    if (::fsync(fd) != 0 || ::close(fd) != 0 || std::rename(temporary.c_str(), path.c_str()) != 0) {
        const std::string reason = std::strerror(errno);
        ::unlink(temporary.c_str());
        return reason;
    }
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

std::vector<std::string> savedGameNames(const std::string& folder) {
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
    std::sort(names.begin(), names.end());
    return names;
}

} // namespace tessal
