// The last step of a save, once the file stands under its name: what makes it outlast a power
// cut or a closed program. Each platform the game runs on links its own.
#pragma once

#include <optional>
#include <string>

namespace tessal {

// The reason when the save could not be made to last; the earlier one then still stands. On
// the desktop the file is in place once renamed and this always succeeds; a browser may refuse
// to keep it.
std::optional<std::string> makeDurable(const std::string& path);

} // namespace tessal
