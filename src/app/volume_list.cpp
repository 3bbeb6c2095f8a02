#include "volume_list.h"

#include "app/file_name_text.h"
#include "app/focus_mark.h"
#include "savegame/folders.h"

#include <QAbstractItemView>
#include <QSignalBlocker>
#include <QStyleOptionComboBox>
#include <QStylePainter>

namespace tessal {

VolumeList::VolumeList(VolumeSource volumes, std::string startFolder, QWidget* parent)
    : QComboBox(parent), volumes_(volumes ? std::move(volumes) : VolumeSource(systemVolumes)),
      startFolder_(std::move(startFolder)) {
    view()->setTextElideMode(Qt::ElideMiddle);
}

std::string VolumeList::currentVolume() const {
    return bytesKept(currentData());
}

void VolumeList::chooseVolumeOf(const std::string& folder) {
    std::vector<std::string> volumes;
    for (int k = 0; k < count(); ++k)
        volumes.push_back(bytesKept(itemData(k)));
    const QSignalBlocker quiet(this);
    setCurrentIndex(findData(keptBytes(volumeOf(folder, volumes))));
}

void VolumeList::showEvent(QShowEvent* event) {
    // The choice so far, or at the first opening the volume of the start folder; a volume
    // unplugged since gives way to the one that held it.
    const std::string chosen = count() > 0 ? currentVolume() : startFolder_;
    const std::vector<std::string> volumes = volumes_();
    const QSignalBlocker quiet(this); // reading the volumes again is no change of volume
    clear();
    for (const std::string& volume : volumes)
        addItem(shownName(volume), keptBytes(volume));
    chooseVolumeOf(chosen);
    QComboBox::showEvent(event);
}

void VolumeList::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    painter.setPen(palette().color(QPalette::Text));
    QStyleOptionComboBox option;
    initStyleOption(&option);
    painter.drawComplexControl(QStyle::CC_ComboBox, option);
    // The room the style draws the text in: its field, less a pixel on either side.
    const QRect field =
        style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, this);
    option.currentText =
        fontMetrics().elidedText(option.currentText, Qt::ElideMiddle, field.width() - 2);
    painter.drawControl(QStyle::CE_ComboBoxLabel, option);
    if (hasFocus())
        drawFocusMark(painter, rect().adjusted(2, 2, -2, -2), palette().color(QPalette::Button));
}

} // namespace tessal
