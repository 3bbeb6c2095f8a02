// The game's modal boxes, shown with Qt's own message and input boxes.
#pragma once

#include "board/dialogs.h"

class QWidget;

namespace tessal {

class QtDialogs final : public Dialogs {
  public:
    explicit QtDialogs(QWidget* parent) : parent_(parent) {}
    void message(const std::string& text, MessageIcon icon,
                 const std::optional<std::string>& title) override;
    std::string input(const std::string& prompt, const std::string& title,
                      const std::string& defaultText) override;

  private:
    QWidget* parent_;
};

} // namespace tessal
