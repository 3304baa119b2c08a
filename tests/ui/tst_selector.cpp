#include "cards/Resources.h"
#include "cards/TCard.h"
#include "framework/Modal.h"
#include "framework/core/GameTable.h"
#include "framework/core/IniFile.h"
#include "games/GameRegistry.h"
#include "games/klondike/TKlondikeForm.h"
#include "shell/TApplication.h"
#include "shell/THelp.h"
#include "shell/TInfoBox.h"
#include "shell/TPreferencesDlg.h"
#include "shell/TSolitaireForm.h"
#include "shell/TStatisticsDlg.h"
#include "shell/TSysRequirementsForm.h"
#include "shell/TTipsForm.h"
#include "shell/TWinForm.h"
#include "support/GameFixture.h"
#include "support/MouseKit.h"

#include <QAction>
#include <QButtonGroup>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QSystemTrayIcon>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <clocale>
#include <memory>
#include <stdexcept>

namespace {

QString ReadKey(const QString& section, const QString& key) {
    return IniFile::ReadString("Solitaire.ini", section, key, "None");
}

void WriteKey(const QString& section, const QString& key, const QString& value) {
    QVERIFY(IniFile::WriteString("Solitaire.ini", section, key, value));
}

// An object whose handler fails, as a faulty handler of the program might.
class ThrowingObject : public QObject {
public:
    int Handled = 0;
    bool event(QEvent* event) override {
        if (event->type() == QEvent::User)
            throw std::runtime_error("List index out of bounds (12)");
        if (event->type() == QEvent::User + 1) {
            ++Handled;
            return true;
        }
        return QObject::event(event);
    }
};

// The requirements window as it was shown.
struct ShownRequirements {
    QString Text;
    bool PrefButtonVisible = false;
};

} // namespace

// The selector, the start-up and the shell's services, run as the program runs
// them but with the display, the tray, sounds, boxes and dialogs answered here.
class TestSelector : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<ScopedSettingsDir> settings;
    std::unique_ptr<QTemporaryDir> files;
    std::unique_ptr<FakeMessages> messages;
    std::unique_ptr<TApplication> app;
    FakeSoundOutput* sounds = nullptr;
    int screenWidth = 1024;
    int screenDepth = 32;
    bool trayAvailable = false;
    QStringList modals;                         // class names of modal windows, in order
    QList<ShownRequirements> requirements;      // every requirements window shown
    QList<int> helpTopics;                      // every help request (0: contents)
    std::function<int(QDialog&)> onPreferences; // answers the preferences dialog
    int winAnswer = TWinForm::OkResult;

    // Starts the program; unless `waitForPaint`, the rest of the start-up (which
    // follows the selector's first paint) is run at once.
    void Start(bool waitForPaint = false) {
        auto output = std::make_unique<FakeSoundOutput>();
        sounds = output.get();
        app = std::make_unique<TApplication>(std::move(output));
        if (!waitForPaint)
            app->Preferences();
    }
    TSolitaireForm& Selector() { return app->Selector(); }
    TGameListBox* List() { return Selector().GameSelectListBox(); }

    // A left click on a game's name in the list, as the player makes it.
    void ClickGame(int index) {
        QListWidgetItem* item = List()->item(index);
        List()->scrollToItem(item);
        const QPoint at = List()->visualItemRect(item).center();
        QTest::mouseClick(List()->viewport(), Qt::LeftButton, {}, at);
    }

    // Closes and answers the preferences dialog with a new card size.
    void ChooseCardSize(int size) {
        onPreferences = [size](QDialog& dialog) {
            auto* group = dialog.findChild<QWidget*>("CardSizeRadioGroup");
            const QString caption = size == 0 ? "Small cards" : "Large cards";
            for (QRadioButton* button : group->findChildren<QRadioButton*>())
                if (button->text() == caption)
                    button->click();
            return int(QDialog::Accepted);
        };
        app->Context().ShowPreferences(nullptr);
        onPreferences = nullptr;
        QCOMPARE(app->Preferences().Prefs().CardSize, size);
    }

    // Another game than Klondike that this build can open on a 1024-pixel desktop.
    static int OtherAvailableGame() {
        for (int i = 0; i < GI_COUNT; ++i)
            if (i != GI_KLONDIKE && GameFactory(i).Available() && GameTable()[i].MinWidthLarge <= 1024)
                return i;
        return -1;
    }

    static int UnavailableGame() {
        for (int i = 0; i < GI_COUNT; ++i)
            if (!GameFactory(i).Available())
                return i;
        return -1;
    }

private slots:
    void init() {
        settings = std::make_unique<ScopedSettingsDir>();
        files = std::make_unique<QTemporaryDir>();
        messages = std::make_unique<FakeMessages>();
        screenWidth = 1024;
        screenDepth = 32;
        trayAvailable = false;
        modals.clear();
        requirements.clear();
        helpTopics.clear();
        onPreferences = nullptr;
        winAnswer = TWinForm::OkResult;

        const QString tips = files->filePath("Tips.ini");
        QFile file(tips);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("[Tips]\nA=First tip\nB=Second tip\n");
        file.close();
        TTipsForm::SetTipsFile(tips);

        const TPreferencesDlg::DisplayProbe probe{[this] { return screenDepth; },
                                                  [this] { return screenWidth; }};
        TPreferencesDlg::SetDisplayProbe(probe);
        TSolitaireForm::SetDisplayProbe(probe);
        TSolitaireForm::SetTrayProbe([this] { return trayAvailable; });
        THelp::SetHandler([this](int topic) { helpTopics << topic; });
        Modal::SetRunner([this](QDialog& dialog) {
            modals << dialog.metaObject()->className();
            if (auto* form = qobject_cast<TSysRequirementsForm*>(&dialog))
                requirements << ShownRequirements{form->MessageLabel()->text(),
                                                  !form->PrefButton()->isHidden()};
            if (qobject_cast<TPreferencesDlg*>(&dialog) && onPreferences)
                return onPreferences(dialog);
            if (qobject_cast<TWinForm*>(&dialog))
                return winAnswer;
            return int(QDialog::Accepted);
        });
    }

    void cleanup() {
        MouseKit::ResetButtons();
        messages->Answer = true;
        app.reset();
        QCOMPARE(TCard::LiveCount(), 0); // no card of any deal outlives its window
        Modal::SetRunner({});
        THelp::SetHandler({});
        TSolitaireForm::SetDisplayProbe({});
        TSolitaireForm::SetTrayProbe({});
        TPreferencesDlg::SetDisplayProbe({});
        TTipsForm::SetTipsFile({});
        messages.reset();
        files.reset();
        settings.reset();
    }

    // A first start: the selector with its list, pictures and hints; the preferences read and
    // written ("CardSize" from the screen, "TipsIndex" from the tip shown), "OPEN" played.
    void firstStartShowsTheSelectorAndWritesThePreferences() {
        Start();
        TSolitaireForm& selector = Selector();
        QVERIFY(selector.isVisible());
        QCOMPARE(selector.windowTitle(), QString("Quintaro!"));
        QCOMPARE(selector.size(), QSize(329, 241));
        QCOMPARE(selector.minimumSize(), selector.maximumSize());
        QVERIFY(!(selector.windowFlags() & Qt::WindowMaximizeButtonHint));
        QCOMPARE(QApplication::applicationName(), QString("Quintaro"));

        QStringList names;
        for (int i = 0; i < List()->count(); ++i)
            names << List()->item(i)->text();
        QCOMPARE(names, (QStringList{"Beleaguered Castle", "Double Klondike", "Forty Thieves", "Free Cell",
                                     "Golf", "Indian Patience", "Klondike", "Montana", "Pyramid",
                                     "Queen of Italy", "Sea Towers", "Spider"}));
        QCOMPARE(List()->currentRow(), -1);
        QVERIFY(List()->font().bold());
        QCOMPARE(List()->visualItemRect(List()->item(0)).height(), 15);
        QCOMPARE(List()->toolTip(), QString("Select a Solitaire Game"));
        QCOMPARE(selector.Image1()->toolTip(), QString("Click for Info..."));
        QCOMPARE(selector.HelpButton()->toolTip(), QString("Help..."));
        QCOMPARE(selector.HelpButton()->size(), QSize(25, 25));
        QCOMPARE(selector.GameImage()->size(), QSize(320, 125));
        QCOMPARE(selector.PreviewName(), QString("STARTUP"));
        const QImage jester = Resources::Image("JESTER1");
        QCOMPARE(selector.palette().color(QPalette::Window), jester.pixelColor(0, 0));

        QCOMPARE(ReadKey("Preferences", "CardSize"), QString("1"));
        QCOMPARE(ReadKey("Preferences", "TipsIndex"), QString("0"));
        QCOMPARE(modals, QStringList{"TTipsForm"});
        QCOMPARE(sounds->Names(), QStringList{"OPEN"});
        QVERIFY(!app->Preferences().isVisible());
        QVERIFY(!app->Requirements().isVisible());
        QVERIFY(!app->Statistics().isVisible());
        QVERIFY(!selector.TrayIcon()->isVisible());
        QCOMPARE(QString(std::localeconv()->decimal_point), QString("."));

        // The second start shows the next tip and keeps the card size.
        app.reset();
        screenWidth = 800;
        Start();
        QCOMPARE(ReadKey("Preferences", "TipsIndex"), QString("1"));
        QCOMPARE(ReadKey("Preferences", "CardSize"), QString("1"));
    }

    // The selector shows before anything else: the preferences, their sound and the tip come
    // right after its first paint. The list taking the focus chooses no game.
    void restOfStartUpFollowsTheFirstPaintAndChoosesNoGame() {
        Start(true);
        QVERIFY(modals.isEmpty());
        QVERIFY(sounds->Names().isEmpty());
        QVERIFY(QTest::qWaitForWindowExposed(&Selector()));
        QTRY_COMPARE(modals, QStringList{"TTipsForm"});
        QCOMPARE(sounds->Names(), QStringList{"OPEN"});
        QCOMPARE(ReadKey("Preferences", "CardSize"), QString("1"));

        Selector().activateWindow();
        List()->setFocus(Qt::TabFocusReason);
        QTRY_VERIFY(List()->hasFocus());
        QApplication::processEvents();
        QVERIFY(!Selector().GameWindow());
        QVERIFY(messages->Warnings.isEmpty());
        QCOMPARE(List()->selectedItems().size(), 0);
    }

    // The selector comes back where it was closed; a position on no screen is not used.
    void selectorPositionIsSavedAtCloseAndRestoredAtStart() {
        Start();
        Selector().move(40, 30);
        QVERIFY(Selector().close());
        QCOMPARE(ReadKey("MainWindow", "Position"), QString("40,30"));
        app.reset();
        Start();
        QCOMPARE(Selector().pos(), QPoint(40, 30));
        app.reset();
        WriteKey("MainWindow", "Position", "5000,4000");
        Start();
        QVERIFY(Selector().pos() != QPoint(5000, 4000));
    }

    // One click on Klondike opens one large window and shows its preview; clicking it again
    // does nothing; after a card size change the same click opens the small window instead.
    void clickingAGameOpensItsWindowForTheCardSize() {
        Start();
        ClickGame(GI_KLONDIKE);
        auto* form = qobject_cast<TKlondikeForm*>(Selector().GameWindow());
        QVERIFY(form);
        QVERIFY(!form->IsSmall());
        QVERIFY(form->isVisible());
        QCOMPARE(form->windowTitle(), QString("Klondike"));
        QCOMPARE(TCard::GetCardSize(), int(FS_LARGE));
        QCOMPARE(Selector().PreviewName(), QString("KLONDIKE"));
        QCOMPARE(Selector().RememberedSelection(), int(GI_KLONDIKE));
        QCOMPARE(Selector().OpenGameIndex(), int(GI_KLONDIKE));
        QVERIFY(List()->toolTip().isEmpty()); // the hint is switched off after the first choice

        ClickGame(GI_KLONDIKE);
        QCOMPARE(Selector().GameWindow(), form);
        QVERIFY(messages->Asked.isEmpty());

        ChooseCardSize(0);
        QCOMPARE(Selector().GameWindow(), form); // an open window keeps its size
        QPointer<TKlondikeForm> old = form;
        ClickGame(GI_KLONDIKE);
        QTRY_VERIFY(!old);
        form = qobject_cast<TKlondikeForm*>(Selector().GameWindow());
        QVERIFY(form);
        QVERIFY(form->IsSmall());
        QCOMPARE(TCard::GetCardSize(), int(FS_SMALL));
        QCOMPARE(form->width(), 510);
    }

    // The arrow keys and Enter choose like a click.
    void keyboardSelectionOpensTheGame() {
        Start();
        List()->SelectQuietly(GI_INDIAN);
        QVERIFY(!Selector().GameWindow());
        List()->setFocus();
        QTest::keyClick(List(), Qt::Key_Down);
        QCOMPARE(List()->currentRow(), int(GI_KLONDIKE));
        QVERIFY(qobject_cast<TKlondikeForm*>(Selector().GameWindow()));

        // Enter on the open game in another size reopens it.
        ChooseCardSize(0);
        QPointer<TGameForm> old = Selector().GameWindow();
        QTest::keyClick(List(), Qt::Key_Return);
        QTRY_VERIFY(!old);
        QVERIFY(Selector().GameWindow() && Selector().GameWindow()->IsSmall());
    }

    // A refused quit question keeps the game open and puts the list back on it; closing the
    // selector asks the same question, a refusal keeps the program running, OK records the game.
    void refusingToQuitKeepsTheGameAndTheProgram() {
        Start();
        ClickGame(GI_KLONDIKE);
        TGameForm* form = Selector().GameWindow();
        QVERIFY(form);
        GameAccess::SetMoves(form, 5);

        const int other = OtherAvailableGame();
        if (other >= 0) {
            messages->Answer = false;
            ClickGame(other);
            QCOMPARE(messages->Asked, QStringList{"Quit this game of Klondike?"});
            QCOMPARE(Selector().GameWindow(), form);
            QCOMPARE(List()->currentRow(), int(GI_KLONDIKE));
            QCOMPARE(Selector().RememberedSelection(), int(GI_KLONDIKE));
            QVERIFY(!Selector().GameWindowClosed());
            messages->Asked.clear();
        }

        QSignalSpy closed(&Selector(), &TSolitaireForm::Closed);
        messages->Answer = false;
        QVERIFY(!Selector().close());
        QCOMPARE(messages->Asked, QStringList{"Quit this game of Klondike?"});
        QVERIFY(Selector().isVisible());
        QCOMPARE(Selector().GameWindow(), form);
        QCOMPARE(closed.count(), 0);
        QCOMPARE(ReadKey("Klondike", "GamesAttempted"), QString("None"));

        messages->Answer = true;
        QVERIFY(Selector().close());
        QCOMPARE(closed.count(), 1);
        QCOMPARE(ReadKey("Klondike", "GamesAttempted"), QString("1"));
        QVERIFY(ReadKey("Klondike", "NormPos") != "None");
    }

    // On an 800-pixel desktop with large cards Klondike opens but Spider is explained (once,
    // with the Preferences button) and the open game has been closed; the message texts.
    void requirementsWindowExplainsAnSvgaDesktop() {
        screenWidth = 800;
        WriteKey("Preferences", "CardSize", "1");
        Start();
        ClickGame(GI_KLONDIKE);
        QVERIFY(Selector().GameWindow());
        QPointer<TGameForm> klondike = Selector().GameWindow();
        modals.clear();

        ClickGame(GI_SPIDER);
        QCOMPARE(modals, QStringList{"TSysRequirementsForm"});
        QCOMPARE(requirements.size(), 1);
        QCOMPARE(
            requirements[0].Text,
            QString("Spider requires at least XGA (1024x768) desktop area to play using the large card "
                    "preference.\n\nIncrease your desktop area or select the small card size preference."));
        QVERIFY(requirements[0].PrefButtonVisible);
        QVERIFY(!Selector().GameWindow());
        QTRY_VERIFY(!klondike);
        QCOMPARE(Selector().PreviewName(), QString("SPIDER"));

        QCOMPARE(
            TSysRequirementsForm::MessageText(GI_FREECELL, true),
            QString("FreeCell requires at least SVGA (800x600) desktop area to play using the large card "
                    "preference.\n\nIncrease your desktop area or select the small card size preference."));

        // The Preferences button shows the preferences modally and closes the window; F1 is help 500.
        TSysRequirementsForm& form = app->Requirements();
        QCOMPARE(form.windowTitle(), QString("Quintaro!"));
        QCOMPARE(form.size(), QSize(313, 297));
        QVERIFY(form.OKButton()->isDefault());
        QCOMPARE(form.HelpBtn()->text(), QString("&Help"));
        modals.clear();
        form.PrefButtonClick();
        QCOMPARE(modals, QStringList{"TPreferencesDlg"});
        QTest::keyClick(&form, Qt::Key_F1);
        QCOMPARE(helpTopics, QList<int>{THelp::SystemRequirements});
    }

    // On a 640-pixel desktop with small cards Spider gets the small-card text without the
    // Preferences button (which comes back afterwards) and Klondike opens.
    void requirementsWindowExplainsADesktopBelowSvga() {
        screenWidth = 640;
        WriteKey("Preferences", "CardSize", "0");
        Start();
        ClickGame(GI_SPIDER);
        QCOMPARE(requirements.size(), 1);
        QCOMPARE(requirements[0].Text,
                 QString("Spider requires at least SVGA (800x600) desktop area to play.\n\n"
                         "Increase your desktop area to play."));
        QVERIFY(!requirements[0].PrefButtonVisible);
        QVERIFY(!app->Requirements().PrefButton()->isHidden());
        QVERIFY(!Selector().GameWindow());

        ClickGame(GI_KLONDIKE);
        QVERIFY(Selector().GameWindow());
        QVERIFY(Selector().GameWindow()->IsSmall());
        QCOMPARE(requirements.size(), 1);
    }

    // A game missing from this build says so and leaves the open game and the list as they were.
    void unavailableGameSaysSoAndKeepsTheOpenGame() {
        const int missing = UnavailableGame();
        if (missing < 0)
            QSKIP("every game is in this build");
        Start();
        ClickGame(GI_KLONDIKE);
        TGameForm* form = Selector().GameWindow();
        GameAccess::SetMoves(form, 7);
        ClickGame(missing);
        QCOMPARE(messages->Warnings, QStringList{QString::fromUtf8(GameTable()[missing].ListName) +
                                                 " is not available in this version of Quintaro."});
        QVERIFY(messages->Asked.isEmpty());
        QCOMPARE(Selector().GameWindow(), form);
        QCOMPARE(List()->currentRow(), int(GI_KLONDIKE));
    }

    // With the tray preference and a tray, minimizing the selector or the game window hides
    // every window and shows the tray icon; Restore and a double-click bring them all back.
    void minimizingGoesToTheTrayWhenOneIsAvailable() {
        WriteKey("Preferences", "MinimizeToTray", "True");
        trayAvailable = true;
        Start();
        QSystemTrayIcon* tray = Selector().TrayIcon();
        QCOMPARE(tray->toolTip(), QString("Quintaro!"));
        const QList<QAction*> items = Selector().TrayPopupMenu()->actions();
        QCOMPARE(items.size(), 2);
        QCOMPARE(items[0]->text(), QString("&Restore"));
        QCOMPARE(items[1]->text(), QString("&Exit"));

        ClickGame(GI_KLONDIKE);
        TGameForm* form = Selector().GameWindow();
        Selector().setWindowState(Qt::WindowMinimized);
        QVERIFY(!Selector().isVisible());
        QVERIFY(!form->isVisible());
        QVERIFY(tray->isVisible());

        items[0]->trigger();
        QVERIFY(Selector().isVisible());
        QVERIFY(!Selector().isMinimized());
        QVERIFY(form->isVisible());
        QVERIFY(!tray->isVisible());

        form->setWindowState(Qt::WindowMinimized);
        QVERIFY(!Selector().isVisible());
        QVERIFY(!form->isVisible());
        QVERIFY(tray->isVisible());
        emit tray->activated(QSystemTrayIcon::DoubleClick);
        QVERIFY(Selector().isVisible());
        QVERIFY(form->isVisible());
        QVERIFY(!form->isMinimized());
        QVERIFY(!tray->isVisible());

        // Exit from the tray closes the program, the game first.
        Selector().setWindowState(Qt::WindowMinimized);
        QSignalSpy closed(&Selector(), &TSolitaireForm::Closed);
        items[1]->trigger();
        QCOMPARE(closed.count(), 1);
        QVERIFY(!tray->isVisible());
    }

    // Without a tray (or without the preference) minimizing minimizes every window of the program.
    void minimizingWithoutATrayMinimizesEveryWindow() {
        WriteKey("Preferences", "MinimizeToTray", "True");
        trayAvailable = false;
        Start();
        ClickGame(GI_KLONDIKE);
        TGameForm* form = Selector().GameWindow();
        form->setWindowState(Qt::WindowMinimized);
        QVERIFY(Selector().isMinimized());
        QVERIFY(Selector().isVisible());
        QVERIFY(form->isMinimized());
        QVERIFY(!Selector().TrayIcon()->isVisible());
    }

    // F1 and the help button open the help contents; the jester opens the information box once.
    void helpAndJesterOpenTheirWindows() {
        Start();
        Selector().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&Selector()));
        QTest::keyClick(List(), Qt::Key_F1);
        QTest::mouseClick(Selector().HelpButton(), Qt::LeftButton);
        QCOMPARE(helpTopics, (QList<int>{THelp::Contents, THelp::Contents}));

        sounds->Clear();
        QTest::mouseClick(Selector().Image1(), Qt::LeftButton);
        TInfoBox* box = TInfoBox::Instance();
        QVERIFY(box);
        QVERIFY(box->isVisible());
        QTest::mouseClick(Selector().Image1(), Qt::LeftButton);
        QCOMPARE(TInfoBox::Instance(), box);
        QCOMPARE(sounds->Count("JESTER"), 1);
        box->close();
        QTRY_VERIFY(!TInfoBox::Instance());
    }

    // What game windows are given: the win window's answers, the statistics of the open game,
    // the preferences and the help topic.
    void gameWindowsReachTheShellThroughTheContext() {
        Start();
        TAppContext& context = app->Context();
        QCOMPARE(&context.CurrentPrefs(), &app->Preferences().Prefs());
        QVERIFY(context.Sound == app->Sound());

        modals.clear();
        winAnswer = TWinForm::NewGameResult;
        QCOMPARE(context.ShowWinWindow(nullptr), int(TAppContext::WinNewGame));
        winAnswer = TWinForm::StatisticsResult;
        QCOMPARE(context.ShowWinWindow(nullptr), int(TAppContext::WinShowStatistics));
        winAnswer = TWinForm::OkResult;
        QCOMPARE(context.ShowWinWindow(nullptr), int(TAppContext::WinOk));
        winAnswer = QDialog::Rejected; // closed by its title bar
        QCOMPARE(context.ShowWinWindow(nullptr), int(TAppContext::WinOk));
        QCOMPARE(modals.count("TWinForm"), 4);

        ClickGame(GI_KLONDIKE);
        modals.clear();
        context.ShowStatistics(Selector().GameWindow());
        QCOMPARE(modals, QStringList{"TStatisticsDlg"});
        QCOMPARE(app->Statistics().SelectedGame(), int(GI_KLONDIKE));

        context.ShowHelp(Selector().GameWindow(), 1007);
        QCOMPARE(helpTopics, QList<int>{1007});
    }

    // An exception escaping a handler is shown in an error box and the message loop goes on.
    void failingHandlerShowsAnErrorAndTheProgramGoesOn() {
        ThrowingObject target;
        QCoreApplication::postEvent(&target, new QEvent(QEvent::User));
        QCoreApplication::postEvent(&target, new QEvent(QEvent::Type(QEvent::User + 1)));
        QCoreApplication::processEvents();
        QCOMPARE(messages->Errors, QStringList{"List index out of bounds (12)"});
        QCOMPARE(target.Handled, 1);
    }
};

int main(int argc, char* argv[]) {
    TGuardedApplication app(argc, argv);
    app.setAttribute(Qt::AA_Use96Dpi, true);
    TestSelector test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_selector.moc"
