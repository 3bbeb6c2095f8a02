// The game's one window: it builds the controls at their places, wires their events to the
// handlers, and lends the rules its cell buttons, its digit list and its modal boxes.
#pragma once

#include "app/layout.h"
#include "board/board.h"
#include "board/dialogs.h"
#include "generator/game_commands.h"
#include "generator/random_source.h"
#include "play/play.h"

#include <QWidget>

#include <array>
#include <memory>

class QLabel;
class QMimeData;

namespace tessal {

class CellButton;
class ChoiceList;
class ColourButton;
class EraserPicture;

// The board as it lives in the 81 cell buttons.
class ButtonCells final : public Cells {
  public:
    std::array<CellButton*, kHighestCell + 1> buttons{};

    std::string text(int cell) const override;
    void setText(int cell, std::string_view text) override;
    Colour colour(int cell) const override;
    void setColour(int cell, Colour colour) override;
    void setVisible(int cell, bool visible) override;
};

// The digit picker as it lives in List1.
class ListDigits final : public DigitList {
  public:
    explicit ListDigits(ChoiceList* list) : list_(list) {}
    int selectedIndex() const override;
    int heightTwips() const override;
    void moveTo(int leftTwips, int topTwips) override;
    void setLeftTwips(int leftTwips) override;
    void bringToFront() override;

  private:
    ChoiceList* list_;
};

struct WindowServices {
    Dialogs* dialogs = nullptr;           // the window's own Qt boxes when null
    std::unique_ptr<RandomSource> random; // reseeded from the clock when null
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

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    void buildBoard();
    ColourButton* buildButton(const layout::ButtonSpec& spec);
    void buildDigitList();
    void buildEraser();
    void buildFilePanel();
    void setTabOrder();
    bool isEraser(const QMimeData* source) const;

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
    QWidget* drive1_ = nullptr;
    QWidget* dir1_ = nullptr;
    QLabel* label1_ = nullptr;
    EraserPicture* image1_ = nullptr;

    std::unique_ptr<ListDigits> digits_;
    std::unique_ptr<GameCommands> commands_;
    std::unique_ptr<Play> play_;
    bool pressedOnWindow_ = false;
};

} // namespace tessal
