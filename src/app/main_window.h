// The game's one window: it builds the controls at their places, wires their events to the
// handlers, and lends the rules its cell buttons, its digit list and its modal boxes.
#pragma once

#include "app/layout.h"
#include "app/volume_list.h"
#include "app/widget_adapters.h"
#include "board/board.h"
#include "board/dialogs.h"
#include "generator/game_commands.h"
#include "generator/random_source.h"
#include "play/play.h"
#include "savegame/file_panel.h"

#include <QPixmap>
#include <QWidget>

#include <memory>
#include <string>

class QLabel;
class QMimeData;

namespace tessal {

class ChoiceList;
class ColourButton;
class EraserPicture;
class FolderList;

struct WindowServices {
    Dialogs* dialogs = nullptr;           // the window's own Qt boxes when null
    std::unique_ptr<RandomSource> random; // reseeded from the clock when null
    VolumeSource volumes;                 // the machine's mounted volumes when null
    std::string startFolder;              // the process's current folder when empty
};

class MainWindow : public QWidget {
    Q_OBJECT
  public:
    explicit MainWindow(WindowServices services = {});
    ~MainWindow() override;

    const GameValues& values() const { return values_; }

    // The window's event handlers.
    void Form_Load();
    void Form_Click();
    void Command1_MouseDown(int Index);
    void Command1_Click(int Index);
    void Command1_DragDrop(int Index, const QMimeData* Source);
    void Command2_Click();
    void Command3_Click();
    void List1_Click();
    void Image1_MouseDown();
    void Command4_Click();
    void Command5_Click();
    void Command6_Click();
    void Drive1_Change();
    void Dir1_Change();
    void List2_Click();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    void buildBoard();
    ColourButton* buildButton(const layout::Control& control);
    void buildDigitList();
    void colourDigitList();
    void buildEraser();
    void buildFilePanel(VolumeSource volumes, const std::string& startFolder);
    void setTabOrder();
    // The arrows move the keyboard across the grid as it stands on screen, stopping at its
    // edges.
    void stepFocus(int cell, int rowStep, int columnStep);

    std::unique_ptr<Dialogs> ownDialogs_;
    Dialogs* dialogs_;
    std::unique_ptr<RandomSource> random_;
    GameValues values_;
    ButtonCells cells_;

    ColourButton* command2_ = nullptr;
    ColourButton* command3_ = nullptr;
    ColourButton* command4_ = nullptr;
    ColourButton* command5_ = nullptr;
    ColourButton* command6_ = nullptr;
    ChoiceList* list1_ = nullptr;
    ChoiceList* list2_ = nullptr;
    VolumeList* drive1_ = nullptr;
    FolderList* dir1_ = nullptr;
    QLabel* label1_ = nullptr;
    EraserPicture* image1_ = nullptr;

    std::unique_ptr<ListDigits> digits_;
    std::unique_ptr<GameCommands> commands_;
    std::unique_ptr<Play> play_;
    WindowPanel panel_;
    std::unique_ptr<FilePanel> filePanel_;
    bool pressedOnWindow_ = false;
    QPixmap backdrop_; // decoded at the first paint
};

} // namespace tessal
