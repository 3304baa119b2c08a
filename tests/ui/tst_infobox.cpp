#include "cards/Resources.h"
#include "shell/TInfoBox.h"
#include "support/FakeSoundOutput.h"

#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

namespace {

// Runs the pending deferred deletions, as the event loop would after a close.
void FlushDeletes() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

TInfoBox::Frame ExpectedFrame(int step) {
    static const TInfoBox::Frame swing[4] = {TInfoBox::FrameC, TInfoBox::FrameB, TInfoBox::FrameA,
                                             TInfoBox::FrameB};
    return swing[step % 4];
}

} // namespace

class TestInfoBox : public QObject {
    Q_OBJECT
private slots:
    void cleanup();
    void layoutShowsNameVersionJesterAndPicture();
    void onlyOneBoxExistsAndOnlyCreationPlaysTheJester();
    void jesterSwingsCBABAndContinuesAfterReopening();
    void windowTakesTheColourOfTheJestersCorner();
    void lowColourDisplayShowsAStillJester();
    void okAndEscapeCloseAndDestroyTheBox();
};

void TestInfoBox::cleanup() {
    if (TInfoBox* box = TInfoBox::Instance())
        box->close();
    FlushDeletes();
}

// Caption, size, banner and the places of the two pictures are fixed.
void TestInfoBox::layoutShowsNameVersionJesterAndPicture() {
    TInfoBox* box = TInfoBox::ShowInfoBox(nullptr, false, nullptr);
    QCOMPARE(box->windowTitle(), QStringLiteral("About Quintaro!"));
    QCOMPARE(box->size(), QSize(539, 316));
    QVERIFY(!box->isModal());
    auto* memo = box->findChild<QLabel*>(QStringLiteral("Memo1"));
    QCOMPARE(memo->text(), QStringLiteral("Quintaro Version 1.1"));
    QVERIFY(memo->font().bold());
    QCOMPARE(memo->font().pixelSize(), 19);
    auto* jester = box->findChild<QLabel*>(QStringLiteral("Image1"));
    QCOMPARE(jester->geometry(), QRect(9, 36, 66, 90));
    auto* picture = box->findChild<QLabel*>(QStringLiteral("Image2"));
    QCOMPARE(picture->geometry(), QRect(224, 32, 306, 279));
    if (Resources::Exists(QStringLiteral("INFOPIC")))
        QCOMPARE(picture->pixmap().size(), QSize(306, 279));
    QCOMPARE(box->Timer()->interval(), 400);
    QVERIFY(box->Timer()->isActive());
}

// A second request while the box is open only raises it; a new box after
// closing plays "JESTER" again, and with sounds off nothing plays.
void TestInfoBox::onlyOneBoxExistsAndOnlyCreationPlaysTheJester() {
    FakeSoundOutput* fake = nullptr;
    bool soundOn = true;
    auto sounds = FakeSoundOutput::MakeManager(&fake, [&soundOn] { return soundOn; });

    TInfoBox* first = TInfoBox::ShowInfoBox(nullptr, false, sounds.get());
    QCOMPARE(TInfoBox::ShowInfoBox(nullptr, false, sounds.get()), first);
    QCOMPARE(fake->Calls(), (std::vector<FakeSoundOutput::Call>{{QStringLiteral("JESTER"), false}}));

    first->close();
    FlushDeletes();
    QVERIFY(!TInfoBox::Instance());
    TInfoBox* second = TInfoBox::ShowInfoBox(nullptr, false, sounds.get());
    QVERIFY(second);
    QCOMPARE(fake->Count(QStringLiteral("JESTER")), 2);

    second->close();
    FlushDeletes();
    soundOn = false;
    TInfoBox::ShowInfoBox(nullptr, false, sounds.get());
    QCOMPARE(fake->Count(QStringLiteral("JESTER")), 2);
}

// Frames go C, B, A, B from one program-wide step that survives closing.
void TestInfoBox::jesterSwingsCBABAndContinuesAfterReopening() {
    TInfoBox* box = TInfoBox::ShowInfoBox(nullptr, false, nullptr);
    QCOMPARE(box->CurrentFrame(), TInfoBox::FrameB); // frame B until the first tick
    const int start = TInfoBox::Step();
    int step = start;
    for (int i = 0; i < 3; ++i, ++step) {
        box->Timer1Timer();
        QCOMPARE(box->CurrentFrame(), ExpectedFrame(step));
    }
    QCOMPARE(TInfoBox::Step(), (start + 3) % 4);

    box->close();
    FlushDeletes();
    box = TInfoBox::ShowInfoBox(nullptr, false, nullptr);
    QCOMPARE(TInfoBox::Step(), (start + 3) % 4);
    for (int i = 0; i < 5; ++i, ++step) {
        box->Timer1Timer();
        QCOMPARE(box->CurrentFrame(), ExpectedFrame(step));
    }

    // From a known step the whole swing reads C, B, A, B, C.
    while (TInfoBox::Step() != 0)
        box->Timer1Timer();
    QList<TInfoBox::Frame> seen;
    for (int i = 0; i < 5; ++i) {
        box->Timer1Timer();
        seen.append(box->CurrentFrame());
    }
    QCOMPARE(seen, (QList<TInfoBox::Frame>{TInfoBox::FrameC, TInfoBox::FrameB, TInfoBox::FrameA,
                                           TInfoBox::FrameB, TInfoBox::FrameC}));
    auto* jester = box->findChild<QLabel*>(QStringLiteral("Image1"));
    QCOMPARE(jester->pixmap().toImage().convertToFormat(QImage::Format_RGB32),
             box->FrameImage(TInfoBox::FrameC).convertToFormat(QImage::Format_RGB32));
}

// The window colour is the top-left pixel of frame B.
void TestInfoBox::windowTakesTheColourOfTheJestersCorner() {
    TInfoBox* box = TInfoBox::ShowInfoBox(nullptr, false, nullptr);
    QCOMPARE(box->palette().color(QPalette::Window), box->FrameImage(TInfoBox::FrameB).pixelColor(0, 0));
    if (Resources::Exists(QStringLiteral("JESTER2"))) {
        QCOMPARE(box->FrameImage(TInfoBox::FrameB), Resources::Image(QStringLiteral("JESTER2")));
        QCOMPARE(box->FrameImage(TInfoBox::FrameA), Resources::Image(QStringLiteral("JESTER1")));
        QCOMPARE(box->FrameImage(TInfoBox::FrameC), Resources::Image(QStringLiteral("JESTER3")));
    }
}

// On a 256-colour display all three frames are the one "_256" picture.
void TestInfoBox::lowColourDisplayShowsAStillJester() {
    TInfoBox* box = TInfoBox::ShowInfoBox(nullptr, true, nullptr);
    QCOMPARE(box->FrameImage(TInfoBox::FrameA), box->FrameImage(TInfoBox::FrameB));
    QCOMPARE(box->FrameImage(TInfoBox::FrameC), box->FrameImage(TInfoBox::FrameB));
    if (Resources::Exists(QStringLiteral("JESTER1_256")))
        QCOMPARE(box->FrameImage(TInfoBox::FrameB), Resources::Image(QStringLiteral("JESTER1_256")));
    QCOMPARE(box->FrameImage(TInfoBox::FrameB).size(), QSize(66, 90));
}

// OK and Escape both close the box, which is then destroyed and forgotten.
void TestInfoBox::okAndEscapeCloseAndDestroyTheBox() {
    QPointer<TInfoBox> box = TInfoBox::ShowInfoBox(nullptr, false, nullptr);
    box->findChild<QPushButton*>(QStringLiteral("OKButton"))->click();
    FlushDeletes();
    QVERIFY(!box);
    QVERIFY(!TInfoBox::Instance());

    box = TInfoBox::ShowInfoBox(nullptr, false, nullptr);
    QTest::keyClick(box.data(), Qt::Key_Escape);
    FlushDeletes();
    QVERIFY(!box);
    QVERIFY(!TInfoBox::Instance());
}

QTEST_MAIN(TestInfoBox)
#include "tst_infobox.moc"
