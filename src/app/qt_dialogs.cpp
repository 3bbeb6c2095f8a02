#include "qt_dialogs.h"

#include "app/layout.h"

#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>

namespace tessal {

namespace {
// The game speaks French, and Qt's own button texts come in English without a translation.
const QString kCancelText = QStringLiteral("Annuler");
} // namespace

void QtDialogs::message(const std::string& text, MessageIcon icon,
                        const std::optional<std::string>& title) {
    QMessageBox box(icon == MessageIcon::Critical ? QMessageBox::Critical : QMessageBox::Warning,
                    title ? QString::fromStdString(*title)
                          : layout::qText(layout::kApplicationTitle),
                    QString::fromStdString(text), QMessageBox::Ok, parent_);
    // The texts quote names the player typed and folders found on disk: never markup.
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

std::string QtDialogs::input(const std::string& prompt, const std::string& title,
                             const std::string& defaultText) {
    QInputDialog box(parent_);
    box.setWindowTitle(QString::fromStdString(title));
    box.setLabelText(QString::fromStdString(prompt));
    box.setTextValue(QString::fromStdString(defaultText));
    box.setCancelButtonText(kCancelText);
    for (QLabel* label : box.findChildren<QLabel*>())
        label->setTextFormat(Qt::PlainText);
    return box.exec() == QDialog::Accepted ? box.textValue().toStdString() : std::string();
}

} // namespace tessal
