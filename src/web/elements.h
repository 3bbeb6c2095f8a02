// The page's elements, each reached by its id: texts, attributes, styles, visibility and the
// keyboard; the options of list boxes; files offered for download. Texts go in as plain text.
#pragma once

#include <string>

namespace tessal::web {

void setText(const std::string& id, const std::string& text);
void setAttribute(const std::string& id, const char* name, const std::string& value);
void setStyle(const std::string& id, const char* property, const std::string& value);
void setHidden(const std::string& id, bool hidden);
bool isHidden(const std::string& id);
void focus(const std::string& id);
void blur(const std::string& id);
bool hasFocus(const std::string& id);
std::string valueOf(const std::string& id);

void clearOptions(const std::string& list);
// `kind` is the option's class, for its look; `depth` the room drawn before it, no part of its
// text, so that typing a name's first letters finds it and a screen reader reads it alone.
void appendOption(const std::string& list, const std::string& text, const char* kind = "",
                  int depth = 0);
// Marks the option at row as chosen and current, and no other; none for -1.
void markOption(const std::string& list, int row);
// The option the player chose last, -1 when none.
int chosenOption(const std::string& list);

void clearOffers(const std::string& list);
void offerFile(const std::string& list, const std::string& text, const std::string& fileName,
               const std::string& bytes);

} // namespace tessal::web
