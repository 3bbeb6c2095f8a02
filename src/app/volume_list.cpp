#include "volume_list.h"

#include "savegame/folders.h"

#include <QSignalBlocker>

namespace tessal {

VolumeList::VolumeList(std::vector<std::string> volumes, std::string startFolder, QWidget* parent)
    : QComboBox(parent), volumes_(std::move(volumes)), startFolder_(std::move(startFolder)) {}

void VolumeList::showEvent(QShowEvent* event) {
    if (!filled_) {
        if (volumes_.empty())
            volumes_ = systemVolumes();
        const QSignalBlocker quiet(this); // filling is no change of volume
        for (const std::string& volume : volumes_)
            addItem(QString::fromStdString(volume));
        setCurrentText(QString::fromStdString(volumeOf(startFolder_, volumes_)));
        filled_ = true;
    }
    QComboBox::showEvent(event);
}

} // namespace tessal
