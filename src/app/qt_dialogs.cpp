#include "qt_dialogs.h"

#include "app/layout.h"

#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>
#include <QScreen>
#include <QTextLayout>

namespace tessal {

namespace {
// The game speaks French, and Qt's own button texts come in English without a translation.
const QString kCancelText = QStringLiteral("Annuler");

// Qt breaks a box's text only between words, so a long name or path without a space would
// run the box off the screen: such a word is broken where it must, at a slash if it can, to
// lines no wider than the box's text ever gets, half the screen at most.
QString brokenToFit(const QString& text, const QFont& font, const QScreen* screen) {
    const qreal width = std::min(screen->availableGeometry().width() / 2, 500);
    const QFontMetricsF metrics(font);
    QStringList words = text.split(u' ');
    for (QString& word : words) {
        if (metrics.horizontalAdvance(word) <= width)
            continue;
        QTextLayout layout(word, font);
        QTextOption option;
        option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
        layout.setTextOption(option);
        QStringList pieces;
        layout.beginLayout();
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            line.setLineWidth(width);
            pieces << word.mid(line.textStart(), line.textLength());
        }
        layout.endLayout();
        word = pieces.join(QChar::LineSeparator); // a break inside the paragraph and its isolates
    }
    return words.join(u' ');
}
} // namespace

void QtDialogs::message(const std::string& text, MessageIcon icon,
                        const std::optional<std::string>& title) {
    QMessageBox box(icon == MessageIcon::Critical ? QMessageBox::Critical : QMessageBox::Warning,
                    title ? QString::fromStdString(*title)
                          : layout::qText(layout::kApplicationTitle),
                    QString(), QMessageBox::Ok, parent_);
    // The texts quote names the player typed and folders found on disk: never markup.
    box.setTextFormat(Qt::PlainText);
    box.setText(brokenToFit(QString::fromStdString(text), box.font(), box.screen()));
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
