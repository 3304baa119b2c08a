#include "framework/Modal.h"
#include "framework/TGameForm.h"
#include "shell/TApplication.h"
#include "shell/TSolitaireForm.h"
#include "shell/TStatisticsDlg.h"
#include "shell/TTipsForm.h"
#include "support/TestSupport.h"

#include <QDialog>
#include <QFile>
#include <QTest>

// Start-up pays only for what the selector shows. This is its own test
// program: whatever another test loaded would stay loaded.
class TestStartup : public QObject {
    Q_OBJECT

    static bool Mapped(const char* library) {
        QFile maps(QStringLiteral("/proc/self/maps"));
        return maps.open(QIODevice::ReadOnly) && maps.readAll().contains(library);
    }

private slots:
    // The libraries behind the sounds, the charts and the picture decoder come when first
    // needed: the sounds with "OPEN", right after the selector's first paint. The program's
    // own pictures are read without asking every image plugin of the system.
    void largeLibrariesWaitUntilNeeded() {
        if (!QFile::exists(QStringLiteral("/proc/self/maps")))
            QSKIP("needs /proc");
        ScopedSettingsDir settings;
        TTipsForm::SetTipsFile(QStringLiteral("/nonexistent/Tips.ini"));
        Modal::SetRunner([](QDialog&) { return int(QDialog::Accepted); });
        {
            TApplication app; // the real sound output
            QVERIFY(!Mapped("libQt6Multimedia"));
            QVERIFY(!Mapped("libQt6Charts"));
            QVERIFY(!Mapped("libGraphicsMagick"));
            QVERIFY(!Mapped("/imageformats/"));
            QVERIFY(QTest::qWaitForWindowExposed(&app.Selector()));
            QTRY_VERIFY(Mapped("quintaro_sound"));
            QVERIFY(Mapped("libQt6Multimedia"));
            QVERIFY(!Mapped("libQt6Charts"));
            app.Statistics();
            QVERIFY(Mapped("libQt6Charts"));
        }
        Modal::SetRunner({});
        TTipsForm::SetTipsFile({});
    }
};

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
