// Colour schemes for the window tests, and a guard that gives the application its palette
// back however a test ends.
#pragma once

#include <QApplication>
#include <QColor>
#include <QPalette>

#include <utility>

namespace tessal::testing {

// The roles of Debian's qt6ct "darker" scheme over the application's palette.
inline QPalette darkerPalette() {
    QPalette palette = QApplication::palette();
    for (auto [role, colour] : {std::pair{QPalette::WindowText, "#ffffff"},
                                {QPalette::Button, "#424245"},
                                {QPalette::Light, "#979797"},
                                {QPalette::Midlight, "#5e5c5b"},
                                {QPalette::Dark, "#302f2e"},
                                {QPalette::Mid, "#4a4947"},
                                {QPalette::Text, "#ffffff"},
                                {QPalette::BrightText, "#ffffff"},
                                {QPalette::ButtonText, "#ffffff"},
                                {QPalette::Base, "#3d3d3d"},
                                {QPalette::Window, "#222020"},
                                {QPalette::Shadow, "#e7e4e0"},
                                {QPalette::Highlight, "#12608a"},
                                {QPalette::HighlightedText, "#f9f9f9"},
                                {QPalette::AlternateBase, "#5c5b5a"}})
        palette.setColor(role, QColor(colour));
    return palette;
}

class ApplicationPalette {
  public:
    explicit ApplicationPalette(const QPalette& palette) : before_(QApplication::palette()) {
        QApplication::setPalette(palette);
    }
    ~ApplicationPalette() { QApplication::setPalette(before_); }
    ApplicationPalette(const ApplicationPalette&) = delete;
    ApplicationPalette& operator=(const ApplicationPalette&) = delete;

  private:
    QPalette before_;
};

} // namespace tessal::testing
