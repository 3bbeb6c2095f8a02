// A saved game: a text file "tessal<game name>.txt" of 81 lines, one per cell in board order,
// each "G" (given colour) or "J" (the player's colour), then the digit or "0", then CR LF.
#pragma once

#include "board/board.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tessal {

constexpr std::string_view kFilePrefix = "tessal";
constexpr std::string_view kFileSuffix = ".txt";
constexpr std::string_view kListingName = "tessal*.txt";
// A saved game is 324 bytes; resuming never reads more than this.
constexpr std::size_t kMaxReadBytes = 4096;

// folder + "/" + name, without doubling the separator after a root folder.
std::string joinPath(std::string_view folder, std::string_view name);
std::string savedGamePath(std::string_view folder, std::string_view gameName);
// What keeps a typed game name (UTF-8) from being one file name inside the chosen folder
// that reads as typed and looks like no other.
enum class NameFault {
    Separator,  // "/" or a backslash
    LineBreak,  // a line feed, a carriage return, a line or paragraph separator...
    Control,    // any other control character, C1 controls included
    Reordering, // an invisible mark that reorders the text around it
    Invisible,  // a character of no width, which makes two names look the same
};
// The fault of the first character that has one; nothing for a sound name.
std::optional<NameFault> gameNameFault(std::string_view gameName);
// A character with a fault other than a separator: refused in a typed name, and shown as
// U+FFFD in a name the file system gives.
bool disturbsText(char32_t c);
// A name as the lists show it, U+FFFD standing for each character that disturbs text.
std::string shownAsListed(std::string_view name);
// The order a person reads names in, the same on every machine: case and accents folded,
// numbers by their value; names that read alike keep a fixed order between them.
bool readsBefore(std::string_view left, std::string_view right);
// The game name of a saved-game file name, or nothing when the name is not one.
std::optional<std::string> gameNameOf(std::string_view fileName);

// The 81 lines of the board, CR LF each.
std::string boardBytes(const Cells& cells);

struct SavedCell {
    Colour colour = kGivenColour;
    std::string text;
};
using SavedBoard = std::array<SavedCell, kCellCount>;

// The first 81 lines of a file (CR LF or LF), when they are sound: each is printable ASCII
// and ends in a digit, or is empty. `wholeFile` says whether `bytes` reach the file's end, so
// a cut-off line is no line. A UTF-8 byte-order mark that an editor put at the start is no
// part of the first line.
std::optional<SavedBoard> parseBoard(std::string_view bytes, bool wholeFile = true);
void applyBoard(Cells& cells, const SavedBoard& board);

// Writes the file whole or not at all: a failed or killed save never harms an earlier one and
// leaves no temporary file behind, and a failure is reported only while the earlier one stands.
// Only a plain file is replaced, and not one made read-only; a symlink is written where it
// points, through as many links as the kernel follows, but for somebody else's in a shared
// folder such as /tmp, which is refused. A replaced file keeps its permissions where the file
// system keeps them. Returns the reason on failure, in the game's words where it can.
std::optional<std::string> writeFileAtomically(const std::string& path, std::string_view bytes);

struct FileStart {
    std::string bytes;
    bool wholeFile = false;
};
// At most `limit` bytes from the start of a file; the reason on failure.
std::optional<FileStart> readFileStart(const std::string& path, std::size_t limit,
                                       std::string& reason);

// The game names of a folder's plain, visible saved-game files, in reading order, as the
// bytes the file system gave; nothing, and the reason, when the folder cannot be read.
std::optional<std::vector<std::string>> savedGameNames(const std::string& folder,
                                                       std::string& reason);

} // namespace tessal
