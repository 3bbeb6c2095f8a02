#include "page_dialogs.h"

#include "layout/window_layout.h"

#include <cstdlib>

extern "C" {
void tessal_message(const char* title, const char* icon, const char* text, const char* ok);
char* tessal_input(const char* title, const char* prompt, const char* initial, const char* ok,
                   const char* cancel);
}

namespace tessal::web {

namespace {
const char* const kOkText = "OK";
const char* const kCancelText = "Annuler";
const char* iconFile(MessageIcon icon) {
    return icon == MessageIcon::Critical ? "critical.svg" : "warning.svg";
}
} // namespace

void PageDialogs::message(const std::string& text, MessageIcon icon,
                          const std::optional<std::string>& title) {
    tessal_message(title ? title->c_str() : layout::kApplicationTitle, iconFile(icon), text.c_str(),
                   kOkText);
}

std::string PageDialogs::input(const std::string& prompt, const std::string& title,
                               const std::string& defaultText) {
    char* typed =
        tessal_input(title.c_str(), prompt.c_str(), defaultText.c_str(), kOkText, kCancelText);
    std::string answer = typed;
    std::free(typed);
    return answer;
}

} // namespace tessal::web
