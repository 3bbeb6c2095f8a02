#include "elements.h"

#include <cstdlib>

extern "C" {
void tessal_set_text(const char* id, const char* text);
void tessal_set_attribute(const char* id, const char* name, const char* value);
void tessal_set_style(const char* id, const char* property, const char* value);
void tessal_set_hidden(const char* id, int hidden);
int tessal_is_hidden(const char* id);
void tessal_focus(const char* id);
void tessal_blur(const char* id);
int tessal_has_focus(const char* id);
char* tessal_value(const char* id);
void tessal_clear_options(const char* id);
void tessal_append_option(const char* id, const char* text, const char* kind, int depth);
void tessal_mark_option(const char* id, int row);
int tessal_chosen_option(const char* id);
void tessal_clear_offers(const char* id);
void tessal_offer_file(const char* id, const char* text, const char* fileName, const char* bytes,
                       std::size_t length);
}

namespace tessal::web {

void setText(const std::string& id, const std::string& text) {
    tessal_set_text(id.c_str(), text.c_str());
}
void setAttribute(const std::string& id, const char* name, const std::string& value) {
    tessal_set_attribute(id.c_str(), name, value.c_str());
}
void setStyle(const std::string& id, const char* property, const std::string& value) {
    tessal_set_style(id.c_str(), property, value.c_str());
}
void setHidden(const std::string& id, bool hidden) {
    tessal_set_hidden(id.c_str(), hidden);
}
bool isHidden(const std::string& id) {
    return tessal_is_hidden(id.c_str()) != 0;
}
void focus(const std::string& id) {
    tessal_focus(id.c_str());
}
void blur(const std::string& id) {
    tessal_blur(id.c_str());
}
bool hasFocus(const std::string& id) {
    return tessal_has_focus(id.c_str()) != 0;
}
std::string valueOf(const std::string& id) {
    char* value = tessal_value(id.c_str());
    std::string text = value;
    std::free(value);
    return text;
}

void clearOptions(const std::string& list) {
    tessal_clear_options(list.c_str());
}
void appendOption(const std::string& list, const std::string& text, const char* kind, int depth) {
    tessal_append_option(list.c_str(), text.c_str(), kind, depth);
}
void markOption(const std::string& list, int row) {
    tessal_mark_option(list.c_str(), row);
}
int chosenOption(const std::string& list) {
    return tessal_chosen_option(list.c_str());
}

void clearOffers(const std::string& list) {
    tessal_clear_offers(list.c_str());
}
void offerFile(const std::string& list, const std::string& text, const std::string& fileName,
               const std::string& bytes) {
    tessal_offer_file(list.c_str(), text.c_str(), fileName.c_str(), bytes.data(), bytes.size());
}

} // namespace tessal::web
