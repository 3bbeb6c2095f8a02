// The volume chooser: a drop-down of the machine's volumes, set at first to the one that
// holds the start folder. It reads the volumes anew each time the panel opens, so that a
// stick plugged in meanwhile is offered, and keeps the player's choice. A volume's name too
// long for the chooser loses its middle, so volumes mounted side by side stay apart; while
// the chooser holds the keyboard, a ring marks it.
#pragma once

#include <QComboBox>

#include <functional>
#include <string>
#include <vector>

namespace tessal {

using VolumeSource = std::function<std::vector<std::string>()>;

class VolumeList : public QComboBox {
    Q_OBJECT
  public:
    // No source given: the machine's mounted volumes.
    VolumeList(VolumeSource volumes, std::string startFolder, QWidget* parent);
    // The chosen volume, as the file system spells it.
    std::string currentVolume() const;
    // Chooses the volume that holds `folder`, quietly: no change of volume is reported.
    void chooseVolumeOf(const std::string& folder);

  protected:
    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

  private:
    VolumeSource volumes_;
    std::string startFolder_;
};

} // namespace tessal
