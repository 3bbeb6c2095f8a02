// The rules' modal boxes as the page's own dialogs, with the desktop's titles, icons and
// buttons. A handler that shows one waits until the player closes it.
#pragma once

#include "board/dialogs.h"

namespace tessal::web {

class PageDialogs final : public Dialogs {
  public:
    void message(const std::string& text, MessageIcon icon,
                 const std::optional<std::string>& title) override;
    std::string input(const std::string& prompt, const std::string& title,
                      const std::string& defaultText) override;
};

} // namespace tessal::web
