#include "cards/TCard.h"
#include "framework/Messages.h"
#include "framework/Modal.h"
#include "framework/core/IniFile.h"
#include "shell/TPreferencesDlg.h"
#include "shell/TTipsForm.h"
#include "support/FakeSoundOutput.h"
#include "support/TestSupport.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

namespace {

// Records every message box instead of showing it.
class RecordingMessages : public TMessages {
public:
    bool Confirm(QWidget*, const QString& text) override {
        Shown.append("confirm: " + text);
        return true;
    }
    void Information(QWidget*, const QString& text) override { Shown.append("information: " + text); }
    void Warning(QWidget*, const QString& text) override { Shown.append("warning: " + text); }
    void Error(QWidget*, const QString& text) override { Shown.append("error: " + text); }
    QStringList Shown;
};

QString Read(const QString& key) {
    return IniFile::ReadString("Solitaire.ini", "Preferences", key, "None");
}

void Write(const QString& key, const QString& value) {
    QVERIFY(IniFile::WriteString("Solitaire.ini", "Preferences", key, value));
}

// Writes "Key=Value" entries in turn.
void WriteAll(const QStringList& entries) {
    for (const QString& entry : entries)
        Write(entry.section('=', 0, 0), entry.section('=', 1));
}

// The keys of section "Preferences" in file order.
QStringList KeysInFile() {
    QFile file(IniFile::ResolvePath("Solitaire.ini"));
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    QStringList keys;
    bool inSection = false;
    for (const QString& raw : QString::fromUtf8(file.readAll()).split('\n')) {
        const QString line = raw.trimmed();
        if (line.startsWith('['))
            inSection = line.compare("[Preferences]", Qt::CaseInsensitive) == 0;
        else if (inSection && line.contains('='))
            keys.append(line.section('=', 0, 0).trimmed());
    }
    return keys;
}

template <typename T> T* Child(QObject* parent, const char* name) {
    T* child = parent->findChild<T*>(QString::fromLatin1(name));
    if (!child)
        qFatal("no child %s", name);
    return child;
}

// Clicks the radio button of `group` that reads `text`.
void ChooseRadio(QObject* parent, const char* group, const QString& text) {
    for (QRadioButton* radio : Child<QGroupBox>(parent, group)->findChildren<QRadioButton*>())
        if (radio->text() == text)
            radio->click();
}

bool SamePrefs(const TPreferences& a, const TPreferences& b) {
    return a.BackIndex == b.BackIndex && a.CardSize == b.CardSize && a.BackgroundIndex == b.BackgroundIndex &&
           a.GradientIndex == b.GradientIndex && a.BackgroundColor == b.BackgroundColor &&
           a.GradientStartColor == b.GradientStartColor && a.GradientEndColor == b.GradientEndColor &&
           a.DoAnimation == b.DoAnimation && a.DoSound == b.DoSound && a.VegasScoring == b.VegasScoring &&
           a.MinimizeToTray == b.MinimizeToTray && a.SmartDragging == b.SmartDragging &&
           a.ShowTips == b.ShowTips && a.CustomImage == b.CustomImage &&
           a.BackgroundImage == b.BackgroundImage;
}

QRgb Rgb(QRgb pixel) {
    return qRgb(qRed(pixel), qGreen(pixel), qBlue(pixel));
}

} // namespace

class TestPreferences : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<ScopedSettingsDir> m_settings;
    std::unique_ptr<QTemporaryDir> m_files;
    RecordingMessages m_messages;
    std::unique_ptr<TSoundManager> m_sound;
    FakeSoundOutput* m_sounds = nullptr;
    int m_screenWidth = 1024;
    int m_screenDepth = 32;
    QStringList m_modals;                                     // class names of modal windows, in order
    std::function<int(QDialog&)> m_onPreferences;             // answers the preferences dialog
    std::function<void(TTipsForm&)> m_onTips;                 // answers the tips window
    std::vector<TPreferencesDlg::FileRequest> m_fileRequests; // every file dialog asked for

    std::unique_ptr<TPreferencesDlg> Make() {
        m_sound = FakeSoundOutput::MakeManager(&m_sounds);
        return std::make_unique<TPreferencesDlg>(m_sound.get());
    }

    // A picture file of one colour in the test's folder.
    QString Picture(const QString& name, QRgb color, const char* format = nullptr) {
        QImage image(20, 30, QImage::Format_RGB32);
        image.fill(color);
        const QString path = m_files->filePath(name);
        if (!image.save(path, format))
            qFatal("cannot save %s", qPrintable(path));
        return path;
    }

    QString TextFile(const QString& name, const QByteArray& bytes) {
        const QString path = m_files->filePath(name);
        WriteBytes(path, bytes);
        return path;
    }

    void ChooseFile(TPreferencesDlg& dialog, const QString& path) {
        dialog.SetFileChooser([this, path](QWidget*, const TPreferencesDlg::FileRequest& request) {
            m_fileRequests.push_back(request);
            return path;
        });
    }

private slots:
    void init() {
        m_settings = std::make_unique<ScopedSettingsDir>();
        m_files = std::make_unique<QTemporaryDir>();
        m_messages.Shown.clear();
        m_modals.clear();
        m_fileRequests.clear();
        m_onPreferences = nullptr;
        m_onTips = nullptr;
        m_screenWidth = 1024;
        m_screenDepth = 32;
        TMessages::SetInstance(&m_messages);
        TPreferencesDlg::SetDisplayProbe(
            {[this] { return m_screenDepth; }, [this] { return m_screenWidth; }});
        TTipsForm::SetTipsFile(TextFile("Tips.ini", "[Tips]\nA=One\nB=Two\n"));
        Modal::SetRunner([this](QDialog& dialog) {
            m_modals.append(dialog.metaObject()->className());
            if (auto* tips = qobject_cast<TTipsForm*>(&dialog); tips && m_onTips)
                m_onTips(*tips);
            if (qobject_cast<TPreferencesDlg*>(&dialog) && m_onPreferences)
                return m_onPreferences(dialog);
            return int(QDialog::Accepted);
        });
        TCard::SetBackIndex(0);
    }

    void cleanup() {
        Modal::SetRunner({});
        TMessages::SetInstance(nullptr);
        TPreferencesDlg::SetDisplayProbe({});
        TTipsForm::SetTipsFile({});
        m_sound.reset();
        m_files.reset();
        m_settings.reset();
    }

    // A first start on a wide screen: large cards written at once, every other default, the
    // "OPEN" sound and the first tip shown modally.
    void firstStartOnAWideScreenChoosesLargeCards() {
        auto dialog = Make();
        QCOMPARE(Read("CardSize"), QString("1"));
        QCOMPARE(TCard::GetCardSize(), int(FS_LARGE));
        TPreferences expected;
        expected.CardSize = 1;
        QVERIFY(SamePrefs(dialog->Prefs(), expected));
        QVERIFY(dialog->BackgroundPicture().isNull());
        QVERIFY(!dialog->LowColor());
        QVERIFY(!dialog->CardSizeChanged());
        QCOMPARE(m_sounds->Names(), QStringList{"OPEN"});
        QCOMPARE(m_modals, QStringList{"TTipsForm"});
        QCOMPARE(Read("TipsIndex"), QString("0"));
        QCOMPARE(Read("ShowTips"), QString("True"));
        QVERIFY(m_messages.Shown.isEmpty());
        QVERIFY(!dialog->isVisible());
        QVERIFY(Child<QRadioButton>(dialog.get(), "CardBackRdBtn1")->isChecked());
        QVERIFY(!Child<QRadioButton>(dialog.get(), "CardBackRdBtn4")->isEnabled());
    }

    // A first start on an 800-pixel screen: small cards, written at once.
    void firstStartOnANarrowScreenChoosesSmallCards() {
        m_screenWidth = 800;
        auto dialog = Make();
        QCOMPARE(Read("CardSize"), QString("0"));
        QCOMPARE(dialog->Prefs().CardSize, 0);
        QCOMPARE(TCard::GetCardSize(), int(FS_SMALL));
    }

    // Caption, size, pages and control texts are the program's own.
    void layoutShowsTheFourPagesAndTheirControls() {
        auto dialog = Make();
        QCOMPARE(dialog->windowTitle(), QString("Quintaro Preferences"));
        QCOMPARE(dialog->size(), QSize(389, 272));
        auto* pages = Child<QTabWidget>(dialog.get(), "PrefPageControl");
        QCOMPARE(pages->count(), 4);
        QCOMPARE(pages->tabText(0), QString("Card Back"));
        QCOMPARE(pages->tabText(1), QString("Card Size"));
        QCOMPARE(pages->tabText(2), QString("Game Background"));
        QCOMPARE(pages->tabText(3), QString("Other"));
        QCOMPARE(Child<QPushButton>(dialog.get(), "OKBtn")->text(), QString("OK"));
        QCOMPARE(Child<QPushButton>(dialog.get(), "HelpBtn")->text(), QString("&Help"));
        QCOMPARE(Child<QPushButton>(dialog.get(), "BrowseButton")->text(), QString("Browse..."));
        QCOMPARE(Child<QPushButton>(dialog.get(), "BrowseButton")->toolTip(),
                 QString("Click to browse the file system and\nfind a custom card back image"));
        QCOMPARE(Child<QPushButton>(dialog.get(), "Button1")->text(), QString("Browse..."));
        QCOMPARE(Child<QGroupBox>(dialog.get(), "BackgroundRadioGroup")->title(), QString(" Select Type "));
        QCOMPARE(Child<QGroupBox>(dialog.get(), "GradientRadioGroup")->title(), QString(" Direction "));
        QCOMPARE(Child<QFrame>(dialog.get(), "SolidColorPanel")->toolTip(),
                 QString("Click for a dialog to select a new color"));
        QCOMPARE(Child<QCheckBox>(dialog.get(), "SmartCheckBox")->text(),
                 QString("Enable \"Smart Dragging\""));
        QCOMPARE(Child<QCheckBox>(dialog.get(), "TipsCheckBox")->text(), QString("Show \"Tips\" at Startup"));
        QCOMPARE(Child<QCheckBox>(dialog.get(), "VegasCheckBox")->text(),
                 QString("Vegas Scoring (Klondike only)"));
        for (int i = 1; i <= 4; ++i) {
            auto* image = Child<QLabel>(dialog.get(), qPrintable(QString("CardBackImage%1").arg(i)));
            QCOMPARE(image->size(), QSize(80, 125));
            QCOMPARE(
                Child<QRadioButton>(dialog.get(), qPrintable(QString("CardBackRdBtn%1").arg(i)))->toolTip(),
                QString("Select the card back to use"));
        }
        QCOMPARE(TPreferencesDlg::ToQtFilters(TPreferencesDlg::FileFilter()),
                 QStringList({"Images (*.bmp *.jpeg *.jpg *.pcx)", "All Files (*)"}));
    }

    // Stored values, in every accepted spelling, reach the values and the controls.
    void storedPreferencesAreReadAndMirroredByTheControls() {
        WriteAll({"BackIndex=2", "CardSize=0", "BackgroundIndex=1", "GradientIndex=1",
                  "BackgroundColor=$00112233", "GradientStartColor=clRed", "GradientEndColor=255",
                  "DoAnimation=no", "DoSound=FALSE", "VegasScoring=yes", "MinimizeToTray=1",
                  "SmartDragging=0", "ShowTips=False"});
        auto dialog = Make();
        const TPreferences& prefs = dialog->Prefs();
        QCOMPARE(prefs.BackIndex, 2);
        QCOMPARE(TCard::GetBackIndex(), 2);
        QCOMPARE(prefs.CardSize, 0);
        QCOMPARE(Read("CardSize"), QString("0"));
        QCOMPARE(prefs.BackgroundIndex, 1);
        QCOMPARE(prefs.GradientIndex, 1);
        QCOMPARE(prefs.BackgroundColor, 0x112233);
        QCOMPARE(prefs.GradientStartColor, 0x0000FF);
        QCOMPARE(prefs.GradientEndColor, 255);
        QVERIFY(!prefs.DoAnimation);
        QVERIFY(!prefs.DoSound);
        QVERIFY(prefs.VegasScoring);
        QVERIFY(prefs.MinimizeToTray);
        QVERIFY(!prefs.SmartDragging);
        QVERIFY(!prefs.ShowTips);
        QVERIFY(m_modals.isEmpty());

        QVERIFY(Child<QRadioButton>(dialog.get(), "CardBackRdBtn3")->isChecked());
        QCOMPARE(Child<QStackedWidget>(dialog.get(), "BackgroundPageControl")->currentIndex(), 1);
        QVERIFY(!Child<QCheckBox>(dialog.get(), "AnimationCheckBox")->isChecked());
        QVERIFY(!Child<QCheckBox>(dialog.get(), "SoundCheckBox")->isChecked());
        QVERIFY(Child<QCheckBox>(dialog.get(), "VegasCheckBox")->isChecked());
        QVERIFY(Child<QCheckBox>(dialog.get(), "MinimizeCheckBox")->isChecked());
        QVERIFY(!Child<QCheckBox>(dialog.get(), "SmartCheckBox")->isChecked());
        QVERIFY(!Child<QCheckBox>(dialog.get(), "TipsCheckBox")->isChecked());
        QCOMPARE(Child<QFrame>(dialog.get(), "SolidColorPanel")->palette().color(QPalette::Window),
                 QColor(0x33, 0x22, 0x11));
        // Sounds follow the preference: "OPEN" stays quiet.
        QVERIFY(m_sounds->Empty());
    }

    // Damaged values never take the program outside its ranges; defaults apply instead.
    void damagedValuesFallBackToDefaults() {
        WriteAll({"BackIndex=7", "CardSize=5", "BackgroundIndex=-3", "GradientIndex=9",
                  "BackgroundColor=purple-ish", "GradientEndColor="});
        auto dialog = Make();
        QCOMPARE(dialog->Prefs().BackIndex, 0);
        QCOMPARE(TCard::GetBackIndex(), 0);
        QCOMPARE(dialog->Prefs().CardSize, 1);
        QCOMPARE(dialog->Prefs().BackgroundIndex, 0);
        QCOMPARE(dialog->Prefs().GradientIndex, 0);
        QCOMPARE(dialog->Prefs().BackgroundColor, TPreferences::DarkGreen);
        QCOMPARE(dialog->Prefs().GradientEndColor, 0);
    }

    void menuBarPreference_data() {
        QTest::addColumn<QString>("stored"); // empty: absent
        QTest::addColumn<bool>("toggled");
        QTest::addColumn<bool>("read");
        QTest::addColumn<QString>("written"); // empty: still absent
        QTest::newRow("absent, left on") << "" << false << true << "";
        QTest::newRow("absent, turned off") << "" << true << true << "False";
        QTest::newRow("off, left off") << "False" << false << false << "False";
        QTest::newRow("off, turned on") << "False" << true << false << "True";
    }

    // "ShowMenuBar" is on when absent; newer than the thirteen, it is written only once the
    // player has turned it off, so a file that never had it keeps as it was.
    void menuBarPreference() {
        QFETCH(QString, stored);
        QFETCH(bool, toggled);
        QFETCH(QString, written);
        if (!stored.isEmpty())
            Write("ShowMenuBar", stored);
        auto dialog = Make();
        QTEST(dialog->Prefs().ShowMenuBar, "read");
        QString caption;
        m_onPreferences = [toggled, &caption](QDialog& shown) {
            auto* check = Child<QCheckBox>(&shown, "MenuBarCheckBox");
            caption = check->text();
            if (toggled)
                check->toggle();
            return int(QDialog::Accepted);
        };
        dialog->ShowModal();
        QCOMPARE(caption, QString("Show menu bar and status line"));
        QCOMPARE(Read("ShowMenuBar"), written.isEmpty() ? QString("None") : written);
        QCOMPARE(dialog->Prefs().ShowMenuBar, written != "False");
    }

    // Closing writes the thirteen preferences in their fixed order, and a new start reads
    // back exactly what was written.
    void closingWritesEveryPreferenceInOrderAndReadsBackTheSame() {
        Write("ShowTips", "False");
        auto dialog = Make();
        m_onPreferences = [](QDialog& shown) {
            for (const char* name : {"AnimationCheckBox", "SoundCheckBox", "VegasCheckBox",
                                     "MinimizeCheckBox", "SmartCheckBox", "TipsCheckBox"})
                Child<QCheckBox>(&shown, name)->toggle();
            Child<QRadioButton>(&shown, "CardBackRdBtn2")->click();
            ChooseRadio(&shown, "CardSizeRadioGroup", "Small cards");
            ChooseRadio(&shown, "BackgroundRadioGroup", "Gradient Colors");
            ChooseRadio(&shown, "GradientRadioGroup", "Horizontal Gradient");
            return int(QDialog::Accepted);
        };
        QVERIFY(QFile::remove(IniFile::ResolvePath("Solitaire.ini")));
        QCOMPARE(dialog->ShowModal(), int(QDialog::Accepted));
        // The keys in their order, as the file writes them, with the values the changes above give.
        const auto stored =
            QStringList({"BackgroundColor=$00004000", "BackIndex=1", "DoAnimation=False", "DoSound=False",
                         "VegasScoring=True", "SmartDragging=False", "ShowTips=True", "MinimizeToTray=True",
                         "CardSize=0", "BackgroundIndex=1", "GradientStartColor=$00004000",
                         "GradientEndColor=clBlack", "GradientIndex=1"});
        QStringList keys;
        for (const QString& entry : stored) {
            keys << entry.section('=', 0, 0);
            QCOMPARE(Read(keys.last()), entry.section('=', 1));
        }
        QCOMPARE(KeysInFile(), keys);
        QCOMPARE(TCard::GetBackIndex(), 1);
        QVERIFY(dialog->CardSizeChanged());

        const TPreferences written = dialog->Prefs();
        m_onPreferences = nullptr;
        auto again = Make();
        QVERIFY(SamePrefs(again->Prefs(), written));
    }

    // Another running program saved preferences while this one's dialog was open: closing it
    // writes what the player changed here and keys still missing, and leaves the rest alone.
    void closingWritesOnlyWhatThePlayerChangedOverTheCurrentFile() {
        Write("ShowTips", "False");
        Write("DoSound", "True");
        Write("BackIndex", "0");
        auto dialog = Make();
        m_onPreferences = [](QDialog& shown) {
            Write("DoSound", "False"); // the other program, meanwhile
            Write("BackIndex", "2");
            Write("VegasScoring", "False");
            Child<QCheckBox>(&shown, "VegasCheckBox")->setChecked(true);
            Child<QCheckBox>(&shown, "AnimationCheckBox")->setChecked(false);
            return int(QDialog::Accepted);
        };
        dialog->ShowModal();
        QCOMPARE(Read("DoSound"), QString("False"));
        QCOMPARE(Read("BackIndex"), QString("2"));
        QCOMPARE(Read("VegasScoring"), QString("True"));
        QCOMPARE(Read("DoAnimation"), QString("False"));
        QCOMPARE(Read("GradientEndColor"), QString("clBlack")); // absent before, so written
        QCOMPARE(KeysInFile().size(), 13);

        // Closed again without a change: nothing in the file moves.
        Write("DoAnimation", "True");
        m_onPreferences = nullptr;
        const QByteArray before = FileBytes(IniFile::ResolvePath("Solitaire.ini"));
        QVERIFY(!before.isEmpty());
        dialog->ShowModal();
        QCOMPARE(FileBytes(IniFile::ResolvePath("Solitaire.ini")), before);
    }

    // The card-size-changed flag is set by a close with another size and never cleared.
    void cardSizeChangeIsFlaggedOnCloseAndNeverCleared() {
        Write("ShowTips", "False");
        auto dialog = Make();
        QVERIFY(!dialog->CardSizeChanged());
        dialog->ShowModal();
        QVERIFY(!dialog->CardSizeChanged());
        m_onPreferences = [&](QDialog&) {
            ChooseRadio(dialog.get(), "CardSizeRadioGroup", "Small cards");
            return int(QDialog::Accepted);
        };
        dialog->ShowModal();
        QVERIFY(dialog->CardSizeChanged());
        QCOMPARE(dialog->Prefs().CardSize, 0);
        // The open game keeps its size: the card model is left to the selector.
        QCOMPARE(TCard::GetCardSize(), int(FS_LARGE));
        m_onPreferences = nullptr;
        dialog->ShowModal();
        QVERIFY(dialog->CardSizeChanged());
    }

    // The tip window's check box becomes the tips preference at once.
    void tipsCheckBoxIsSavedWhenTheTipWindowCloses() {
        m_onTips = [](TTipsForm& tips) { Child<QCheckBox>(&tips, "ShowCheckBox")->setChecked(false); };
        auto dialog = Make();
        QCOMPARE(m_modals, QStringList{"TTipsForm"});
        QCOMPARE(Read("ShowTips"), QString("False"));
        QVERIFY(!dialog->Prefs().ShowTips);
        QVERIFY(!Child<QCheckBox>(dialog.get(), "TipsCheckBox")->isChecked());
        m_modals.clear();
        auto next = Make();
        QVERIFY(m_modals.isEmpty());
    }

    // A stored custom back is composed at the current card size and applied when chosen.
    void storedCustomBackIsComposedAtTheCurrentCardSize() {
        const QString path = Picture("back.png", qRgb(0, 0, 220));
        Write("CustomImage", path);
        Write("BackIndex", "3");
        Write("ShowTips", "False");
        {
            auto dialog = Make();
            QVERIFY(m_messages.Shown.isEmpty());
            QCOMPARE(dialog->Prefs().BackIndex, 3);
            QCOMPARE(dialog->Prefs().CustomImage, path);
            QCOMPARE(TCard::GetBackIndex(), 3);
            const QImage* back = TCard().GetBackImage(3);
            QCOMPARE(back->size(), QSize(80, 125));
            QCOMPARE(Rgb(back->pixel(40, 60)), qRgb(0, 0, 220));
            QCOMPARE(Rgb(back->pixel(5, 5)), qRgb(0, 0, 220));
            QVERIFY(Rgb(back->pixel(4, 60)) != qRgb(0, 0, 220));
            QVERIFY(Child<QRadioButton>(dialog.get(), "CardBackRdBtn4")->isEnabled());
            QVERIFY(Child<QRadioButton>(dialog.get(), "CardBackRdBtn4")->isChecked());
            QCOMPARE(Child<QLabel>(dialog.get(), "CardBackImage4")->pixmap().size(), QSize(80, 125));
            QCOMPARE(Read("CustomImage"), path);
        }
        Write("CardSize", "0");
        auto small = Make();
        const QImage* back = TCard().GetBackImage(3);
        QCOMPARE(back->size(), QSize(61, 95));
        QCOMPARE(Rgb(back->pixel(4, 4)), qRgb(0, 0, 220));
        QCOMPARE(Rgb(back->pixel(56, 90)), qRgb(0, 0, 220));
        QVERIFY(Rgb(back->pixel(3, 40)) != qRgb(0, 0, 220));
    }

    // For a screen of ratio 2 the player's back is composed at twice the pixels, the picture scaled smoothly:
    // a picture of two colour halves meets in blended pixels, not in doubled ones.
    void customBackAtRatioTwoIsComposedFromTheDoubleSizedBlank() {
        QImage halves(2, 1, QImage::Format_RGB32);
        halves.setPixel(0, 0, qRgb(220, 0, 0));
        halves.setPixel(1, 0, qRgb(0, 0, 220));
        const QString path = m_files->filePath("halves.png");
        QVERIFY(halves.save(path));
        Write("CustomImage", path);
        Write("BackIndex", "3");
        Write("ShowTips", "False");
        TCard::SetDevicePixelRatio(2);
        auto dialog = Make();
        const QImage back = TCard().GetBackImage(3)->convertToFormat(QImage::Format_ARGB32);
        TCard::SetDevicePixelRatio(1);
        QCOMPARE(back.size(), QSize(160, 250));
        QCOMPARE(back.devicePixelRatio(), 2.0);
        QCOMPARE(qAlpha(back.pixel(0, 0)), 0);
        QCOMPARE(Rgb(back.pixel(12, 125)), qRgb(220, 0, 0));
        QCOMPARE(Rgb(back.pixel(147, 125)), qRgb(0, 0, 220));
        QVERIFY(qRed(back.pixel(80, 125)) > 40 && qBlue(back.pixel(80, 125)) > 40);
    }

    // A custom back whose file was deleted warns, falls back to the first back, and is forgotten.
    void missingCustomBackWarnsAndFallsBackToTheFirstBack() {
        const QString path = m_files->filePath("gone.bmp");
        Write("CustomImage", path);
        Write("BackIndex", "3");
        auto dialog = Make();
        QCOMPARE(m_messages.Shown,
                 QStringList{"warning: The custom card back image " + path + " was not found."});
        QCOMPARE(Read("CustomImage"), QString("None"));
        QCOMPARE(dialog->Prefs().BackIndex, 0);
        QCOMPARE(TCard::GetBackIndex(), 0);
        QVERIFY(Child<QRadioButton>(dialog.get(), "CardBackRdBtn1")->isChecked());
        QVERIFY(!Child<QRadioButton>(dialog.get(), "CardBackRdBtn4")->isEnabled());
    }

    // GIF is refused: silently for a stored back, aloud on Browse; only the custom choice changes.
    void gifCustomBackIsRefusedSilentlyAtStartAndAloudOnBrowse() {
        const QString gif = Picture("back.gif", qRgb(1, 2, 3), "PNG");
        Write("CustomImage", gif);
        Write("ShowTips", "False");
        auto quiet = Make();
        QVERIFY(m_messages.Shown.isEmpty());
        QCOMPARE(Read("CustomImage"), QString("None"));

        const QString good = Picture("good.bmp", qRgb(9, 9, 9));
        Write("CustomImage", good);
        Write("BackIndex", "2");
        auto dialog = Make();
        QVERIFY(Child<QRadioButton>(dialog.get(), "CardBackRdBtn4")->isEnabled());
        QVERIFY(Child<QRadioButton>(dialog.get(), "CardBackRdBtn3")->isChecked());
        ChooseFile(*dialog, gif);
        Child<QPushButton>(dialog.get(), "BrowseButton")->click();
        QCOMPARE(m_messages.Shown, QStringList{"error: GIF images are not supported."});
        QVERIFY(!Child<QRadioButton>(dialog.get(), "CardBackRdBtn4")->isEnabled());
        QVERIFY(Child<QRadioButton>(dialog.get(), "CardBackRdBtn3")->isChecked());
        QCOMPARE(Read("CustomImage"), QString("None"));
        QCOMPARE(TCard::GetBackIndex(), 2);
    }

    // Browsing applies a good picture at once; an unreadable one is explained and dropped.
    void browsedCustomBackIsAppliedOrExplained() {
        Write("ShowTips", "False");
        auto dialog = Make();
        const QString good = Picture("mine.jpg", qRgb(250, 250, 0), "JPEG");
        ChooseFile(*dialog, good);
        Child<QPushButton>(dialog.get(), "BrowseButton")->click();
        QVERIFY(m_messages.Shown.isEmpty());
        QCOMPARE(TCard::GetBackIndex(), 3);
        QVERIFY(Child<QRadioButton>(dialog.get(), "CardBackRdBtn4")->isChecked());
        QCOMPARE(Read("CustomImage"), good);

        const QString bad = TextFile("letter.jpg", "Dear player, this is not a picture.");
        ChooseFile(*dialog, bad);
        Child<QPushButton>(dialog.get(), "BrowseButton")->click();
        QCOMPARE(m_messages.Shown.size(), 1);
        QVERIFY(m_messages.Shown.at(0).startsWith("error: "));
        QVERIFY(m_messages.Shown.at(0).contains(bad));
        QVERIFY(m_messages.Shown.at(0).contains("could not be read"));
        QCOMPARE(Read("CustomImage"), QString("None"));
        QCOMPARE(TCard::GetBackIndex(), 0);
        QVERIFY(Child<QRadioButton>(dialog.get(), "CardBackRdBtn1")->isChecked());
        QVERIFY(!Child<QRadioButton>(dialog.get(), "CardBackRdBtn4")->isEnabled());

        // Cancelling the file dialog changes nothing.
        ChooseFile(*dialog, QString());
        Child<QPushButton>(dialog.get(), "BrowseButton")->click();
        QCOMPARE(m_messages.Shown.size(), 1);

        // A damaged stored back is dropped without a word at start-up.
        m_messages.Shown.clear();
        Write("CustomImage", bad);
        auto quiet = Make();
        QVERIFY(m_messages.Shown.isEmpty());
        QCOMPARE(Read("CustomImage"), QString("None"));
    }

    // The file dialog starts at the stored picture, with the filter its extension calls for.
    void browseStartsAtTheStoredPicture() {
        Write("ShowTips", "False");
        const QString jpg = Picture("photo.jpg", qRgb(1, 1, 1), "JPEG");
        const QString png = Picture("photo.png", qRgb(1, 1, 1), "PNG");
        Write("CustomImage", jpg);
        Write("BackgroundImage", png);
        auto dialog = Make();
        ChooseFile(*dialog, QString());
        Child<QPushButton>(dialog.get(), "BrowseButton")->click();
        Child<QPushButton>(dialog.get(), "Button1")->click();
        QCOMPARE(int(m_fileRequests.size()), 2);
        const QStringList filters{"Images (*.bmp *.jpeg *.jpg *.pcx)", "All Files (*)"};
        QCOMPARE(m_fileRequests[0].Directory, QFileInfo(jpg).absolutePath());
        QCOMPARE(m_fileRequests[0].FileName, QString("photo.jpg"));
        QCOMPARE(m_fileRequests[0].Filters, filters);
        QCOMPARE(m_fileRequests[0].SelectedFilter, filters[0]);
        QCOMPARE(m_fileRequests[1].FileName, QString("photo.png"));
        QCOMPARE(m_fileRequests[1].SelectedFilter, filters[1]);

        m_fileRequests.clear();
        auto fresh = std::make_unique<ScopedSettingsDir>();
        Write("ShowTips", "False");
        auto blank = Make();
        ChooseFile(*blank, QString());
        Child<QPushButton>(blank.get(), "Button1")->click();
        QCOMPARE(int(m_fileRequests.size()), 1);
        QVERIFY(m_fileRequests[0].Directory.isEmpty());
        QVERIFY(m_fileRequests[0].FileName.isEmpty());
        QCOMPARE(m_fileRequests[0].SelectedFilter, filters[0]);
    }

    // The background picture: missing, GIF and damaged files fall back; a good one is kept.
    void backgroundPictureLoadsOrFallsBack() {
        const QString missing = m_files->filePath("sky.bmp");
        Write("BackgroundImage", missing);
        Write("BackgroundIndex", "2");
        Write("ShowTips", "False");
        auto dialog = Make();
        QCOMPARE(m_messages.Shown,
                 QStringList{"warning: The game background image " + missing + " was not found."});
        QCOMPARE(Read("BackgroundImage"), QString("None"));
        QCOMPARE(dialog->Prefs().BackgroundIndex, 0);
        QCOMPARE(Child<QStackedWidget>(dialog.get(), "BackgroundPageControl")->currentIndex(), 0);
        QVERIFY(!Child<QLabel>(dialog.get(), "BackgroundBrowseLabel")->isHidden());
        QVERIFY(dialog->BackgroundPicture().isNull());

        m_messages.Shown.clear();
        const QString good = Picture("tile.bmp", qRgb(10, 20, 30), "BMP");
        ChooseFile(*dialog, good);
        Child<QPushButton>(dialog.get(), "Button1")->click();
        QVERIFY(m_messages.Shown.isEmpty());
        QCOMPARE(dialog->BackgroundPicture().size(), QSize(20, 30));
        QCOMPARE(Rgb(dialog->BackgroundPicture().pixel(3, 3)), qRgb(10, 20, 30));
        QCOMPARE(Read("BackgroundImage"), good);
        QVERIFY(Child<QLabel>(dialog.get(), "BackgroundBrowseLabel")->isHidden());

        ChooseFile(*dialog, Picture("tile.GIF", qRgb(0, 0, 0), "PNG"));
        Child<QPushButton>(dialog.get(), "Button1")->click();
        QCOMPARE(m_messages.Shown, QStringList{"error: GIF images are not supported."});
        QCOMPARE(Read("BackgroundImage"), QString("None"));
        QVERIFY(dialog->BackgroundPicture().isNull());

        m_messages.Shown.clear();
        const QString empty = TextFile("empty.pcx", {});
        ChooseFile(*dialog, empty);
        Child<QPushButton>(dialog.get(), "Button1")->click();
        QCOMPARE(m_messages.Shown.size(), 1);
        QVERIFY(m_messages.Shown.at(0).contains(empty));
        QCOMPARE(Read("BackgroundImage"), QString("None"));
        QVERIFY(dialog->BackgroundPicture().isNull());
        QVERIFY(!Child<QLabel>(dialog.get(), "BackgroundBrowseLabel")->isHidden());

        // A stored good picture is loaded at start-up.
        Write("BackgroundImage", good);
        auto next = Make();
        QCOMPARE(next->BackgroundPicture().size(), QSize(20, 30));
        QCOMPARE(next->Prefs().BackgroundImage, good);
    }

    // A colour panel opens the colour dialog at its colour; the custom colours are saved at once.
    void colourPanelsChooseColoursAndSaveCustomColours() {
        Write("ShowTips", "False");
        Write("CustomColors", "ColorA=0000FF,ColorC=00FF00,junk");
        auto dialog = Make();
        QCOMPARE(QColorDialog::customColor(0), QColor(255, 0, 0));
        QCOMPARE(QColorDialog::customColor(2), QColor(0, 255, 0));

        QColor offered;
        QColor answer(10, 20, 30);
        dialog->SetColorChooser([&](QWidget*, const QColor& initial) {
            offered = initial;
            return answer;
        });
        QColorDialog::setCustomColor(1, QColor(0x12, 0x34, 0x56));
        QTest::mouseClick(Child<QFrame>(dialog.get(), "StartColorPanel"), Qt::LeftButton);
        QCOMPARE(offered, QColor(0, 0x40, 0));
        QCOMPARE(dialog->Prefs().GradientStartColor, 0x1E140A);
        QCOMPARE(Child<QFrame>(dialog.get(), "StartColorPanel")->palette().color(QPalette::Window), answer);
        const QString saved = Read("CustomColors");
        QCOMPARE(saved.split(',').size(), QColorDialog::customCount());
        QVERIFY(saved.startsWith("ColorA=0000FF,ColorB=563412,ColorC=00FF00,"));

        // Cancelling keeps the colour but still saves the custom colours.
        answer = QColor();
        QColorDialog::setCustomColor(3, QColor(1, 2, 3));
        QTest::mouseClick(Child<QFrame>(dialog.get(), "EndColorPanel"), Qt::LeftButton);
        QCOMPARE(dialog->Prefs().GradientEndColor, 0);
        QVERIFY(Read("CustomColors").contains("ColorD=030201"));

        answer = QColor(0, 0, 255);
        QTest::mouseClick(Child<QFrame>(dialog.get(), "SolidColorPanel"), Qt::LeftButton);
        dialog->ShowModal();
        QCOMPARE(Read("BackgroundColor"), QString("clBlue"));
        QCOMPARE(Read("GradientStartColor"), QString("$001E140A"));
    }

    // On a 256-colour display no picture of the player's own is offered or loaded.
    void lowColourDisplayOffersNoPicturesOfThePlayersOwn() {
        m_screenDepth = 8;
        const QString path = Picture("back.png", qRgb(0, 0, 220));
        Write("CustomImage", path);
        Write("BackgroundImage", path);
        Write("BackIndex", "3");
        Write("BackgroundIndex", "2");
        auto dialog = Make();
        QVERIFY(dialog->LowColor());
        auto* browse = Child<QPushButton>(dialog.get(), "BrowseButton");
        QVERIFY(!browse->isEnabled());
        QCOMPARE(browse->toolTip(), QString("Not available for\n256 color displays"));
        QCOMPARE(dialog->Prefs().BackIndex, 0);
        QCOMPARE(TCard::GetBackIndex(), 0);
        QVERIFY(Child<QRadioButton>(dialog.get(), "CardBackRdBtn1")->isChecked());
        QVERIFY(!Child<QRadioButton>(dialog.get(), "CardBackRdBtn4")->isEnabled());
        QCOMPARE(dialog->Prefs().BackgroundIndex, 0);
        QVERIFY(Child<QGroupBox>(dialog.get(), "BackgroundRadioGroup")->isHidden());
        QVERIFY(dialog->BackgroundPicture().isNull());
        QVERIFY(m_messages.Shown.isEmpty());
        // The stored paths stay for a better display.
        QCOMPARE(Read("CustomImage"), path);
        dialog->RefreshCustomBack();
        QVERIFY(m_messages.Shown.isEmpty());

        // With a solid background the kind selector stays.
        Write("BackgroundIndex", "0");
        auto solid = Make();
        QVERIFY(!Child<QGroupBox>(solid.get(), "BackgroundRadioGroup")->isHidden());
    }

    // After a card size change the custom back is composed again for the next game window.
    void refreshCustomBackRecomposesAfterACardSizeChange() {
        Write("ShowTips", "False");
        Write("CustomImage", Picture("back.png", qRgb(0, 200, 0)));
        Write("BackIndex", "3");
        auto dialog = Make();
        dialog->RefreshCustomBack(); // no change yet: nothing to do
        QCOMPARE(TCard().GetBackImage(3)->size(), QSize(80, 125));

        m_onPreferences = [](QDialog& shown) {
            ChooseRadio(&shown, "CardSizeRadioGroup", "Small cards");
            return int(QDialog::Accepted);
        };
        dialog->ShowModal();
        TCard::SetCardSize(FS_SMALL, false); // as the selector does before a new window
        QVERIFY(TCard().GetBackImage(3)->isNull());
        dialog->RefreshCustomBack();
        QCOMPARE(TCard().GetBackImage(3)->size(), QSize(61, 95));
        QCOMPARE(TCard::GetBackIndex(), 3);
        TCard::SetCardSize(FS_LARGE, false);
    }

    // The Help button and F1 ask for the preferences topic.
    void helpButtonAndF1OpenTopic502() {
        Write("ShowTips", "False");
        auto dialog = Make();
        QList<int> topics;
        dialog->SetHelpHook([&topics](int context) { topics.append(context); });
        Child<QPushButton>(dialog.get(), "HelpBtn")->click();
        QTest::keyClick(dialog.get(), Qt::Key_F1);
        QCOMPARE(topics, QList<int>({502, 502}));
    }
};

QTEST_MAIN(TestPreferences)
#include "tst_preferences.moc"
