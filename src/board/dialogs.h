// The modal boxes the rules show the player. The window shows real ones; tests record them.
#pragma once

#include <optional>
#include <string>

namespace tessal {

enum class MessageIcon { Critical, Warning };

class Dialogs {
  public:
    virtual ~Dialogs() = default;
    // A box with one OK button; without a title of its own it carries the game's title.
    virtual void message(const std::string& text, MessageIcon icon,
                         const std::optional<std::string>& title = std::nullopt) = 0;
    // The text typed, or "" when the player cancels.
    virtual std::string input(const std::string& prompt, const std::string& title,
                              const std::string& defaultText) = 0;
};

} // namespace tessal
