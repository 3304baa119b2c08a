#include "framework/core/IniFile.h"
#include "shell/TTipsForm.h"
#include "support/TestSupport.h"

#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

namespace {

QString ReadIndex() {
    return IniFile::ReadString("Solitaire.ini", "Preferences", "TipsIndex", "None");
}

void WriteIndex(const QString& value) {
    QVERIFY(IniFile::WriteString("Solitaire.ini", "Preferences", "TipsIndex", value));
}

} // namespace

class TestTips : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_files;
    std::unique_ptr<ScopedSettingsDir> m_settings;

    QString WriteTips(const QByteArray& text) {
        const QString path = m_files.filePath("Tips.ini");
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            qFatal("cannot write the tips file");
        file.write(text);
        return path;
    }

    void UseThreeTips() {
        TTipsForm::SetTipsFile(WriteTips("[Other]\nX=not a tip\n[Tips]\nzeta=First tip\nAlpha=Second^^tip\n"
                                         "m=Third tip\n[More]\nY=not a tip either\n"));
    }

private slots:
    void init() { m_settings = std::make_unique<ScopedSettingsDir>(); }
    void cleanup() {
        m_settings.reset();
        TTipsForm::SetTipsFile({});
    }

    // Tips come in file order whatever their key names, with "^^" as a line break.
    void tipsAreReadInFileOrderWithLineBreaks() {
        UseThreeTips();
        QCOMPARE(TTipsForm::ReadTips(TTipsForm::TipsFile()),
                 QStringList({"First tip", "Second\ntip", "Third tip"}));
        QVERIFY(TTipsForm::ReadTips(m_files.filePath("missing.ini")).isEmpty());
        TTipsForm::SetTipsFile({});
        QVERIFY(TTipsForm::TipsFile().endsWith("/Tips.ini"));
        QVERIFY(TTipsForm::TipsFile().startsWith(QCoreApplication::applicationDirPath()));
    }

    // The first start writes -1 and then shows (and records) the first tip.
    void firstStartShowsTheFirstTipAndRecordsIt() {
        UseThreeTips();
        QCOMPARE(ReadIndex(), QString("None"));
        TTipsForm form;
        QCOMPARE(form.CurrentIndex(), 0);
        QCOMPARE(form.CurrentText(), QString("First tip"));
        QCOMPARE(ReadIndex(), QString("0"));
        QVERIFY(form.ShowAtStartup());
        QCOMPARE(form.findChild<QCheckBox*>("ShowCheckBox")->text(), QString(" &Show tips at startup"));
        QCOMPARE(form.size(), QSize(432, 222));
    }

    // Each start shows the tip after the one shown last, wrapping after the last tip
    // (a stored text that is no number reads as 0).
    void openingShowsTheTipAfterTheStoredOne() {
        UseThreeTips();
        const QList<QPair<QString, int>> cases{{"0", 1},  {"1", 2},  {"2", 0},   {"7", 0},
                                               {"-1", 0}, {"-9", 0}, {"junk", 1}};
        for (const auto& [stored, expected] : cases) {
            WriteIndex(stored);
            TTipsForm form;
            QVERIFY2(form.CurrentIndex() == expected, qPrintable(stored));
            QCOMPARE(ReadIndex(), QString::number(expected));
        }
    }

    // Next and Previous wrap around both ways, and every tip shown is recorded at once.
    void navigationWrapsBothWaysAndRecordsEveryTip() {
        UseThreeTips();
        WriteIndex("1");
        TTipsForm form;
        QCOMPARE(form.CurrentIndex(), 2);
        auto* next = form.findChild<QPushButton*>("NextBtn");
        auto* previous = form.findChild<QPushButton*>("PreviousBtn");
        QCOMPARE(next->text(), QString("&Next Tip"));
        QCOMPARE(previous->text(), QString("&Previous Tip"));

        QTest::mouseClick(next, Qt::LeftButton);
        QCOMPARE(form.CurrentIndex(), 0);
        QCOMPARE(ReadIndex(), QString("0"));
        QCOMPARE(form.findChild<QLabel*>("TipLabel")->text(), QString("First tip"));
        QTest::mouseClick(previous, Qt::LeftButton);
        QCOMPARE(form.CurrentIndex(), 2);
        QCOMPARE(ReadIndex(), QString("2"));
        QTest::mouseClick(previous, Qt::LeftButton);
        QCOMPARE(form.CurrentIndex(), 1);
        QCOMPARE(form.CurrentText(), QString("Second\ntip"));
        QCOMPARE(ReadIndex(), QString("1"));
        QTest::mouseClick(next, Qt::LeftButton);
        QTest::mouseClick(next, Qt::LeftButton);
        QCOMPARE(form.CurrentIndex(), 0);
        QCOMPARE(ReadIndex(), QString("0"));
    }

    // Without tips (no file, or an empty section) the text is empty and navigation is off.
    void withoutTipsTheTextIsEmptyAndNavigationDisabled() {
        for (const QString& path : {m_files.filePath("none.ini"), WriteTips("[Tips]\n[Other]\nA=b\n")}) {
            TTipsForm::SetTipsFile(path);
            TTipsForm form;
            QCOMPARE(form.CurrentIndex(), -1);
            QVERIFY(form.CurrentText().isEmpty());
            QVERIFY(!form.findChild<QPushButton*>("NextBtn")->isEnabled());
            QVERIFY(!form.findChild<QPushButton*>("PreviousBtn")->isEnabled());
            form.NextTip();
            form.PreviousTip();
            QCOMPARE(form.CurrentIndex(), -1);
            QCOMPARE(ReadIndex(), QString("-1"));
        }
    }

    // The OK button closes the window and the check box reports the player's choice.
    void okClosesAndTheCheckBoxIsReported() {
        UseThreeTips();
        TTipsForm form;
        form.show();
        auto* check = form.findChild<QCheckBox*>("ShowCheckBox");
        QTest::mouseClick(check, Qt::LeftButton, {}, QPoint(8, check->height() / 2));
        QVERIFY(!form.ShowAtStartup());
        QTest::mouseClick(form.findChild<QPushButton*>("OKBtn"), Qt::LeftButton);
        QCOMPARE(form.result(), int(QDialog::Accepted));
        QVERIFY(!form.isVisible());
    }

    // The tips shipped with the program are plentiful and well formed.
    void shippedTipsFileHasEnoughTips() {
        const QString source = qEnvironmentVariable("QUINTARO_SOURCE_DIR");
        if (source.isEmpty())
            QSKIP("QUINTARO_SOURCE_DIR is not set");
        const QStringList tips = TTipsForm::ReadTips(source + "/resources/Tips.ini");
        QVERIFY(tips.size() >= 25);
        for (const QString& tip : tips) {
            QVERIFY(!tip.trimmed().isEmpty());
            QVERIFY(!tip.contains("^^"));
        }
    }
};

QTEST_MAIN(TestTips)
#include "tst_tips.moc"
