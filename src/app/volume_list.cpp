#include "volume_list.h"

#include "app/file_name_text.h"
#include "savegame/folders.h"

#include <QSignalBlocker>

namespace tessal {

VolumeList::VolumeList(VolumeSource volumes, std::string startFolder, QWidget* parent)
    : QComboBox(parent), volumes_(volumes ? std::move(volumes) : VolumeSource(systemVolumes)),
      startFolder_(std::move(startFolder)) {}

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

} // namespace tessal
