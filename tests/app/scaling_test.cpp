// The window at a scale of 1, 1.25, 1.5 or 2 (QT_SCALE_FACTOR, set by the test's runner), read
// pixel by pixel: the grid scales as one piece and the pictures load, at their size, sharp, and
// at the normal scale with no image file read.
#include "app/main_window.h"

#include "app/cell_button.h"
#include "app/contrast.h"
#include "support/fakes.h"
#include "support/palettes.h"

#include <QColorSpace>
#include <QLabel>
#include <QListWidget>
#include <QtTest>

using namespace tessal;

class ScalingTest : public QObject {
    Q_OBJECT

    testing::RecordingDialogs dialogs;
    std::unique_ptr<MainWindow> window;
    QImage shot; // the whole window, in device pixels
    qreal ratio = 1;

    CellButton* cell(int row, int column) const {
        return window->findChild<CellButton*>(
            QStringLiteral("Command1_%1").arg(cellAt(row, column)));
    }
    QRgb at(int x, int y) const { return shot.pixel(x, y); }
    int device(int logical) const { return qRound(logical * ratio); }
    QSize inDevicePixels(QSize size) const { return (QSizeF(size) * ratio).toSize(); }
    static QString assetFile(const char* file) {
        return QStringLiteral(TESSAL_ASSETS "/") + layout::qText(file);
    }

  private slots:
    void initTestCase() {
        WindowServices services;
        services.dialogs = &dialogs;
        services.startFolder = QDir::tempPath().toStdString();
        services.random = std::make_unique<testing::ScriptedRandom>(testing::digitsInOrder());
        window = std::make_unique<MainWindow>(std::move(services));
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        ratio = window->devicePixelRatioF();
        QVERIFY2(ratio >= 1 && ratio <= 2, "run with QT_SCALE_FACTOR between 1 and 2");
        shot = window->grab().toImage();
    }

    // First, before anything else here reads a picture: the first frame, its pictures and the
    // window's icon loaded no image reader and no JPEG library.
    void theFirstFrameLoadsNoImageReader() {
        if (ratio != 1)
            QSKIP("above the normal scale the sharp pictures are read from their files");
        QTRY_VERIFY(!window->windowIcon().isNull());
        QFile maps(QStringLiteral("/proc/self/maps"));
        QVERIFY(maps.open(QIODevice::ReadOnly));
        for (const QByteArray& mapping : maps.readAll().split('\n'))
            QVERIFY2(!mapping.contains("/imageformats/") && !mapping.contains("/libjpeg"),
                     mapping.constData());
    }

    // What the game holds of each picture for the normal scale is, pixel for pixel, what a
    // pixmap makes of its file. Painting applies no colour space, which a PNG may name.
    void thePicturesHeldAreTheFilesPixels() {
        QList<layout::Picture> pictures{layout::kBackdrop, layout::kEraser};
        for (const layout::Picture& icon : layout::kIcons)
            pictures << icon;
        const auto pixels = [](const QPixmap& pixmap) {
            QImage image = pixmap.toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
            image.setColorSpace(QColorSpace());
            return image;
        };
        for (const layout::Picture& picture : pictures) {
            const QImage file = pixels(QPixmap::fromImage(QImage(assetFile(picture.file))));
            QVERIFY2(!file.isNull(), picture.file);
            QCOMPARE(pixels(layout::pixmap(picture, 1)), file);
        }
    }

    // Along a row and a column of cells: inside a box each cell covers its neighbour's last
    // pixel, so one light edge parts them, as at the normal size; between boxes the line shows.
    void theGridScalesAsOnePiece() {
        const QRgb light = cell(0, 0)->palette().color(QPalette::Light).rgb();
        const QRgb shadow = cell(0, 0)->palette().color(QPalette::Shadow).rgb();
        const QRgb line = qRgb(128, 64, 0);
        for (int k = 0; k < 9; ++k) {
            const QRect across = cell(4, k)->geometry(), down = cell(k, 4)->geometry();
            const int y = device(across.center().y()), x = device(down.center().x());
            QCOMPARE(at(device(across.left()), y), light);
            QCOMPARE(at(x, device(down.top())), light);
            if (k % 3 < 2) { // the next cell's light edge follows the face, no shadow between
                QVERIFY(at(device(cell(4, k + 1)->x()) - 1, y) != shadow);
                QVERIFY(at(x, device(cell(k + 1, 4)->y()) - 1) != shadow);
                continue;
            }
            const int right = device(across.right() + 1) - 1,
                      bottom = device(down.bottom() + 1) - 1;
            QCOMPARE(at(right, y), shadow);
            QCOMPARE(at(x, bottom), shadow);
            QCOMPARE(right - device(across.left()), bottom - device(down.top())); // square
            if (k < 8) { // the 7 pixels between boxes, scaled; the line fills them but an edge
                const int nextLeft = device(cell(4, k + 1)->x()),
                          nextTop = device(cell(k + 1, 4)->y());
                QVERIFY(std::abs(nextLeft - right - 1 - 7 * ratio) <= 1);
                QVERIFY(std::abs(nextTop - bottom - 1 - 7 * ratio) <= 1);
                int across = 0, downwards = 0;
                for (int gap = right + 1; gap < nextLeft; ++gap)
                    across += at(gap, y) == line ? 1 : 0;
                for (int gap = bottom + 1; gap < nextTop; ++gap)
                    downwards += at(x, gap) == line ? 1 : 0;
                QVERIFY(across >= nextLeft - right - 3 && downwards >= nextTop - bottom - 3);
            }
        }
    }

    void noTextIsClipped() {
        for (auto* button : window->findChildren<QPushButton*>()) {
            const QRect room = button->rect().adjusted(2, 2, -2, -2);
            const QRect needs = button->fontMetrics().boundingRect(
                room, Qt::AlignCenter | Qt::TextWordWrap, button->text());
            QVERIFY2(room.contains(needs), qPrintable(button->objectName()));
        }
        auto* list = window->findChild<QListWidget*>(QStringLiteral("List1"));
        for (int row = 0; row < list->count(); ++row) {
            const QRect item = list->visualItemRect(list->item(row));
            QVERIFY(list->viewport()->rect().contains(item));
            QVERIFY(list->fontMetrics().height() <= item.height());
        }
    }

    // Each picture comes out of the game's resources at its stated size, and the window shows
    // it: the backdrop in the bare corners, the eraser, the window's icon.
    void everyPictureLoadsAtItsSize() {
        const QImage backdrop = layout::pixmap(layout::kBackdrop, ratio).toImage();
        QVERIFY(!backdrop.isNull());
        QCOMPARE(backdrop.size(), inDevicePixels(layout::pixelSize(layout::kBackdrop)));
        for (QPoint corner : {QPoint(1, 1), QPoint(window->width() - 2, window->height() - 2)}) {
            const QPoint pixel(device(corner.x()), device(corner.y()));
            QCOMPARE(at(pixel.x(), pixel.y()), backdrop.pixel(pixel));
        }

        const QPixmap eraser = window->findChild<QLabel*>(QStringLiteral("Image1"))->pixmap();
        QVERIFY(!eraser.isNull());
        QCOMPARE(eraser.size(), inDevicePixels(layout::pixelSize(layout::kEraser)));
        QCOMPARE(eraser.deviceIndependentSize().toSize(), layout::pixelSize(layout::kEraser));

        QTRY_VERIFY(!window->windowIcon().isNull());
        QList<QSize> stated;
        for (const layout::Picture& icon : layout::kIcons) {
            QCOMPARE(layout::pixmap(icon, 1).size(), layout::pixelSize(icon));
            stated << layout::pixelSize(icon);
        }
        QCOMPARE(window->windowIcon().availableSizes(), stated);
    }

    // Drawn from the "@2x" picture brought down, not from the small one blown up.
    void thePicturesStaySharp() {
        if (ratio == 1)
            QSKIP("at the normal scale the plain picture is shown as it is");
        const QPixmap eraser = window->findChild<QLabel*>(QStringLiteral("Image1"))->pixmap();
        const QImage drawn = eraser.toImage().convertToFormat(QImage::Format_ARGB32);
        auto distance = [&](const QString& source) {
            const QImage from = QImage(source).scaled(drawn.size(), Qt::IgnoreAspectRatio,
                                                      Qt::SmoothTransformation);
            double sum = 0;
            for (int y = 0; y < drawn.height(); ++y)
                for (int x = 0; x < drawn.width(); ++x)
                    sum += std::abs(qGray(drawn.pixel(x, y)) - qGray(from.pixel(x, y))) +
                           std::abs(qAlpha(drawn.pixel(x, y)) - qAlpha(from.pixel(x, y)));
            return sum;
        };
        QVERIFY(distance(QStringLiteral(":/eraser@2x.png")) <
                distance(assetFile(layout::kEraser.file)));
    }

    void whereTheKeyboardIsShows_data() {
        QTest::addColumn<bool>("dark");
        QTest::newRow("default palette") << false;
        QTest::newRow("dark colour scheme") << true;
    }
    // Every square, button and list that takes the keyboard shows it with a mark, pixels
    // that stand out at 3:1 at least from what they showed before, enough of them to go
    // once round the control; once the keyboard leaves, the control looks as it did.
    void whereTheKeyboardIsShows() {
        QFETCH(bool, dark);
        const testing::ApplicationPalette scheme(dark ? testing::darkerPalette()
                                                      : QApplication::palette());
        WindowServices services;
        services.dialogs = &dialogs;
        services.startFolder = QDir::tempPath().toStdString();
        MainWindow own(std::move(services));
        own.show();
        QVERIFY(QTest::qWaitForWindowActive(&own));
        const auto cellOf = [&own](int index) {
            return own.findChild<CellButton*>(QStringLiteral("Command1_%1").arg(index));
        };
        const int open = *std::find_if(kBoardOrder.begin(), kBoardOrder.end(),
                                       [&](int index) { return cellOf(index)->text().isEmpty(); });
        QTest::mouseClick(cellOf(open), Qt::LeftButton); // the digit list opens, a Tab stop
        for (const char* panel : {"Command4", "Command5"})
            QTest::mouseClick(own.findChild<QWidget*>(QString::fromUtf8(panel)), Qt::LeftButton);

        int stops = 0;
        for (QWidget* stop = own.nextInFocusChain(); stop != &own;
             stop = stop->nextInFocusChain()) {
            if (!(stop->focusPolicy() & Qt::TabFocus) || !stop->isVisible() ||
                !own.rect().contains(stop->geometry()))
                continue;
            ++stops;
            own.setFocus();
            const QImage before = stop->grab().toImage();
            stop->setFocus(Qt::TabFocusReason);
            const QImage marked = stop->grab().toImage();
            own.setFocus();
            QCOMPARE(stop->grab().toImage(), before);
            int standingOut = 0;
            for (int y = 0; y < before.height(); ++y)
                for (int x = 0; x < before.width(); ++x)
                    standingOut +=
                        contrastRatio(before.pixelColor(x, y), marked.pixelColor(x, y)) >= 3;
            const int roundTheControl = 2 * (before.width() + before.height());
            QVERIFY2(standingOut >= roundTheControl,
                     qPrintable(QStringLiteral("%1: %2 pixels of %3")
                                    .arg(stop->objectName())
                                    .arg(standingOut)
                                    .arg(roundTheControl)));
        }
        QCOMPARE(stops, 81 + 5 + 4); // the squares, Command2 to Command6, three lists, the volumes
    }
};

QTEST_MAIN(ScalingTest)
#include "scaling_test.moc"
