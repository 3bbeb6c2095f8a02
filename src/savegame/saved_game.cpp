#include "saved_game.h"

#include "savegame/durable.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

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

constexpr std::string_view kReplacement = "\uFFFD";

// The characters Unicode has every program draw as nothing (zero-width spaces and joiners,
// the soft hyphen, fillers, a byte-order mark, tags...), the reordering marks aside. The two
// selectors that ask for an emoji drawn in colour or as text stay: an emoji keyboard types
// them after many emoji.
constexpr std::pair<char32_t, char32_t> kDrawnAsNothing[] = {
    {0xad, 0xad},     {0x34f, 0x34f},     {0x115f, 0x1160},   {0x17b4, 0x17b5},
    {0x180b, 0x180f}, {0x200b, 0x200d},   {0x2060, 0x2065},   {0x206a, 0x206f},
    {0x3164, 0x3164}, {0xfe00, 0xfe0d},   {0xfeff, 0xfeff},   {0xffa0, 0xffa0},
    {0xfff0, 0xfff8}, {0x1bca0, 0x1bca3}, {0x1d173, 0x1d17a}, {0xe0000, 0xe0fff},
};

std::optional<NameFault> faultOf(char32_t c) {
    using enum NameFault;
    if (c == '/' || c == '\\')
        return Separator;
    if ((c >= '\n' && c <= '\r') || c == 0x85 || c == 0x2028 || c == 0x2029)
        return LineBreak;
    if (c < 0x20 || (c >= 0x7f && c <= 0x9f))
        return Control;
    if (c == 0x061c || c == 0x200e || c == 0x200f || (c >= 0x202a && c <= 0x202e) ||
        (c >= 0x2066 && c <= 0x2069)) // marks, embeddings, overrides, isolates
        return Reordering;
    for (const auto& [first, last] : kDrawnAsNothing)
        if (c >= first && c <= last)
            return Invisible;
    return std::nullopt;
}

} // namespace

bool disturbsText(char32_t c) {
    const auto fault = faultOf(c);
    return fault && *fault != NameFault::Separator;
}

std::optional<NameFault> gameNameFault(std::string_view gameName) {
    for (std::size_t at = 0; at < gameName.size();) {
        const auto [point, length] = codePointAt(gameName, at);
        if (const auto fault = faultOf(point))
            return fault;
        at += length;
    }
    return std::nullopt;
}

std::string shownAsListed(std::string_view name) {
    std::string shown;
    for (std::size_t at = 0; at < name.size();) {
        const auto [point, length] = codePointAt(name, at);
        if (disturbsText(point))
            shown += kReplacement;
        else
            shown += name.substr(at, length);
        at += length;
    }
    return shown;
}

namespace {

// The letters of Latin-1 and Latin Extended-A, U+00C0 to U+017F, as a reader compares them:
// lower case, without their accents ("" keeps the sign as it is).
constexpr std::string_view kLatinFolds[] = {
    "a", "a", "a",  "a",  "a", "a", "ae", "c", "e", "e", "e", "e", "i", "i", "i",  "i",  // C0
    "d", "n", "o",  "o",  "o", "o", "o",  "",  "o", "u", "u", "u", "u", "y", "th", "ss", // D0
    "a", "a", "a",  "a",  "a", "a", "ae", "c", "e", "e", "e", "e", "i", "i", "i",  "i",  // E0
    "d", "n", "o",  "o",  "o", "o", "o",  "",  "o", "u", "u", "u", "u", "y", "th", "y",  // F0
    "a", "a", "a",  "a",  "a", "a", "c",  "c", "c", "c", "c", "c", "c", "c", "d",  "d",  // 100
    "d", "d", "e",  "e",  "e", "e", "e",  "e", "e", "e", "e", "e", "g", "g", "g",  "g",  // 110
    "g", "g", "g",  "g",  "h", "h", "h",  "h", "i", "i", "i", "i", "i", "i", "i",  "i",  // 120
    "i", "i", "ij", "ij", "j", "j", "k",  "k", "k", "l", "l", "l", "l", "l", "l",  "l",  // 130
    "l", "l", "l",  "n",  "n", "n", "n",  "n", "n", "n", "n", "n", "o", "o", "o",  "o",  // 140
    "o", "o", "oe", "oe", "r", "r", "r",  "r", "r", "r", "s", "s", "s", "s", "s",  "s",  // 150
    "s", "s", "t",  "t",  "t", "t", "t",  "t", "u", "u", "u", "u", "u", "u", "u",  "u",  // 160
    "u", "u", "u",  "u",  "w", "w", "y",  "y", "y", "z", "z", "z", "z", "z", "z",  "s",  // 170
};

// A name as a reader compares it: letters folded, and each run of digits as a '0' followed
// by its count of significant digits and those digits, so that 9 comes before 10 and any
// number comes after a space or a sign and before a letter.
std::u32string readingKey(std::string_view name) {
    std::u32string key;
    for (std::size_t at = 0; at < name.size();) {
        const auto [point, length] = codePointAt(name, at);
        if (point >= '0' && point <= '9') {
            std::size_t end = at;
            while (end < name.size() && name[end] >= '0' && name[end] <= '9')
                ++end;
            std::size_t first = at;
            while (first + 1 < end && name[first] == '0')
                ++first;
            key += U'0';
            key += static_cast<char32_t>(end - first);
            key.append(name.begin() + static_cast<std::ptrdiff_t>(first),
                       name.begin() + static_cast<std::ptrdiff_t>(end));
            at = end;
            continue;
        }
        at += length;
        if (length == 1 && point >= 0x80) // a byte that is no UTF-8 shows as U+FFFD
            key += U'\uFFFD';
        else if (point >= 'A' && point <= 'Z')
            key += point + ('a' - 'A');
        else if (point >= 0xc0 && point <= 0x17f && !kLatinFolds[point - 0xc0].empty())
            key.append(kLatinFolds[point - 0xc0].begin(), kLatinFolds[point - 0xc0].end());
        else if ((point >= 0x391 && point <= 0x3a9) || (point >= 0x410 && point <= 0x42f))
            key += point + 0x20; // Greek and Cyrillic capitals
        else if (point >= 0x400 && point <= 0x40f)
            key += point + 0x50;
        else
            key += point;
    }
    return key;
}

} // namespace

bool readsBefore(std::string_view left, std::string_view right) {
    const std::u32string leftKey = readingKey(left), rightKey = readingKey(right);
    return leftKey != rightKey ? leftKey < rightKey : left < right;
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

        // A saved game is text: a byte that is no printable ASCII makes the file unsound.
        if (std::any_of(line.begin(), line.end(), [](char c) { return c < 0x20 || c > 0x7e; }))
            return std::nullopt;
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

// The reasons a player can meet, in the game's words; the system's own text tells the rest.
constexpr const char* kNoSpace = "il n'y a plus de place sur le volume";
constexpr const char* kNoPermission = "vous n'en avez pas la permission";
constexpr const char* kFolderGone = "le répertoire n'existe plus";
constexpr struct {
    int error;
    const char* reason;
} kReasons[] = {
    {ENOSPC, kNoSpace},      {EDQUOT, kNoSpace},     {EROFS, "le volume est en lecture seule"},
    {EACCES, kNoPermission}, {EPERM, kNoPermission}, {ENAMETOOLONG, "le nom est trop long"},
    {ENOENT, kFolderGone},   {ENOTDIR, kFolderGone},
};
constexpr const char* kReadOnlyFile = "le fichier est protégé en écriture";
constexpr const char* kFileGone = "le fichier n'existe plus";
constexpr const char* kNotASavedGame = "ce nom est pris par autre chose qu'une partie enregistrée";
constexpr const char* kForeignLink = "le fichier est un lien d'un autre utilisateur";

std::string reasonOf(int error) {
    for (const auto& known : kReasons)
        if (known.error == error)
            return known.reason;
    return std::strerror(error);
}

std::optional<std::string> writeAll(int fd, std::string_view bytes) {
    std::size_t written = 0;
    while (written < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + written, bytes.size() - written);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return reasonOf(n < 0 ? errno : EIO);
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

// The links the kernel follows in one path before it gives up.
constexpr int kMostLinksFollowed = 40;

// Where a save must go: a symlinked saved game is written where the link points, unless the
// link belongs to somebody else in a shared folder. A path still a link at the end leads
// through more links than the kernel follows, or round a loop.
std::optional<fs::path> followLinks(fs::path target) {
    for (int hop = 0; hop < kMostLinksFollowed; ++hop) {
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

} // namespace

std::optional<std::string> writeFileAtomically(const std::string& path, std::string_view bytes) {
    // Linux keeps no longer file name; the browser's folder would take one and then never
    // list it.
    if (fs::path(path).filename().string().size() > NAME_MAX)
        return reasonOf(ENAMETOOLONG);
    const auto followed = followLinks(path);
    if (!followed)
        return kForeignLink;
    const fs::path target = *followed;
    const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
    struct stat old {};
    const bool replacing = ::lstat(target.c_str(), &old) == 0;
    if (!replacing && errno != ENOENT)
        return reasonOf(errno);
    // A FIFO, a device, a folder or a link still unresolved is left exactly as it is.
    if (replacing && !S_ISREG(old.st_mode))
        return kNotASavedGame;
    if (replacing && (old.st_mode & S_IWUSR) == 0)
        return kReadOnlyFile;
    if (replacing && ::access(target.c_str(), W_OK) != 0)
        return errno == EACCES ? kReadOnlyFile : reasonOf(errno);
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
    // FAT sticks, some FUSE and NFS shares keep no permissions, or refuse to change them: a
    // save there is no less done.
    (void)::fchmod(fd, mode);
    if (::fsync(fd) != 0)
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
    return makeDurable(target.string());
}

std::optional<FileStart> readFileStart(const std::string& path, std::size_t limit,
                                       std::string& reason) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        reason = errno == ENOENT ? kFileGone : reasonOf(errno);
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
            reason = reasonOf(errno);
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
        reason = reasonOf(error.value());
        return std::nullopt;
    }
    std::sort(names.begin(), names.end(),
              [](const std::string& a, const std::string& b) { return readsBefore(a, b); });
    return names;
}

} // namespace tessal
