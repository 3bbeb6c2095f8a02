// The window through its real widgets, with recorded boxes: on the offscreen platform, and as
// a Wayland client of a headless weston (tools/with-weston.sh).
#include "app/main_window.h"

#include "app/cell_button.h"
#include "app/contrast.h"
#include "app/eraser_picture.h"
#include "support/fakes.h"
#include "support/palettes.h"

#include <QAccessible>
#include <QComboBox>
#include <QInputDialog>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QMimeData>
#include <QScreen>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QtTest>

#include <filesystem>
#include <fstream>
#include <sys/stat.h>

using namespace tessal;

class WindowTest : public QObject {
    Q_OBJECT

    testing::RecordingDialogs dialogs;
    std::unique_ptr<QTemporaryDir> folder;
    std::unique_ptr<MainWindow> window;

    QString inFolder(const QString& name) const { return folder->filePath(name); }
    QByteArray readFile(const QString& name) const {
        QFile file(inFolder(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    QLabel* label1() const { return control<QLabel>("Label1"); }
    QListWidget* list2() const { return control<QListWidget>("List2"); }
    QListWidget* dir1() const { return control<QListWidget>("Dir1"); }
    QString panelShown() const {
        QString shown;
        for (const char* name : {"Label1", "Dir1", "Drive1", "Command6", "List2"})
            shown += control(name)->isVisible() ? '1' : '0';
        return shown;
    }
    void click(const char* name) { QTest::mouseClick(control(name), Qt::LeftButton); }
    void saveAs(const char* name) {
        dialogs.answers.push_back(name);
        click("Command6");
    }

    CellButton* cell(int index) const {
        return window->findChild<CellButton*>(QStringLiteral("Command1_%1").arg(index));
    }
    template <typename T = QWidget> T* control(const char* name) const {
        return window->findChild<T*>(QString::fromUtf8(name));
    }
    // The next widget Tab reaches, past a list's own inner viewport.
    static QWidget* nextTabStop(QWidget* from) {
        QWidget* next = from->nextInFocusChain();
        while (!(next->focusPolicy() & Qt::TabFocus) || from->isAncestorOf(next))
            next = next->nextInFocusChain();
        return next;
    }
    QListWidget* list1() const { return control<QListWidget>("List1"); }
    int firstOpenCell() const {
        for (int index : kBoardOrder)
            if (cell(index)->text().isEmpty())
                return index;
        return 0;
    }
    // A press and click on a cell, then a click on the list's item for the digit.
    void pick(int index, int digit) {
        QTest::mouseClick(cell(index), Qt::LeftButton);
        QListWidget* list = list1();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(list->item(digit - 1)).center());
    }
    // A digit the cell's box, row and column do not hold yet.
    int allowedDigit(int index) const {
        for (int digit = 1; digit <= 9; ++digit) {
            bool free = true;
            for (const Unit& unit :
                 {boxCells(boxOf(index)), rowCells(rowOf(index)), columnCells(columnOf(index))})
                for (int other : unit)
                    free = free && cell(other)->text() != QString::number(digit);
            if (free)
                return digit;
        }
        return 0;
    }

    std::vector<std::string> volumes; // what the machine has mounted, as the tests say

    // A window starting in `start`, with recorded boxes, or Qt's own when `realBoxes`.
    void open(const std::string& start, bool realBoxes = false) {
        window.reset();
        WindowServices services;
        services.dialogs = realBoxes ? nullptr : &dialogs;
        services.startFolder = start;
        services.volumes = [this] { return volumes; };
        window = std::make_unique<MainWindow>(std::move(services));
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    }
    // The keyboard goes to the window. On Wayland only the compositor activates a window,
    // through a seat's keyboard focus, and a headless weston has no seat: Qt is told the
    // window is active, as that focus would tell it.
    void activate() {
        if (QGuiApplication::platformName() == QLatin1String("wayland"))
            QApplication::setActiveWindow(window.get());
        else
            QVERIFY(QTest::qWaitForWindowActive(window.get()));
    }
    // A file or folder whose name is bytes that need not be UTF-8.
    std::string bytePath(const char* name) const {
        return folder->path().toStdString() + "/" + name;
    }
    // Answers Qt's modal boxes as they open, for as long as it lives.
    struct ModalAnswerer {
        QTimer timer;
        explicit ModalAnswerer(std::function<void(QWidget*)> answer) {
            QObject::connect(&timer, &QTimer::timeout, [answer] {
                if (QWidget* modal = QApplication::activeModalWidget())
                    answer(modal);
            });
            timer.start(10);
        }
    };

    // The strongest contrast between a widget's text and its background, the colour at `ground`.
    static double textContrast(QWidget* widget, QPoint ground) {
        const QImage image = widget->grab().toImage();
        const QColor background = image.pixelColor(ground * image.devicePixelRatio());
        double best = 1;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                best = std::max(best, contrastRatio(background, image.pixelColor(x, y)));
        return best;
    }
    static bool shows(QWidget* widget, const QColor& colour) {
        const QImage image = widget->grab().toImage();
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (image.pixelColor(x, y) == colour)
                    return true;
        return false;
    }

  private slots:
    void init() {
        dialogs = {};
        folder = std::make_unique<QTemporaryDir>();
        QDir(folder->path()).mkdir(QStringLiteral("sous"));
        volumes = {"/", folder->path().toStdString(),
                   inFolder(QStringLiteral("sans-support")).toStdString()};
        open(folder->path().toStdString());
    }
    void cleanup() {
        window.reset();
        // Qt cannot remove the names that are not UTF-8 some tests make; the file system can.
        std::filesystem::remove_all(folder->path().toStdString());
        folder.reset();
    }

    void layoutAtStart() {
        QCOMPARE(window->windowTitle().left(9), QStringLiteral("Tessal - "));
        QCOMPARE(window->size(), QSize(851, 520));
        QCOMPARE(cell(1)->geometry(), QRect(120, 136, 33, 33));
        QCOMPARE(cell(23)->pos(), QPoint(392, 136));
        QCOMPARE(cell(67)->pos(), QPoint(120, 408));
        QCOMPARE(cell(89)->pos(), QPoint(392, 408));
        QCOMPARE(control("Command2")->geometry(), QRect(600, 88, 81, 41));
        QCOMPARE(control("Command6")->geometry(), QRect(720, 384, 129, 33));
        QCOMPARE(control("Command4")->toolTip(), QStringLiteral("Enregistre la partie en cours"));
        QCOMPARE(control("Command5")->toolTip(), QStringLiteral("Reprend la partie enregistrée"));
        QCOMPARE(control("Image1")->toolTip(), QStringLiteral("Gomme"));
        QCOMPARE(control("Image1")->pos(), QPoint(160, 24));
        QCOMPARE(control<QPushButton>("Command3")->text(), QStringLiteral("RE-INITIALISE"));

        for (const char* shown :
             {"Command2", "Command3", "Command4", "Command5", "Image1", "Label1"})
            QVERIFY2(control(shown)->isVisible(), shown);
        for (const char* hidden : {"Command6", "Drive1", "Dir1", "List2"})
            QVERIFY2(!control(hidden)->isVisible(), hidden);
        QVERIFY(control<QLabel>("Label1")->text().isEmpty());
        QCOMPARE(list1()->geometry(), QRect(-24, 248, 17, 121));
        QVERIFY(list1()->geometry().right() < 0);
    }

    void digitListShowsAllNineItems() {
        QCOMPARE(list1()->count(), 9);
        for (int row = 0; row < 9; ++row) {
            QCOMPARE(list1()->item(row)->text(), QString::number(row + 1));
            QVERIFY(
                list1()->viewport()->rect().contains(list1()->visualItemRect(list1()->item(row))));
        }
    }

    void aDealShowsThirtyGivensInTheGivenColour() {
        int digits = 0;
        for (int index : kBoardOrder) {
            QCOMPARE(cell(index)->background(), kGivenColour);
            QVERIFY(cell(index)->isVisible());
            digits += cell(index)->text().isEmpty() ? 0 : 1;
        }
        QCOMPARE(digits, 30);
    }

    void anotherGameFromItsButton() {
        const int open = firstOpenCell();
        pick(open, allowedDigit(open));
        QCOMPARE(cell(open)->background(), kEntryColour);
        QTest::mouseClick(control("Command2"), Qt::LeftButton);
        aDealShowsThirtyGivensInTheGivenColour();
    }

    void resetFromItsButton() {
        const int open = firstOpenCell();
        pick(open, allowedDigit(open));
        QVERIFY(!cell(open)->text().isEmpty());
        QTest::mouseClick(control("Command3"), Qt::LeftButton);
        QVERIFY(cell(open)->text().isEmpty());
        QCOMPARE(cell(open)->background(), kGivenColour);
    }

    void entryCellsPaintTheirExactColour() {
        const int open = firstOpenCell();
        pick(open, allowedDigit(open));
        const QImage face = cell(open)->grab().toImage();
        QCOMPARE(face.pixelColor(5, 5), QColor(255, 255, 192));
        const QImage button = control("Command2")->grab().toImage();
        QCOMPARE(button.pixelColor(4, 4), QColor(255, 128, 128));
    }

    // Each cell tells a screen reader where it stands and whose digit it holds: every cell as
    // one connects, then each change; with none listening, a deal writes no description.
    void cellsAreDescribedWhileAReaderListens() {
        if (QAccessible::isActive())
            QSKIP("a screen reader listens on this desktop");
        const auto describedAsShown = [this] {
            for (int index : kBoardOrder)
                if (cell(index)->accessibleDescription().toStdString() !=
                    layout::cellDescription(index, cell(index)->text().toStdString(),
                                            cell(index)->background()))
                    return false;
            return true;
        };
        for (int index : kBoardOrder)
            QVERIFY(cell(index)->accessibleDescription().isEmpty());
        QAccessible::setActive(true);
        QVERIFY(describedAsShown());
        click("Command2");
        QVERIFY(describedAsShown());
        QAccessible::setActive(false);
    }

    void theListOpensBesideAnEmptyCellInFrontOfTheCells() {
        const int open = firstOpenCell();
        QTest::mouseClick(cell(open), Qt::LeftButton);
        QCOMPARE(list1()->pos(),
                 QPoint(layout::px(kCellSizeTwips + cellLeftTwips(open)),
                        layout::px(cellTopTwips(open) - layout::kList1.place.height)));
        QCOMPARE(window->children().last(), list1()); // raised above the cells
    }

    void aClickOnAFilledCellLeavesTheListAlone() {
        for (int index : kBoardOrder)
            if (!cell(index)->text().isEmpty()) {
                QTest::mouseClick(cell(index), Qt::LeftButton);
                break;
            }
        QCOMPARE(list1()->x(), -24);
    }

    void aConflictShowsItsBoxAndLeavesTheCell() {
        int given = 0;
        for (int index : kBoardOrder)
            if (!cell(index)->text().isEmpty()) {
                given = index;
                break;
            }
        int open = 0;
        for (int index : boxCells(boxOf(given)))
            if (cell(index)->text().isEmpty())
                open = index;
        pick(open, cell(given)->text().toInt());
        QCOMPARE(dialogs.texts(), std::vector<std::string>{"Déjà mis dans le carré!"});
        QVERIFY(cell(open)->text().isEmpty());
        QCOMPARE(cell(open)->background(), kGivenColour);
        QCOMPARE(list1()->x(), layout::px(kPutAwayLeftTwips));
    }

    void theSameDigitTwiceInARow() {
        std::vector<int> open;
        for (int index : kBoardOrder)
            if (cell(index)->text().isEmpty() && boxOf(index) == 0)
                open.push_back(index);
        const int digit = allowedDigit(open[0]);
        pick(open[0], digit);
        QCOMPARE(cell(open[0])->text(), QString::number(digit));
        pick(open[1], digit); // the item already selected: still a pick, refused by the box
        QCOMPARE(dialogs.texts(), std::vector<std::string>{"Déjà mis dans le carré!"});
    }

    void clicksOnTheWindowTheLabelAndTheEraser() {
        QTest::mouseClick(cell(firstOpenCell()), Qt::LeftButton);
        const int opened = list1()->x();
        QVERIFY(opened > 0);
        QTest::mouseClick(control("Label1"), Qt::LeftButton, {}, QPoint(5, 5));
        QCOMPARE(list1()->x(), opened);
        QTest::mouseClick(window.get(), Qt::LeftButton, {}, QPoint(20, 400));
        QCOMPARE(list1()->x(), -20);
        QTest::mouseClick(window.get(), Qt::LeftButton, {}, QPoint(40, 40));
        QCOMPARE(list1()->x(), -20);
    }

    void theEraserDropClearsAnEntryOnly() {
        const int open = firstOpenCell();
        pick(open, allowedDigit(open));
        auto* eraser = control<EraserPicture>("Image1");
        const std::unique_ptr<QMimeData> own(eraser->dragData());
        QMimeData otherData;
        otherData.setText(QStringLiteral("Gomme"));

        // Refused as they enter: another window's eraser, and the picture's cache key, the same
        // in every copy of the game, which its drag once carried.
        MainWindow otherWindow;
        const std::unique_ptr<QMimeData> othersEraser(
            otherWindow.findChild<EraserPicture*>(QStringLiteral("Image1"))->dragData());
        QMimeData sharedKey;
        sharedKey.setData(QStringLiteral("application/x-tessal-eraser"),
                          QByteArray::number(eraser->pixmap().cacheKey()));
        for (const QMimeData* data : {othersEraser.get(), &sharedKey, own.get()}) {
            QDragEnterEvent enter(cell(open)->rect().center(), Qt::MoveAction, data, Qt::LeftButton,
                                  {});
            QApplication::sendEvent(cell(open), &enter);
            QCOMPARE(enter.isAccepted(), data == own.get());
        }

        window->Command1_DragDrop(open, &otherData);
        QVERIFY(!cell(open)->text().isEmpty());
        window->Command1_DragDrop(open, own.get());
        QVERIFY(cell(open)->text().isEmpty());
        QCOMPARE(cell(open)->background(), kEntryColour);

        int given = 0;
        for (int index : kBoardOrder)
            if (!cell(index)->text().isEmpty())
                given = index;
        const QString digit = cell(given)->text();
        window->Command1_DragDrop(given, own.get());
        QCOMPARE(cell(given)->text(), digit);

        QTest::mouseClick(cell(open), Qt::LeftButton); // the picker opens on it again
        QVERIFY(list1()->x() > 0);
        QCOMPARE(eraser->pos(), QPoint(160, 24));
    }

    void savingThroughThePanel() {
        QCOMPARE(panelShown(), QStringLiteral("10000"));
        click("Command4");
        QCOMPARE(panelShown(), QStringLiteral("11110"));
        QCOMPARE(label1()->text(), folder->path());
        saveAs("une");
        QCOMPARE(panelShown(), QStringLiteral("00000"));
        const QByteArray bytes = readFile(QStringLiteral("tessalune.txt"));
        QCOMPARE(bytes.size(), 81 * 4);
        QCOMPARE(bytes.count("\r\n"), 81);
        QCOMPARE(bytes.count('G'), 81);
        QVERIFY(dialogs.messages.empty());
    }

    void aDoubleClickMovesTheFolderList() {
        click("Command4");
        QListWidgetItem* sub =
            dir1()->findItems(QStringLiteral("sous"), Qt::MatchEndsWith).value(0);
        QVERIFY(sub);
        const QRect where = dir1()->visualItemRect(sub);
        QTest::mouseClick(dir1()->viewport(), Qt::LeftButton, {}, where.center());
        QCOMPARE(label1()->text(), folder->path()); // a single click only highlights
        QTest::mouseDClick(dir1()->viewport(), Qt::LeftButton, {}, where.center());
        QCOMPARE(label1()->text(), inFolder(QStringLiteral("sous")));
    }

    void aFolderThatCannotBeOpenedIsRefused() {
        click("Command4");
        QListWidgetItem* sub =
            dir1()->findItems(QStringLiteral("sous"), Qt::MatchEndsWith).value(0);
        QVERIFY(sub);
        QVERIFY(QDir(inFolder(QStringLiteral("sous"))).removeRecursively());
        QTest::mouseClick(dir1()->viewport(), Qt::LeftButton, {},
                          dir1()->visualItemRect(sub).center());
        QTest::mouseDClick(dir1()->viewport(), Qt::LeftButton, {},
                           dir1()->visualItemRect(sub).center());
        QCOMPARE(dialogs.messages.size(), std::size_t(1));
        QVERIFY(dialogs.messages[0].icon == MessageIcon::Critical);
        QCOMPARE(label1()->text(), folder->path());
        QVERIFY(!dir1()->findItems(QStringLiteral("sous"), Qt::MatchEndsWith).isEmpty());
    }

    void theArrowKeysResumeAtOnce() {
        for (const char* name : {"tessala.txt", "tessalb.txt"}) {
            QFile file(inFolder(QString::fromUtf8(name)));
            QVERIFY(file.open(QIODevice::WriteOnly));
            for (int n = 0; n < 81; ++n)
                file.write(name[6] == 'a' ? "J6\r\n" : "J7\r\n");
        }
        click("Command5");
        list2()->setFocus(); // focus alone marks the first entry, loading nothing
        QVERIFY(list2()->isVisible());
        QTest::keyClick(list2(), Qt::Key_Down); // the first Down chooses the first game
        QCOMPARE(cell(89)->text(), QStringLiteral("6"));
        QVERIFY(!list2()->isVisible());
    }

    void theKeyboardAlonePlaysACell() {
        activate();
        QVERIFY(window->isActiveWindow());
        const int open = firstOpenCell();
        const int digit = allowedDigit(open);
        cell(open)->setFocus(Qt::TabFocusReason);
        QTest::keyClick(cell(open), Qt::Key_Space); // a press, as with the mouse, and a click
        QCOMPARE(window->values().currentCell, open);
        QCOMPARE(window->focusWidget(), list1());
        QTest::keyClick(list1(), static_cast<Qt::Key>(Qt::Key_0 + digit));
        QCOMPARE(cell(open)->text(), QString::number(digit));
        QCOMPARE(window->focusWidget(), cell(open));
        QTest::keyClick(window->focusWidget(), Qt::Key_Down); // no longer reaches the list
        QCOMPARE(cell(open)->text(), QString::number(digit));
        // At any speed: a digit typed at once after the last one still lands.
        for (int round = 0; round < 8; ++round) {
            const int next = firstOpenCell(), digit = allowedDigit(next);
            if (digit == 0)
                break;
            QTest::keyClick(cell(next), Qt::Key_Space);
            QTest::keyClick(list1(), static_cast<Qt::Key>(Qt::Key_0 + digit));
            QCOMPARE(cell(next)->text(), QString::number(digit));
        }

        const int next = firstOpenCell();
        QTest::keyClick(cell(next), Qt::Key_Space);
        QTest::keyClick(list1(), Qt::Key_Escape); // turned down: nothing written
        QCOMPARE(list1()->x(), layout::px(kPutAwayLeftTwips));
        QCOMPARE(window->focusWidget(), cell(next));
        QVERIFY(cell(next)->text().isEmpty());
    }

    // What a mouse player does, a keyboard player does too: the arrows walk the grid, Enter
    // opens the list, Delete erases, the keyboard comes back after a refusal's box, and every
    // saved game can be resumed.
    void theKeyboardReachesWhatTheMouseDoes() {
        // Game 5, listed first, starts with a space, which Space must not search for.
        const char* const names[] = {"tessalpartie1.txt", "tessalpartie2.txt", "tessalpartie3.txt",
                                     "tessalzeta.txt", "tessal espace.txt"};
        for (int game = 1; game <= 5; ++game) {
            std::ofstream file(bytePath(names[game - 1]), std::ios::binary);
            for (int n = 0; n < 81; ++n)
                file << (n < 80 ? "J0\r\n" : qPrintable(QStringLiteral("J%1\r\n").arg(game)));
        }
        open(folder->path().toStdString(), true);
        activate();

        cell(cellAt(2, 2))->setFocus();
        for (auto [key, row, column] : {std::tuple{Qt::Key_Right, 2, 3},
                                        {Qt::Key_Down, 3, 3},
                                        {Qt::Key_Left, 3, 2},
                                        {Qt::Key_Up, 2, 2}}) {
            QTest::keyClick(window->focusWidget(), key);
            QCOMPARE(window->focusWidget(), cell(cellAt(row, column)));
        }
        cell(cellAt(0, 0))->setFocus();
        QTest::keyClick(window->focusWidget(), Qt::Key_Up); // the edge holds it
        QCOMPARE(window->focusWidget(), cell(cellAt(0, 0)));

        const int open = firstOpenCell();
        int taken = 0; // a digit its box already holds
        for (int other : boxCells(boxOf(open)))
            taken = cell(other)->text().isEmpty() ? taken : cell(other)->text().toInt();
        int refusals = 0;
        ModalAnswerer answerer([&](QWidget* modal) {
            ++refusals;
            static_cast<QDialog*>(modal)->accept();
        });
        QTest::keyClick(cell(open), Qt::Key_Return);
        QVERIFY(list1()->x() >= 0);
        QTest::keyClick(list1(), static_cast<Qt::Key>(Qt::Key_0 + taken));
        QCOMPARE(refusals, 1);
        QTRY_COMPARE(window->focusWidget(), cell(open));
        const int digit = allowedDigit(open);
        QTest::keyClick(cell(open), Qt::Key_Space);
        QTest::keyClick(list1(), static_cast<Qt::Key>(Qt::Key_0 + digit));
        QCOMPARE(cell(open)->text(), QString::number(digit));
        QTest::keyClick(cell(open), Qt::Key_Delete);
        QVERIFY(cell(open)->text().isEmpty());
        QTest::keyClick(cell(open), Qt::Key_Space); // opened anew, with no digit chosen
        QVERIFY(list1()->selectedItems().isEmpty());
        QTest::keyClick(list1(), Qt::Key_Escape);
        int given = 0;
        for (int index : kBoardOrder)
            given = cell(index)->text().isEmpty() ? given : index;
        const QString kept = cell(given)->text();
        QTest::keyClick(cell(given), Qt::Key_Delete); // a given stays
        QCOMPARE(cell(given)->text(), kept);

        // "p" resumes the first game that starts with it; Ctrl walks to the others.
        using Keys = QList<QKeyCombination>;
        for (auto [keys, resumed] :
             {std::pair{Keys{Qt::Key_P}, "1"},
              {Keys{Qt::CTRL | Qt::Key_End, Qt::CTRL | Qt::Key_Up, Qt::Key_Return}, "3"},
              {Keys{Qt::CTRL | Qt::Key_End, Qt::Key_Space}, "4"}}) {
            QTest::keyClick(control("Command5"), Qt::Key_Return);
            for (QKeyCombination key : keys)
                QTest::keyClick(list2(), key.key(), key.keyboardModifiers());
            QCOMPARE(cell(89)->text(), QString::fromUtf8(resumed));
        }
    }

    // The volume list, the folder list and the label stay on the folder they were on.
    void aVolumeWithoutMediumIsReported() {
        click("Command4");
        auto* drive1 = control<QComboBox>("Drive1");
        drive1->setCurrentIndex(2);
        QCOMPARE(dialogs.texts(), std::vector<std::string>{"Le périphérique n'est pas disponible"});
        QVERIFY(dialogs.messages[0].title == std::optional<std::string>("Erreur"));
        QCOMPARE(drive1->currentIndex(), 1);
        QCOMPARE(label1()->text(), folder->path());
        saveAs("ici");
        QVERIFY(QFile::exists(inFolder(QStringLiteral("tessalici.txt"))));
        click("Command4");
        drive1->setCurrentIndex(0);
        QCOMPARE(label1()->text(), QStringLiteral("/"));
    }

    // A long name with no space to break at wraps inside the box, and the box inside the
    // screen; one too long for the screen's height keeps its start and its end.
    void aBoxWithALongNameFitsTheScreen() {
        open(folder->path().toStdString(), true);
        for (int length : {300, 5000}) {
            const QString name = QStringLiteral("x").repeated(length) + QStringLiteral("/");
            QString shown;
            bool fits = false;
            ModalAnswerer answerer([&](QWidget* modal) {
                if (auto* input = qobject_cast<QInputDialog*>(modal)) {
                    input->setTextValue(name);
                    input->accept();
                } else if (auto* box = qobject_cast<QMessageBox*>(modal)) {
                    auto* text = box->findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
                    const QRect room = text->contentsRect();
                    // Where the box stands is the window system's to choose (a Wayland
                    // compositor's alone): its size is the game's.
                    const QSize screen = box->screen()->availableGeometry().size();
                    fits = box->frameGeometry().width() <= screen.width() &&
                           box->frameGeometry().height() <= screen.height() &&
                           room.contains(text->fontMetrics().boundingRect(room, Qt::TextWordWrap,
                                                                          text->text()));
                    shown = box->text().remove(QChar::LineSeparator);
                    box->accept();
                }
            });
            click("Command4");
            click("Command6");
            QVERIFY(fits);
            const QString whole = QStringLiteral("Le nom « \u2068%1\u2069 » ne peut pas servir : "
                                                 "il ne doit contenir ni « / » ni « \\ ».")
                                      .arg(name);
            if (length == 300)
                QCOMPARE(shown, whole);
            else
                QVERIFY(shown.startsWith(whole.left(30)) && shown.endsWith(whole.right(80)) &&
                        shown.contains(QStringLiteral("x…x")) && shown.size() < whole.size());
        }
    }

    void resumingAndSavingUnderAnotherNameKeepsTheBytes() {
        QByteArray crafted;
        for (int n = 0; n < 81; ++n)
            crafted += n % 3 == 0 ? "G5\r\n" : n % 3 == 1 ? "J2\r\n" : "J0\r\n";
        QFile file(inFolder(QStringLiteral("tessalfaite.txt")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(crafted);
        file.close();

        click("Command4");
        click("Command5");
        QCOMPARE(panelShown(), QStringLiteral("11111"));
        QCOMPARE(label1()->text(), inFolder(QStringLiteral("tessal*.txt")));
        QCOMPARE(list2()->count(), 1);
        QTest::mouseClick(list2()->viewport(), Qt::LeftButton, {},
                          list2()->visualItemRect(list2()->item(0)).center());
        QCOMPARE(panelShown(), QStringLiteral("00010"));
        QCOMPARE(cell(1)->text(), QStringLiteral("5"));
        QCOMPARE(cell(2)->background(), kEntryColour);

        click("Command4");
        saveAs("copie");
        QCOMPARE(readFile(QStringLiteral("tessalcopie.txt")), crafted);

        click("Command3"); // back to the resumed game's givens
        QCOMPARE(cell(1)->text(), QStringLiteral("5"));
        QVERIFY(cell(2)->text().isEmpty());
        QCOMPARE(cell(2)->background(), kGivenColour);
    }

    void resumeWithTheLabelHiddenKeepsItHidden() {
        click("Command4");
        saveAs("");
        click("Command5");
        QCOMPARE(panelShown(), QStringLiteral("01101"));
        QCOMPARE(label1()->text(), inFolder(QStringLiteral("tessal*.txt")));
    }

    void namesAreShownAsTypedNeverAsMarkup() {
        QVERIFY(QDir(folder->path()).mkpath(QStringLiteral("<b>x</b>"))); // "<b>x<" holds "b>"
        open(inFolder(QStringLiteral("<b>x</b>")).toStdString(), true);
        click("Command4");
        QCOMPARE(label1()->text(), inFolder(QStringLiteral("<b>x</b>")));
        QCOMPARE(label1()->textFormat(), Qt::PlainText);

        const QString name = QStringLiteral("<img src=\"nulle-part.png\"><b>x</b>");
        QString shown, cancel;
        Qt::TextFormat format = Qt::AutoText;
        ModalAnswerer answerer([&](QWidget* modal) {
            if (auto* input = qobject_cast<QInputDialog*>(modal)) {
                cancel = input->cancelButtonText();
                input->setTextValue(name);
                input->accept();
            } else if (auto* box = qobject_cast<QMessageBox*>(modal)) {
                shown = box->text();
                format = box->textFormat();
                box->accept();
            }
        });
        click("Command6"); // refused for its "/", and the refusal quotes it
        QVERIFY2(shown.contains(name), qPrintable(shown));
        QCOMPARE(format, Qt::PlainText);
        QCOMPARE(cancel, QStringLiteral("Annuler"));
    }

    void namesFromTheFileSystemOpenTheirOwnFiles() {
        // Latin-1, a name that differs from another only by a leading U+FEFF, and names that
        // would reorder or break their line, which show U+FFFD in their place.
        for (const auto& [name, line] : {std::pair{"tessal\xe9t\xe9.txt", "J1\r\n"},
                                         {"tessalabc.txt", "J2\r\n"},
                                         {"tessal\xef\xbb\xbf"
                                          "abc.txt",
                                          "J3\r\n"},
                                         {"tessal16\u202eman.exe.txt", "J4\r\n"},
                                         {"tessal18\nligne.txt", "J5\r\n"}}) {
            std::ofstream file(bytePath(name), std::ios::binary);
            for (int n = 0; n < 81; ++n)
                file << line;
        }
        QSet<QString> loaded;
        for (int row = 0; row < 5; ++row) {
            click("Command5");
            QCOMPARE(list2()->count(), 5);
            QTest::mouseClick(list2()->viewport(), Qt::LeftButton, {},
                              list2()->visualItemRect(list2()->item(row)).center());
            loaded << cell(89)->text();
        }
        QVERIFY(dialogs.messages.empty());
        QCOMPARE(loaded, (QSet<QString>{"1", "2", "3", "4", "5"}));
        for (const QString& shown :
             {QStringLiteral("16\ufffdman.exe"), QStringLiteral("18\ufffdligne")})
            QCOMPARE(list2()->findItems(shown, Qt::MatchExactly).size(), 1);

        QVERIFY(::mkdir(bytePath("caf\xe9").c_str(), 0755) == 0);
        click("Command4");
        QListWidgetItem* cafe = nullptr;
        for (int row = 0; row < dir1()->count(); ++row)
            if (dir1()->item(row)->data(Qt::UserRole).toByteArray().endsWith("caf\xe9"))
                cafe = dir1()->item(row);
        QVERIFY(cafe);
        QTest::mouseClick(dir1()->viewport(), Qt::LeftButton, {},
                          dir1()->visualItemRect(cafe).center());
        QTest::mouseDClick(dir1()->viewport(), Qt::LeftButton, {},
                           dir1()->visualItemRect(cafe).center());
        QVERIFY(label1()->text().endsWith(QStringLiteral("caf\ufffd")));
        saveAs("ici");
        QVERIFY(dialogs.messages.empty());
        QVERIFY(std::ifstream(bytePath("caf\xe9/tessalici.txt")).good());
    }

    // A path too long for the label keeps its end, the folder a save goes to, and fits, even
    // behind the saved games' pattern; the save still goes there, and a screen reader hears
    // the path whole as the label's name.
    void aLongFolderShowsItsEndInTheLabel() {
        QString named = folder->path(), numbered = folder->path();
        for (const char* name : {"Documents personnels", "Jeux de réflexion",
                                 "Parties enregistrées", "Tessal", "2026"})
            named += QStringLiteral("/") + QString::fromUtf8(name);
        for (int level = 1; level <= 16; ++level)
            numbered += QStringLiteral("/niveau%1").arg(level);
        const auto showsEnd = [this](const QString& whole, const QString& end) {
            const QString shown = label1()->text();
            const QRect room = label1()->contentsRect();
            return shown.startsWith(u'\u2026') && whole.endsWith(shown.mid(1)) &&
                   shown.endsWith(end) && label1()->accessibleName() == whole &&
                   room.contains(
                       label1()->fontMetrics().boundingRect(room, Qt::TextWordWrap, shown));
        };
        for (const auto& [deep, last] : {std::pair{named, QStringLiteral("décembre")},
                                         {named, QStringLiteral("x").repeated(120)},
                                         {numbered, QStringLiteral("x").repeated(200)}}) {
            const QString path = deep + QStringLiteral("/") + last;
            QVERIFY(QDir().mkpath(path));
            open(path.toStdString());
            click("Command4");
            QVERIFY2(showsEnd(path, last.right(8)), qPrintable(label1()->text()));
            QCOMPARE(label1()->accessibleDescription(),
                     QStringLiteral("Répertoire d'enregistrement"));
            saveAs("long");
            QVERIFY(QFile::exists(path + QStringLiteral("/tessallong.txt")));
            click("Command5");
            const QString pattern = QStringLiteral("/tessal*.txt");
            QVERIFY2(showsEnd(path + pattern, last.right(8) + pattern),
                     qPrintable(label1()->text()));
        }
    }

    void theVolumeListIsReadAnewAtEachOpening() {
        auto* drive1 = control<QComboBox>("Drive1");
        click("Command4");
        QCOMPARE(drive1->count(), 3);
        drive1->setCurrentIndex(1);
        saveAs("");                                                        // closes the panel
        volumes.push_back(inFolder(QStringLiteral("sous")).toStdString()); // a stick plugged in
        click("Command4");
        QCOMPARE(drive1->count(), 4);
        QCOMPARE(drive1->currentText(), folder->path());
    }

    // Two volumes mounted side by side deep in a folder show apart in the closed chooser.
    void volumesSideBySideShowTheirEnds() {
        QString deep = folder->path();
        for (int level = 1; level <= 4; ++level)
            deep += QStringLiteral("/supports-amovibles-%1").arg(level);
        volumes = {"/"};
        for (const char* name : {"/KINGSTON-A", "/KINGSTON-B"}) {
            QVERIFY(QDir().mkpath(deep + QString::fromUtf8(name)));
            volumes.push_back((deep + QString::fromUtf8(name)).toStdString());
        }
        click("Command4");
        auto* drive1 = control<QComboBox>("Drive1");
        drive1->setCurrentIndex(1);
        const QImage first = drive1->grab().toImage();
        drive1->setCurrentIndex(2);
        QVERIFY(drive1->grab().toImage() != first);
    }

    // A folder's depth is drawn, not typed into its name: its first letters find it, a
    // screen reader hears the name alone, and each level down starts further right.
    void foldersAreIndentedOutsideTheirNames() {
        activate();
        click("Command4");
        dir1()->setFocus();
        QTest::keyClicks(dir1(), QStringLiteral("so"));
        QCOMPARE(dir1()->currentItem()->text(), QStringLiteral("sous"));
        const QStringList names = QStringList{QStringLiteral("/")} +
                                  folder->path().split(u'/', Qt::SkipEmptyParts) +
                                  QStringList{QStringLiteral("sous")};
        QCOMPARE(dir1()->count(), names.size());
        QAccessibleInterface* list = QAccessible::queryAccessibleInterface(dir1());
        window->setFocus(); // the list unmarked
        const QImage shot = dir1()->viewport()->grab().toImage();
        const QColor ground = dir1()->palette().color(QPalette::Base);
        int previousStart = -1;
        for (int row = 0; row < names.size(); ++row) {
            QCOMPARE(dir1()->item(row)->text(), names[row]);
            QCOMPARE(list->child(row)->text(QAccessible::Name), names[row]);
            const QRect item = dir1()->visualItemRect(dir1()->item(row));
            int start = item.right();
            for (int y = item.top(); y <= item.bottom(); ++y)
                for (int x = item.left(); x < start; ++x)
                    if (shot.pixelColor(QPoint(x, y) * shot.devicePixelRatio()) != ground)
                        start = x;
            QVERIFY2(start > previousStart, qPrintable(names[row]));
            previousStart = start;
        }
    }

    // The ring of a list that holds the keyboard stays on its edge while the list scrolls,
    // as the window's own drawing shows it, not only a fresh grab.
    void aScrolledListKeepsItsRingOnItsEdge() {
        for (int n = 0; n < 30; ++n)
            QVERIFY(QDir(folder->path()).mkdir(QStringLiteral("dossier%1").arg(n)));
        activate();
        click("Command4");
        dir1()->setFocus();
        QTest::qWait(50);
        dir1()->verticalScrollBar()->setValue(dir1()->verticalScrollBar()->value() + 3);
        QTest::qWait(50);
        const QImage shot = window->screen()->grabWindow(window->winId()).toImage();
        if (shot.isNull())
            QSKIP("Wayland hands no client the window's drawing");
        const QColor ring = starkAgainst(dir1()->palette().color(QPalette::Base));
        const QRect inside(dir1()->viewport()->mapTo(window.get(), QPoint(4, 4)),
                           dir1()->viewport()->size() - QSize(8, 8));
        for (int y = inside.top(); y <= inside.bottom(); ++y) {
            int marked = 0;
            for (int x = inside.left(); x <= inside.right(); ++x)
                marked += shot.pixelColor(QPoint(x, y) * shot.devicePixelRatio()) == ring;
            QVERIFY2(marked < inside.width() / 2, qPrintable(QString::number(y)));
        }
    }

    void anUnreadableStartFolderStillShowsItsParents() {
        open(inFolder(QStringLiteral("partie")).toStdString()); // removed since
        click("Command4");
        QVERIFY(dir1()->count() >= 3);
        QVERIFY(!dir1()->findItems(QStringLiteral("/"), Qt::MatchExactly).isEmpty());
    }

    void textsReadOnTheirFixedColours_data() {
        QTest::addColumn<bool>("dark");
        QTest::newRow("default palette") << false;
        QTest::newRow("dark colour scheme") << true;
    }
    void textsReadOnTheirFixedColours() {
        QFETCH(bool, dark);
        const testing::ApplicationPalette scheme(dark ? testing::darkerPalette()
                                                      : QApplication::palette());
        const QPalette palette = QApplication::palette();
        open(folder->path().toStdString());
        const int open = firstOpenCell();
        pick(open, allowedDigit(open));
        click("Command4");
        for (QWidget* widget :
             {static_cast<QWidget*>(cell(open)), control("Command2"), control("Command3"),
              control("Command4"), control("Command5"), control("Command6")})
            QVERIFY2(textContrast(widget, QPoint(4, 4)) >= 4.5, qPrintable(widget->objectName()));
        QTest::mouseClick(cell(firstOpenCell()), Qt::LeftButton);
        // An item other than the digit just picked, which stays highlighted.
        const QRect unselected =
            list1()->visualItemRect(list1()->item((list1()->currentRow() + 1) % 9));
        QVERIFY(textContrast(list1()->viewport(), unselected.topLeft() + QPoint(1, 1)) >= 4.5);

        // Where the platform's colours read, they stay: the givens wholly, black on pale yellow.
        int given = 0;
        for (int index : kBoardOrder)
            given = cell(index)->text().isEmpty() ? given : index;
        QVERIFY(shows(cell(given), palette.color(QPalette::Button)));
        QVERIFY(shows(cell(given), palette.color(QPalette::ButtonText)));
        QCOMPARE(shows(cell(open), palette.color(QPalette::ButtonText)), !dark);
    }

    // The digit list is a Tab stop, second after cell 1, only while it stands open; Tab or
    // Shift+Tab out of it puts it away, as a click on the bare window does.
    void tabOrderRunsThroughTheCellsWithTheListSecond() {
        activate();
        QCOMPARE(nextTabStop(cell(1)), cell(2));
        QCOMPARE(nextTabStop(cell(9)), cell(11));
        QCOMPARE(nextTabStop(cell(89)), control("Command2"));
        QCOMPARE(nextTabStop(control("Command5")), control("List2"));
        for (auto [key, modifiers, to] : {std::tuple{Qt::Key_Tab, Qt::NoModifier, 2},
                                          {Qt::Key_Backtab, Qt::ShiftModifier, 1}}) {
            QTest::mouseClick(cell(firstOpenCell()), Qt::LeftButton);
            QCOMPARE(window->focusWidget(), list1());
            QCOMPARE(nextTabStop(cell(1)), list1());
            QCOMPARE(nextTabStop(list1()), cell(2));
            QTest::keyClick(list1(), key, modifiers);
            QCOMPARE(window->focusWidget(), cell(to));
            QCOMPARE(list1()->x(), layout::px(kPutAwayLeftTwips));
        }
    }
};

QTEST_MAIN(WindowTest)
#include "window_test.moc"
