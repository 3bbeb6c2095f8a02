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

// The lines a text takes at a width, broken between words where it can, anywhere if not.
QStringList linesOf(const QString& text, const QFont& font, qreal width) {
    QTextLayout layout(text, font);
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    QStringList lines;
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width);
        lines << text.mid(line.textStart(), line.textLength()).remove(QChar::LineSeparator);
    }
    layout.endLayout();
    return lines;
}

// Qt breaks a box's text only between words, so a long name or path without a space would
// run the box off the screen: such a word is broken where it must, at a slash if it can. A
// text taller than half the screen keeps its first and last lines around an ellipsis: the
// start and the end of a path tell where it is.
QString brokenToFit(const QString& text, const QFont& font, const QScreen* screen) {
    // No wider than a box's text ever gets, half the screen at most.
    const qreal width = std::min(screen->availableGeometry().width() / 2, 500);
    const QFontMetricsF metrics(font);
    QStringList words = text.split(u' ');
    // A line separator breaks the line inside the paragraph, and inside a name's isolates.
    for (QString& word : words)
        if (metrics.horizontalAdvance(word) > width)
            word = linesOf(word, font, width).join(QChar::LineSeparator);
    const QString broken = words.join(u' ');
    const int most = std::max(
        3, static_cast<int>(screen->availableGeometry().height() / 2 / metrics.lineSpacing()));
    const QStringList lines = linesOf(broken, font, width);
    if (lines.size() <= most)
        return broken;
    const int kept = (most - 1) / 2;
    return (lines.mid(0, kept) + QStringList{QStringLiteral("…")} + lines.mid(lines.size() - kept))
        .join(QChar::LineSeparator);
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
