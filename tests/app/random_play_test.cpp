// Random play against the real window: clicks, presses, keys, drops, saves and resumes in
// random orders, each sent as a real Qt event, with the board's rules checked after every one.
// A failure prints its seed and its events. TESSAL_RANDOM_SEEDS=n plays n fresh seeds more.
#include "app/main_window.h"

#include "app/cell_button.h"
#include "app/eraser_picture.h"
#include "app/folder_list.h"
#include "savegame/saved_game.h"
#include "support/fakes.h"

#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QMimeData>
#include <QTemporaryDir>
#include <QtTest>

#include <filesystem>
#include <fstream>
#include <random>

using namespace tessal;
using testing::SeededRandom;

namespace {

struct Square {
    QString text;
    Colour colour = kGivenColour;
    bool operator==(const Square&) const = default;
};
using Board = std::array<Square, kHighestCell + 1>;

constexpr int kEventsPerSeed = 250;
const unsigned kSeeds[] = {1, 2, 3, 5, 8, 13, 21, 34, 55, 89, 144, 233, 377, 610, 987, 1597};
// "" cancels; "a/b" and the right-to-left override are refused; "\uFEFFA" is not "A".
const char* const kNames[] = {"A",
                              "B",
                              "été",
                              "",
                              "a/b",
                              "<i>x",
                              "\uFEFF"
                              "A",
                              "x\u202Eexe"};
// Saved before play begins, under a name that is not UTF-8.
const char* const kLatin1Game = "tessal\xe9t\xe9.txt";

QByteArray bytesOf(const Board& board) {
    QByteArray bytes;
    for (int cell : kBoardOrder) {
        bytes += board[cell].colour == kGivenColour ? 'G' : 'J';
        bytes += board[cell].text.isEmpty() ? QByteArray("0") : board[cell].text.toLatin1();
        bytes += "\r\n";
    }
    return bytes;
}

QString describe(const Square& square) {
    return QStringLiteral("\"%1\" (%2)")
        .arg(square.text, square.colour == kGivenColour ? QStringLiteral("given colour")
                                                        : QStringLiteral("entry colour"));
}

bool duplicateFree(const Board& board) {
    for (int k = 0; k < 9; ++k)
        for (const Unit& unit : {boxCells(k), rowCells(k), columnCells(k)}) {
            QSet<QString> seen;
            for (int cell : unit) {
                const QString& text = board[cell].text;
                if (!text.isEmpty() && seen.contains(text))
                    return false;
                seen.insert(text);
            }
        }
    return true;
}

} // namespace

// What one event did, as far as the checks need to know.
struct Outcome {
    QString told;       // the event, for a failure report
    int erasedCell = 0; // the cell the eraser was dropped on
    bool foreignDropTaken = false;
    QListWidget* firstKeyList = nullptr; // a list given its first arrow key with nothing chosen
    int firstKeyRow = -1;                // the row that key must choose
    bool choseSavedGame = false;
    QString savedAs; // the game name a save was answered with
};

// What the checks compare against: the window just before the event.
struct Before {
    Board board;
    int currentCell;
    bool listOpen, savedGamesShown;
    QString label;
    int deals, resets;
};

class RandomPlayTest : public QObject {
    Q_OBJECT

    std::mt19937 choose;
    testing::RecordingDialogs dialogs;
    std::unique_ptr<QTemporaryDir> folder;
    std::unique_ptr<MainWindow> window;
    int deals = 0, resets = 0;

    template <typename T = QWidget> T* control(const char* name) const {
        return window->findChild<T*>(QString::fromUtf8(name));
    }
    CellButton* cell(int index) const {
        return window->findChild<CellButton*>(QStringLiteral("Command1_%1").arg(index));
    }
    QListWidget* list1() const { return control<QListWidget>("List1"); }
    QListWidget* list2() const { return control<QListWidget>("List2"); }
    int pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(choose); }
    int anyCell() { return kBoardOrder[static_cast<std::size_t>(pick(kCellCount))]; }

    Board board() const {
        Board now;
        for (int index : kBoardOrder)
            now[index] = {cell(index)->text(), cell(index)->background()};
        return now;
    }
    void clickItem(QListWidget* list, int row) {
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(list->item(row)).center());
    }
    // Sends a drag's entry to a cell, then its drop if the cell took it; true when it did.
    bool drop(int index, const QMimeData& data) {
        CellButton* target = cell(index);
        const QPoint middle = target->rect().center();
        QDragEnterEvent enter(middle, Qt::MoveAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(target, &enter);
        if (!enter.isAccepted())
            return false;
        QDropEvent dropped(middle, Qt::MoveAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(target, &dropped);
        return true;
    }

    Outcome playOne() {
        Outcome out;
        const int kind = pick(100);
        if (kind < 22) {
            const int index = anyCell();
            QTest::mouseClick(cell(index), Qt::LeftButton);
            out.told = QStringLiteral("click cell %1").arg(index);
        } else if (kind < 27) { // released off the cell: a press without a click
            const int index = anyCell();
            QTest::mousePress(cell(index), Qt::LeftButton);
            QTest::mouseRelease(cell(index), Qt::LeftButton, {}, QPoint(-8, -8));
            out.told = QStringLiteral("press cell %1").arg(index);
        } else if (kind < 45) {
            const int row = pick(9);
            clickItem(list1(), row);
            out.told = QStringLiteral("click List1 item %1").arg(row + 1);
        } else if (kind < 49) {
            QTest::mouseClick(window.get(), Qt::LeftButton, {}, QPoint(40, 460));
            out.told = QStringLiteral("click window");
        } else if (kind < 73) {
            static const std::tuple<Qt::Key, Qt::KeyboardModifiers, const char*> keys[] = {
                {Qt::Key_Tab, {}, "Tab"},       {Qt::Key_Backtab, Qt::ShiftModifier, "Shift+Tab"},
                {Qt::Key_Space, {}, "Space"},   {Qt::Key_Return, {}, "Enter"},
                {Qt::Key_Up, {}, "Up"},         {Qt::Key_Down, {}, "Down"},
                {Qt::Key_Left, {}, "Left"},     {Qt::Key_Right, {}, "Right"},
                {Qt::Key_1, {}, "1"},           {Qt::Key_5, {}, "5"},
                {Qt::Key_9, {}, "9"},           {Qt::Key_Escape, {}, "Escape"},
                {Qt::Key_Delete, {}, "Delete"}, {Qt::Key_Down, Qt::ControlModifier, "Ctrl+Down"}};
            const auto& [key, modifiers, name] = keys[pick(std::size(keys))];
            QWidget* target = QApplication::focusWidget();
            if (!target)
                target = window.get();
            out.told = QStringLiteral("%1 to %2").arg(name, target->objectName());
            // The folder choosers would take the game out of its temporary folder.
            const bool chooser = target->objectName() == "Dir1" || target->objectName() == "Drive1";
            if (chooser && key != Qt::Key_Tab && key != Qt::Key_Backtab)
                return out;
            auto* list = qobject_cast<QListWidget*>(target);
            if (list && list->count() > 0 && list->selectedItems().isEmpty() && !modifiers &&
                (key == Qt::Key_Down || key == Qt::Key_Up)) {
                out.firstKeyList = list;
                out.firstKeyRow = key == Qt::Key_Down ? 0 : list->count() - 1;
            }
            out.choseSavedGame = target == list2();
            if (auto* square = qobject_cast<CellButton*>(target); square && key == Qt::Key_Delete)
                out.erasedCell = square->cell();
            QTest::keyClick(target, key, modifiers);
        } else if (kind < 75) { // a real drag, which the offscreen platform ends at once
            QTest::mousePress(control("Image1"), Qt::LeftButton);
            QTest::mouseRelease(control("Image1"), Qt::LeftButton);
            out.told = QStringLiteral("press eraser");
        } else if (kind < 79) {
            const int index = anyCell();
            const std::unique_ptr<QMimeData> data(control<EraserPicture>("Image1")->dragData());
            if (drop(index, *data))
                out.erasedCell = index;
            out.told = QStringLiteral("eraser on cell %1").arg(index);
        } else if (kind < 82) {
            const int index = anyCell();
            QMimeData data;
            data.setText(QStringLiteral("7"));
            out.foreignDropTaken = drop(index, data);
            out.told = QStringLiteral("text dropped on cell %1").arg(index);
        } else if (kind < 85) {
            const char* button = pick(2) ? "Command2" : "Command3";
            QTest::mouseClick(control(button), Qt::LeftButton);
            out.told = QString::fromUtf8(button);
        } else if (kind < 93) {
            static const char* const buttons[] = {"Command4", "Command5", "Command6"};
            const char* button = buttons[pick(3)];
            out.told = QString::fromUtf8(button);
            if (!control(button)->isVisible())
                return out;
            if (button == buttons[2]) {
                out.savedAs = QString::fromUtf8(kNames[pick(std::size(kNames))]);
                dialogs.answers = {out.savedAs.toStdString()};
                out.told += QStringLiteral(" answered \"%1\"").arg(out.savedAs);
            }
            QTest::mouseClick(control(button), Qt::LeftButton);
        } else if (list2()->isVisible() && list2()->count() > 0) {
            const int row = pick(list2()->count());
            clickItem(list2(), row);
            out.choseSavedGame = true;
            out.told = QStringLiteral("click List2 item %1").arg(row + 1);
        } else {
            out.told = QStringLiteral("(no saved game to choose)");
        }
        return out;
    }

    Before snapshot() const {
        return {board(),
                window->values().currentCell,
                list1()->x() >= 0,
                list2()->isVisible(),
                control<QLabel>("Label1")->text(),
                deals,
                resets};
    }

    // The rules a single event must keep; "" when all hold.
    QString check(const Before& was, const Outcome& out) const {
        const Board& before = was.board;
        const Board after = board();
        for (int index : kBoardOrder) {
            const QString& text = after[index].text;
            if (!(text.isEmpty() || (text.size() == 1 && text[0] >= '1' && text[0] <= '9')))
                return QStringLiteral("cell %1 shows \"%2\"").arg(index).arg(text);
            if (after[index].colour != kGivenColour && after[index].colour != kEntryColour)
                return QStringLiteral("cell %1 has another colour").arg(index);
        }
        if (out.foreignDropTaken)
            return QStringLiteral("a cell took a drop that was not the eraser");
        if (out.firstKeyList && out.firstKeyList->currentRow() != out.firstKeyRow)
            return QStringLiteral("the first arrow key chose row %1, not %2")
                .arg(out.firstKeyList->currentRow() + 1)
                .arg(out.firstKeyRow + 1);
        if (!out.savedAs.isEmpty() && dialogs.messages.empty()) {
            QString folderOfLabel = was.label;
            folderOfLabel.remove(QRegularExpression(QStringLiteral("/tessal\\*\\.txt$")));
            const QString path = QString::fromStdString(
                savedGamePath(folderOfLabel.toStdString(), out.savedAs.toStdString()));
            QFile file(path);
            if (!file.open(QIODevice::ReadOnly) || file.readAll() != bytesOf(before))
                return QStringLiteral("the save did not write the board into %1").arg(path);
        }
        if (deals != was.deals) {
            int givens = 0;
            for (int index : kBoardOrder) {
                givens += after[index].text.isEmpty() ? 0 : 1;
                if (after[index].colour != kGivenColour)
                    return QStringLiteral("a deal left cell %1 in the entry colour").arg(index);
            }
            return givens == 30 ? QString() : QStringLiteral("a deal left %1 givens").arg(givens);
        }
        if (resets != was.resets) {
            // The givens on the board stay (a resumed game's own too); all else empties.
            for (int index : kBoardOrder) {
                const bool given = before[index].colour == kGivenColour;
                if (after[index] != Square{given ? before[index].text : QString()})
                    return QStringLiteral("RE-INITIALISE left cell %1 wrong").arg(index);
            }
            return {};
        }
        if (out.choseSavedGame && was.savedGamesShown && !list2()->isVisible() &&
            dialogs.messages.empty()) {
            // The entry carries its file name's own bytes.
            const std::string path = savedGamePath(
                control<FolderList>("Dir1")->path(),
                list2()->currentItem()->data(Qt::UserRole).toByteArray().toStdString());
            std::ifstream file(path, std::ios::binary);
            const std::string bytes{std::istreambuf_iterator<char>(file), {}};
            if (QByteArray::fromStdString(bytes) != bytesOf(after))
                return QStringLiteral("the resume did not load %1")
                    .arg(QFile::decodeName(path.c_str()));
            return {};
        }
        int changed = 0;
        for (int index : kBoardOrder) {
            if (after[index] == before[index])
                continue;
            ++changed;
            const bool placed = index == was.currentCell && was.listOpen &&
                                before[index].text.isEmpty() && after[index].colour == kEntryColour;
            const bool rubbedOut = index == out.erasedCell &&
                                   before[index].colour == kEntryColour &&
                                   after[index] == Square{QString(), kEntryColour};
            if (!placed && !rubbedOut)
                return QStringLiteral("cell %1 went from %2 to %3")
                    .arg(index)
                    .arg(describe(before[index]), describe(after[index]));
        }
        if (changed > 1)
            return QStringLiteral("%1 cells changed in one event").arg(changed);
        if (duplicateFree(before) && !duplicateFree(after))
            return QStringLiteral("a unit holds a digit twice");
        return {};
    }

    // Nothing in the folder but sound saved games: no temporary file left behind.
    QString checkFolder() const {
        const QRegularExpression sound(QStringLiteral("^([GJ][0-9]\r\n){81}$"));
        for (const auto& entry :
             std::filesystem::recursive_directory_iterator(folder->path().toStdString())) {
            const std::string name = entry.path().filename().string();
            if (entry.is_directory())
                continue;
            if (!gameNameOf(name))
                return QStringLiteral("litter in the folder: %1")
                    .arg(QFile::decodeName(name.c_str()));
            std::ifstream file(entry.path(), std::ios::binary);
            const std::string bytes{std::istreambuf_iterator<char>(file), {}};
            if (!sound.match(QString::fromLatin1(bytes.c_str())).hasMatch())
                return QStringLiteral("%1 is no sound saved game")
                    .arg(QFile::decodeName(name.c_str()));
        }
        return {};
    }

  private slots:
    void play_data() {
        QTest::addColumn<unsigned>("seed");
        for (unsigned seed : kSeeds)
            QTest::addRow("seed %u", seed) << seed;
        std::random_device fresh;
        for (int k = qEnvironmentVariableIntValue("TESSAL_RANDOM_SEEDS"); k > 0; --k) {
            const unsigned seed = fresh();
            QTest::addRow("seed %u", seed) << seed;
        }
    }

    void play() {
        QFETCH(unsigned, seed);
        choose.seed(seed);
        dialogs = {};
        deals = resets = 0;
        folder = std::make_unique<QTemporaryDir>();
        QDir(folder->path()).mkdir(QStringLiteral("sous"));
        std::ofstream latin1(folder->path().toStdString() + "/" + kLatin1Game, std::ios::binary);
        for (int n = 0; n < 81; ++n)
            latin1 << (n % 2 ? "J4\r\n" : "G0\r\n");
        latin1.close();
        WindowServices services;
        services.dialogs = &dialogs;
        services.random = std::make_unique<SeededRandom>(seed);
        services.startFolder = folder->path().toStdString();
        services.volumes = [this] {
            return std::vector<std::string>{folder->path().toStdString(),
                                            folder->filePath(QStringLiteral("sous")).toStdString()};
        };
        window = std::make_unique<MainWindow>(std::move(services));
        window->show();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        connect(control<QPushButton>("Command2"), &QPushButton::clicked, this, [this] { ++deals; });
        connect(control<QPushButton>("Command3"), &QPushButton::clicked, this,
                [this] { ++resets; });

        QStringList events;
        for (int n = 1; n <= kEventsPerSeed; ++n) {
            const Before was = snapshot();
            dialogs.messages.clear();
            const Outcome out = playOne();
            events << out.told;
            QString failure = check(was, out);
            if (failure.isEmpty())
                failure = checkFolder();
            if (!failure.isEmpty())
                QFAIL(qPrintable(QStringLiteral("seed %1, event %2: %3\nevents: %4")
                                     .arg(seed)
                                     .arg(n)
                                     .arg(failure, events.join(QStringLiteral("; ")))));
        }
        window.reset();
        std::filesystem::remove_all(folder->path().toStdString()); // Latin-1 names included
    }
};

QTEST_MAIN(RandomPlayTest)
#include "random_play_test.moc"
