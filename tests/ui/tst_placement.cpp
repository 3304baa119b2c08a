#include "cards/Random.h"
#include "framework/Messages.h"
#include "framework/core/WindowPlacement.h"
#include "games/klondike/TKlondikeForm.h"
#include "games/klondike/TsKlondikeForm.h"
#include "shell/THelp.h"
#include "shell/TInfoBox.h"
#include "shell/TWinForm.h"
#include "support/GameFixture.h"

#include <QApplication>
#include <QCursor>
#include <QFile>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

// Where windows open and where they go back to, on two screens side by side:
// a small one (640 x 480) and a larger one to its right.
class TestPlacement : public QObject {
    Q_OBJECT

private slots:
    void cleanup() {
        delete TInfoBox::Instance();
        delete THelpViewer::Instance();
    }

    // The information box, the win window and the help viewer open centred on
    // the screen of the window they belong to, their frames wholly on it, even
    // when that window hangs over the screen's edge.
    void windowsOpenCentredWhollyOnTheScreen_data() {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QPoint>("ownerAt");
        const QList<std::pair<const char*, QPoint>> places{
            {"small screen, over its bottom right corner", {400, 330}},
            {"small screen, over its top left corner", {-150, -100}},
            {"large screen, at its right edge", {1500, 20}},
            {"large screen, over its bottom edge", {900, 650}},
        };
        for (const char* window : {"information box", "win window", "help viewer"})
            for (const auto& [where, at] : places)
                QTest::addRow("%s, %s", window, where) << QString::fromLatin1(window) << at;
    }

    void windowsOpenCentredWhollyOnTheScreen() {
        QFETCH(QString, window);
        QFETCH(QPoint, ownerAt);
        QWidget owner;
        owner.resize(329, 241);
        owner.move(ownerAt);
        owner.show();
        QVERIFY(QTest::qWaitForWindowExposed(&owner));
        std::unique_ptr<QWidget> win;
        QWidget* shown = nullptr;
        if (window == "information box") {
            shown = TInfoBox::ShowInfoBox(&owner, false, nullptr);
        } else if (window == "win window") {
            win = std::make_unique<TWinForm>(nullptr, &owner);
            win->show();
            shown = win.get();
        } else {
            shown = THelpViewer::Open(&owner, THelp::PageUrl(QStringLiteral("index.html")));
        }
        QVERIFY(QTest::qWaitForWindowExposed(shown));
        QVERIFY(CentredWhollyOn(shown->frameGeometry(), owner.screen()->availableGeometry()));
    }

    // A message over a window never shown (the hidden preferences at start-up)
    // is centred on the screen, not over the place that window would have.
    void messageOverAHiddenWindowIsCentredOnTheScreen() {
        QWidget hidden;
        hidden.setGeometry(0, 0, 200, 100);
        QRect frame;
        QTimer::singleShot(0, this, [&frame] {
            if (QWidget* box = QApplication::activeModalWidget()) {
                frame = box->frameGeometry();
                box->close();
            }
        });
        TMessages::Instance().Warning(&hidden,
                                      QStringLiteral("The game background image /x.bmp was not found."));
        // With several screens Qt takes the one the pointer is on.
        const QScreen* at = QGuiApplication::screenAt(QCursor::pos());
        const QRect screen = (at ? at : QGuiApplication::primaryScreen())->availableGeometry();
        QVERIFY(CentredWhollyOn(frame, screen));
    }

    // Back from maximized a game window has its place and size again, whether
    // it opened maximized or was maximized later; closed while maximized it
    // keeps that place for the next time.
    void gameWindowReturnsFromMaximizedToItsPlace_data() {
        QTest::addColumn<bool>("openMaximized");
        QTest::addColumn<bool>("restore");
        QTest::newRow("opened maximized, restored") << true << true;
        QTest::newRow("maximized when open, restored") << false << true;
        QTest::newRow("opened maximized, closed so") << true << false;
        QTest::newRow("maximized when open, closed so") << false << false;
    }

    void gameWindowReturnsFromMaximizedToItsPlace() {
        QFETCH(bool, openMaximized);
        QFETCH(bool, restore);
        using WindowPlacement::TShowState;
        TRandom::Seed(5);
        GameFixture fx;
        const QRect place(700, 40, 672, 500);
        WindowPlacement::Save(QStringLiteral("Klondike"),
                              {place, openMaximized ? TShowState::Maximized : TShowState::Normal});
        auto* form = new TKlondikeForm(fx.Context);
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form));
        if (!openMaximized) {
            QCOMPARE(QRect(form->pos(), form->size()), place);
            form->showMaximized();
        }
        QTRY_VERIFY(form->isMaximized());
        QTRY_COMPARE(form->frameGeometry(), form->screen()->availableGeometry());
        if (restore) {
            form->showNormal();
            QTRY_COMPARE(QRect(form->pos(), form->size()), place);
        }
        QVERIFY(form->close());
        const auto saved = WindowPlacement::Load(QStringLiteral("Klondike"));
        QVERIFY(saved);
        QCOMPARE(saved->normalGeometry, place);
        QCOMPARE(saved->state, restore ? TShowState::Normal : TShowState::Maximized);
        QTest::qWait(0); // the closed window goes
    }

private:
    static bool CentredWhollyOn(const QRect& frame, const QRect& screen) {
        const QPoint off = frame.center() - screen.center();
        return screen.contains(frame) && std::abs(off.x()) <= 1 && std::abs(off.y()) <= 1;
    }
};

int main(int argc, char* argv[]) {
    // Two screens for the offscreen platform; under a real X server the test
    // takes the screens it finds.
    QTemporaryDir dir;
    if (qgetenv("QT_QPA_PLATFORM") == "offscreen" && dir.isValid()) {
        const QString config = dir.filePath(QStringLiteral("screens.json"));
        QFile file(config);
        if (file.open(QIODevice::WriteOnly)) {
            file.write(R"({"screens": [
                {"name": "small", "x": 0, "y": 0, "width": 640, "height": 480,
                 "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1},
                {"name": "large", "x": 640, "y": 0, "width": 1024, "height": 768,
                 "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})");
            file.close();
            qputenv("QT_QPA_PLATFORM", ("offscreen:configfile=" + config).toLocal8Bit());
        }
    }
    QApplication app(argc, argv);
    TestPlacement test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_placement.moc"
