// Fuzzes the saved-game reader: whatever the bytes, it either refuses them or yields a board
// whose cells show only "" or "1".."9", and applying it touches only real cells.
#include "savegame/saved_game.h"
#include "support/fakes.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tessal;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    for (bool wholeFile : {true, false}) {
        const auto board = parseBoard(bytes, wholeFile);
        if (!board)
            continue;
        testing::MemoryCells cells;
        applyBoard(cells, *board);
        for (int cell : kBoardOrder) {
            const std::string& text = cells.cells[cell].text;
            if (!(text.empty() || (text.size() == 1 && text[0] >= '1' && text[0] <= '9')))
                std::abort();
        }
        // What was read saves back as 81 sound lines.
        if (!parseBoard(boardBytes(cells)))
            std::abort();
    }
    return 0;
}
