// Fuzzes the game-name check: an accepted name always makes one file inside the folder.
#include "savegame/saved_game.h"

#include <cstdint>
#include <cstdlib>
#include <filesystem>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tessal;
    const std::string name(reinterpret_cast<const char*>(data), size);
    if (gameNameFault(name))
        return 0;
    const std::string folder = "/home/joueur/parties";
    const std::filesystem::path path = savedGamePath(folder, name);
    if (path.parent_path() != folder || path.filename().string() != "tessal" + name + ".txt")
        std::abort();
    if (gameNameOf(path.filename().string()) != name)
        std::abort();
    return 0;
}
