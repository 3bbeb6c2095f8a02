#include "main_window.h"

#include "app/cell_button.h"
#include "app/choice_list.h"
#include "app/colour_button.h"
#include "app/contrast.h"
#include "app/eraser_picture.h"
#include "app/folder_list.h"
#include "app/qt_dialogs.h"
#include "app/volume_list.h"
#include "savegame/folders.h"

#include <QApplication>
#include <QComboBox>
#include <QDrag>
#include <QLabel>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>

namespace tessal {

using namespace layout;

namespace {

// A widget takes its control's name, place, font, tool-tip and what screen readers hear.
void dress(QWidget* widget, const Control& control) {
    widget->setObjectName(qText(control.name));
    widget->setGeometry(pixels(control.place));
    if (control.font)
        widget->setFont(boldFont(*control.font));
    if (control.toolTip)
        widget->setToolTip(qText(control.toolTip));
    if (control.accessibleName)
        widget->setAccessibleName(qText(control.accessibleName));
    if (control.accessibleDescription)
        widget->setAccessibleDescription(qText(control.accessibleDescription));
    widget->setHidden(control.hiddenAtStart);
}

void setColours(QWidget* widget, const Control& control) {
    QPalette palette = widget->palette();
    for (QPalette::ColorRole role : {QPalette::Text, QPalette::WindowText, QPalette::ButtonText})
        palette.setColor(role, qColour(*control.textColour));
    if (control.background)
        for (QPalette::ColorRole role : {QPalette::Base, QPalette::Button, QPalette::Window})
            palette.setColor(role, qColour(*control.background));
    widget->setPalette(palette);
}

} // namespace

MainWindow::MainWindow(WindowServices services)
    : dialogs_(services.dialogs), random_(std::move(services.random)) {
    if (!dialogs_) {
        ownDialogs_ = std::make_unique<QtDialogs>(this);
        dialogs_ = ownDialogs_.get();
    }
    if (!random_)
        random_ = std::make_unique<TimeOfDayRandom>();

    setWindowTitle(qText(kCaption));
    // The icon is no part of the first frame: it is set once the event loop runs.
    QTimer::singleShot(0, this, [this] {
        QIcon icon;
        for (const Picture& picture : kIcons)
            icon.addPixmap(pixmap(picture, 1));
        setWindowIcon(icon);
    });
    resize(px(kClientWidth), px(kClientHeight));
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, qColour(kWindowBackground));
    setPalette(palette);

    buildEraser();
    buildBoard();
    command2_ = buildButton(kCommand2);
    command3_ = buildButton(kCommand3);
    command4_ = buildButton(kCommand4);
    command5_ = buildButton(kCommand5);
    buildFilePanel(std::move(services.volumes),
                   services.startFolder.empty() ? startFolder() : services.startFolder);
    buildDigitList();
    setTabOrder();
    // Once in the tab order, which takes no control without a stop: out of view, the list
    // has none.
    digits_ = std::make_unique<ListDigits>(list1_, cells_);

    commands_ = std::make_unique<GameCommands>(cells_, values_, *random_);
    play_ = std::make_unique<Play>(cells_, *digits_, *dialogs_, values_);
    filePanel_ = std::make_unique<FilePanel>(cells_, panel_, *dialogs_);

    connect(command2_, &QPushButton::clicked, this, &MainWindow::Command2_Click);
    connect(command3_, &QPushButton::clicked, this, &MainWindow::Command3_Click);
    connect(list1_, &ChoiceList::chosen, this, &MainWindow::List1_Click);
    // Escape turns the list down as a click on the bare window does.
    connect(list1_, &ChoiceList::dismissed, this, &MainWindow::Form_Click);
    connect(image1_, &EraserPicture::pressed, this, &MainWindow::Image1_MouseDown);
    connect(command4_, &QPushButton::clicked, this, &MainWindow::Command4_Click);
    connect(command5_, &QPushButton::clicked, this, &MainWindow::Command5_Click);
    connect(command6_, &QPushButton::clicked, this, &MainWindow::Command6_Click);
    connect(drive1_, &QComboBox::currentIndexChanged, this, &MainWindow::Drive1_Change);
    connect(dir1_, &FolderList::pathChanged, this, &MainWindow::Dir1_Change);
    connect(dir1_, &FolderList::openFailed, this,
            [this](const std::string& folder) { filePanel_->refuseFolder(folder); });
    connect(list2_, &ChoiceList::chosen, this, &MainWindow::List2_Click);

    Form_Load();
}

MainWindow::~MainWindow() = default;

void MainWindow::buildBoard() {
    const QFont font = boldFont(kCellFont);
    for (int cell : kBoardOrder) {
        auto* button = new CellButton(cell, image1_, this);
        button->setObjectName(QString::fromStdString(cellName(cell)));
        button->setGeometry(pixels(cellPlace(cell)));
        button->setFont(font);
        cells_.buttons[cell] = button;
        cells_.describe(cell);
        connect(button, &CellButton::cellPressed, this, &MainWindow::Command1_MouseDown);
        connect(button, &QPushButton::clicked, this, [this, cell] { Command1_Click(cell); });
        connect(button, &CellButton::dropped, this, &MainWindow::Command1_DragDrop);
        // The keyboard's eraser, for a player who cannot drag.
        connect(button, &CellButton::eraseKeyed, this,
                [this](int cell) { play_->Command1_DragDrop(cell, true); });
        connect(button, &CellButton::stepKeyed, this, &MainWindow::stepFocus);
    }
}

ColourButton* MainWindow::buildButton(const Control& control) {
    auto* button = new ColourButton(this);
    dress(button, control);
    button->setText(qText(control.text));
    const Rgb& face = *control.background;
    button->setBackground(Colour::rgb(face.red, face.green, face.blue));
    return button;
}

void MainWindow::buildDigitList() {
    list1_ = new ChoiceList(this);
    dress(list1_, kList1);
    colourDigitList();
    list1_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    list1_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    list1_->setUniformItemSizes(true);
    // The nine digits share the list's height evenly, so all show without scrolling.
    const int itemHeight = (px(kList1.place.height) - 2 * list1_->frameWidth()) / 9;
    for (int digit = 1; digit <= 9; ++digit) {
        auto* item = new QListWidgetItem(QString::number(digit), list1_);
        item->setTextAlignment(Qt::AlignCenter);
        item->setSizeHint(QSize(px(kList1.place.width) - 2 * list1_->frameWidth(), itemHeight));
    }
}

void MainWindow::colourDigitList() {
    // The digits keep their navy; the list keeps the platform's background where navy reads
    // on it, which a dark colour scheme's does not.
    QPalette palette = QApplication::palette(list1_);
    const QColor navy = qColour(*kList1.textColour);
    palette.setColor(QPalette::Base, readableAgainst(navy, palette.color(QPalette::Base)));
    for (QPalette::ColorRole role : {QPalette::Text, QPalette::WindowText, QPalette::ButtonText})
        palette.setColor(role, navy);
    list1_->setPalette(palette);
}

void MainWindow::changeEvent(QEvent* event) {
    if (event->type() == QEvent::PaletteChange && list1_)
        colourDigitList();
    QWidget::changeEvent(event);
}

void MainWindow::buildEraser() {
    image1_ = new EraserPicture(this);
    dress(image1_, kImage1);
    image1_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    image1_->setPixmap(pixmap(kEraser, image1_->devicePixelRatioF()));
}

void MainWindow::buildFilePanel(VolumeSource volumes, const std::string& startFolder) {
    command6_ = buildButton(kCommand6);

    list2_ = new ChoiceList(this);
    dress(list2_, kList2);
    setColours(list2_, kList2);

    drive1_ = new VolumeList(std::move(volumes), startFolder, this);
    dress(drive1_, kDrive1);
    // Screen readers hear a drop-down by its current entry; a label, never shown, names it.
    auto* volumeName = new QLabel(qText(kDrive1.accessibleName), this);
    volumeName->setBuddy(drive1_);
    volumeName->hide();
    setColours(drive1_, kDrive1);

    dir1_ = new FolderList(startFolder, this);
    dress(dir1_, kDir1);
    setColours(dir1_, kDir1);

    label1_ = new QLabel(this);
    dress(label1_, kLabel1);
    setColours(label1_, kLabel1);
    label1_->setTextFormat(Qt::PlainText); // a folder named "<b>x</b>" shows as typed
    label1_->setWordWrap(true);
    label1_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label1_->setFocusPolicy(Qt::NoFocus);
    label1_->lower();
    image1_->lower();

    panel_.label = label1_;
    panel_.folders = dir1_;
    panel_.volumes = drive1_;
    panel_.saveButton = command6_;
    panel_.savedGames = list2_;
}

void MainWindow::stepFocus(int cell, int rowStep, int columnStep) {
    cells_.buttons[steppedCell(cell, rowStep, columnStep)]->setFocus(Qt::TabFocusReason);
}

void MainWindow::setTabOrder() {
    QList<QWidget*> order;
    for (int cell : kBoardOrder) {
        order << cells_.buttons[cell];
        if (cell == 1)
            order << list1_;
    }
    order << command2_ << command3_ << command4_ << command5_ << list2_ << drive1_ << dir1_
          << command6_;
    for (qsizetype k = 1; k < order.size(); ++k)
        QWidget::setTabOrder(order[k - 1], order[k]);
}

void MainWindow::Form_Load() {
    commands_->Form_Load();
}
void MainWindow::Command2_Click() {
    commands_->Command2_Click();
}
void MainWindow::Command3_Click() {
    commands_->Command3_Click();
}
void MainWindow::Form_Click() {
    play_->Form_Click();
}
void MainWindow::Command1_MouseDown(int Index) {
    play_->Command1_MouseDown(Index);
}
void MainWindow::Command1_Click(int Index) {
    play_->Command1_Click(Index);
}
void MainWindow::List1_Click() {
    play_->List1_Click();
}

void MainWindow::Command4_Click() {
    filePanel_->Command4_Click();
}
void MainWindow::Command5_Click() {
    filePanel_->Command5_Click();
}
void MainWindow::Command6_Click() {
    filePanel_->Command6_Click();
}
void MainWindow::Drive1_Change() {
    filePanel_->Drive1_Change();
}
void MainWindow::Dir1_Change() {
    filePanel_->Dir1_Change();
}
void MainWindow::List2_Click() {
    filePanel_->List2_Click();
}

void MainWindow::Command1_DragDrop(int Index, const QMimeData* Source) {
    play_->Command1_DragDrop(Index, image1_->carries(Source));
}

void MainWindow::Image1_MouseDown() {
    auto* drag = new QDrag(image1_);
    drag->setMimeData(image1_->dragData());
    drag->setPixmap(image1_->pixmap());
    drag->setHotSpot(QPoint(image1_->pixmap().width() / 2, image1_->pixmap().height() / 2));
    drag->exec(Qt::MoveAction);
}

void MainWindow::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (backdrop_.isNull())
        backdrop_ = pixmap(kBackdrop, devicePixelRatioF());
    painter.drawPixmap(0, 0, backdrop_);
    for (const GridLine& line : kLines) {
        painter.setPen(QPen(qColour(kLineColour), line.widthPixels, Qt::SolidLine, Qt::SquareCap));
        painter.drawLine(px(line.x1), px(line.y1), px(line.x2), px(line.y2));
    }
}

void MainWindow::mousePressEvent(QMouseEvent* event) {
    pressedOnWindow_ = childAt(event->position().toPoint()) == nullptr;
    QWidget::mousePressEvent(event);
}

void MainWindow::mouseReleaseEvent(QMouseEvent* event) {
    const QPoint where = event->position().toPoint();
    if (pressedOnWindow_ && rect().contains(where) && childAt(where) == nullptr)
        Form_Click();
    pressedOnWindow_ = false;
    QWidget::mouseReleaseEvent(event);
}

} // namespace tessal
