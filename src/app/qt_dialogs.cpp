#include "qt_dialogs.h"

#include "app/layout.h"

#include <QInputDialog>
#include <QMessageBox>

namespace tessal {

void QtDialogs::message(const std::string& text, MessageIcon icon,
                        const std::optional<std::string>& title) {
    QMessageBox box(icon == MessageIcon::Critical ? QMessageBox::Critical : QMessageBox::Warning,
                    title ? QString::fromStdString(*title) : layout::kApplicationTitle,
                    QString::fromStdString(text), QMessageBox::Ok, parent_);
    box.exec();
}

std::string QtDialogs::input(const std::string& prompt, const std::string& title,
                             const std::string& defaultText) {
    bool accepted = false;
    const QString answer = QInputDialog::getText(parent_, QString::fromStdString(title),
                                                 QString::fromStdString(prompt), QLineEdit::Normal,
                                                 QString::fromStdString(defaultText), &accepted);
    return accepted ? answer.toStdString() : std::string();
}

} // namespace tessal
