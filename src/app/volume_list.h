// The volume chooser: a drop-down of the machine's volumes, set at first to the one that
// holds the start folder. It reads the volumes when the player first opens the panel.
#pragma once

#include <QComboBox>

#include <string>
#include <vector>

namespace tessal {

class VolumeList : public QComboBox {
    Q_OBJECT
  public:
    // No volumes given: the machine's mounted ones.
    VolumeList(std::vector<std::string> volumes, std::string startFolder, QWidget* parent);

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    std::vector<std::string> volumes_;
    std::string startFolder_;
    bool filled_ = false;
};

} // namespace tessal
