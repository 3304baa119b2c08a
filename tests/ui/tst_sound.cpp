#include "cards/Resources.h"
#include "framework/TSoundManager.h"
#include "framework/core/WavInfo.h"
#include "support/FakeSoundOutput.h"

#include <QAudioDevice>
#include <QElapsedTimer>
#include <QFile>
#include <QMediaDevices>
#include <QtEndian>
#include <QtTest>

namespace {

const QStringList kSounds = {"AUTOPLAY", "DEAL",  "JESTER", "OPEN",   "RESTART",
                             "SHUFFLE",  "STOCK", "UNDO",   "WIN_SND"};

QByteArray Le32(quint32 v) {
    char b[4];
    qToLittleEndian(v, b);
    return QByteArray(b, 4);
}

QByteArray Le16(quint16 v) {
    char b[2];
    qToLittleEndian(v, b);
    return QByteArray(b, 2);
}

QByteArray FmtChunk(quint16 format, quint16 channels, quint32 rate, quint16 bits) {
    return "fmt " + Le32(16) + Le16(format) + Le16(channels) + Le32(rate) + Le32(rate * channels * bits / 8) +
           Le16(channels * bits / 8) + Le16(bits);
}

QByteArray Riff(const QByteArray& chunks) {
    return "RIFF" + Le32(quint32(4 + chunks.size())) + "WAVE" + chunks;
}

// Each of the manager's operations once, in declaration order.
void PlayEveryOperation(TSoundManager& manager) {
    manager.PlayShuffle();
    manager.PlayRestart();
    manager.PlayDeal();
    manager.PlayStock();
    manager.PlayUndo();
    manager.PlayAutoplay();
    manager.PlayAutoplayNoWait();
    manager.PlayOpen();
    manager.PlayJester();
    manager.PlayWin();
}

} // namespace

class TestSound : public QObject {
    Q_OBJECT
private slots:
    void eachOperationPlaysItsSoundInItsMode();
    void nothingPlaysWhileSoundsAreOff();
    void thePreferenceIsAskedAtEveryCall();
    void everySoundIsAValidWaveOfSensibleLength();
    void waveHeadersAreCheckedBeforeUse();
    void synchronousPlayOfEverySoundReturnsWithoutADevice();
    void synchronousWaitIsBoundedWhenPlayingNeverEnds();
    void unknownSoundIsSilent();
};

// Each operation plays the named resource, waiting or not as the sound table says.
void TestSound::eachOperationPlaysItsSoundInItsMode() {
    FakeSoundOutput* fake = nullptr;
    auto manager = FakeSoundOutput::MakeManager(&fake);
    PlayEveryOperation(*manager);
    const std::vector<FakeSoundOutput::Call> expected = {
        {"SHUFFLE", true},  {"RESTART", true},   {"DEAL", true},  {"STOCK", true},   {"UNDO", true},
        {"AUTOPLAY", true}, {"AUTOPLAY", false}, {"OPEN", false}, {"JESTER", false}, {"WIN_SND", false},
    };
    QCOMPARE(fake->Calls(), expected);
    QCOMPARE(fake->Count("AUTOPLAY"), 2);
    QCOMPARE(&manager->Output(), static_cast<ISoundOutput*>(fake));
}

// With the sound preference off no operation reaches the output.
void TestSound::nothingPlaysWhileSoundsAreOff() {
    FakeSoundOutput* fake = nullptr;
    auto manager = FakeSoundOutput::MakeManager(&fake, [] { return false; });
    PlayEveryOperation(*manager);
    QVERIFY(fake->Empty());
}

// The preference is read afresh for every sound, so switching it takes effect at once;
// a manager without a preference plays everything.
void TestSound::thePreferenceIsAskedAtEveryCall() {
    bool on = true;
    int asked = 0;
    FakeSoundOutput* fake = nullptr;
    auto manager = FakeSoundOutput::MakeManager(&fake, [&] {
        ++asked;
        return on;
    });
    manager->PlayDeal();
    on = false;
    manager->PlayDeal();
    manager->PlayUndo();
    on = true;
    manager->PlayUndo();
    QCOMPARE(asked, 4);
    QCOMPARE(fake->Names(), (QStringList{"DEAL", "UNDO"}));

    manager->SetEnabled({});
    fake->Clear();
    manager->PlayOpen();
    QCOMPARE(fake->Names(), QStringList{"OPEN"});
}

// All nine sounds are compiled in as 16-bit mono PCM of a sensible length, peaking near
// -3 dBFS, and start and end silently (no click).
void TestSound::everySoundIsAValidWaveOfSensibleLength() {
    struct Range {
        double min, max;
    };
    const QHash<QString, Range> seconds = {
        {"SHUFFLE", {0.3, 1.0}}, {"RESTART", {0.15, 0.8}}, {"DEAL", {0.02, 0.15}},
        {"STOCK", {0.05, 0.4}},  {"UNDO", {0.08, 0.5}},    {"AUTOPLAY", {0.1, 0.5}},
        {"OPEN", {0.5, 2.0}},    {"JESTER", {0.5, 2.0}},   {"WIN_SND", {7.0, 10.0}},
    };
    for (const QString& name : kSounds) {
        QVERIFY2(Resources::Exists(name), qPrintable(name));
        QVERIFY(Resources::Exists(name.toLower()));
        QFile file(Resources::Path(name));
        QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(name));
        const QByteArray data = file.readAll();
        // Read the canonical 44-byte header by hand, independently of the player's parser.
        QVERIFY2(data.size() > 44, qPrintable(name));
        QCOMPARE(data.left(4), QByteArray("RIFF"));
        QCOMPARE(data.mid(8, 8), QByteArray("WAVEfmt "));
        const auto* raw = data.constData();
        QCOMPARE(qFromLittleEndian<quint16>(raw + 20), quint16(1)); // PCM
        QCOMPARE(qFromLittleEndian<quint16>(raw + 22), quint16(1)); // mono
        const quint32 rate = qFromLittleEndian<quint32>(raw + 24);
        QVERIFY(rate == 22050 || rate == 44100);
        QCOMPARE(qFromLittleEndian<quint16>(raw + 34), quint16(16));
        QCOMPARE(data.mid(36, 4), QByteArray("data"));
        const quint32 bytes = qFromLittleEndian<quint32>(raw + 40);
        QCOMPARE(qsizetype(bytes), data.size() - 44);
        QCOMPARE(qFromLittleEndian<quint32>(raw + 4), quint32(data.size() - 8));

        const double length = double(bytes) / 2 / rate;
        QVERIFY2(length >= seconds[name].min && length <= seconds[name].max,
                 qPrintable(QString("%1 lasts %2 s").arg(name).arg(length)));
        QCOMPARE(TWavInfo::ResourceLengthMs(name), qint64(bytes / 2 * 1000 / rate));

        int peak = 0;
        const int samples = int(bytes / 2);
        for (int i = 0; i < samples; ++i)
            peak = std::max(peak, std::abs(int(qFromLittleEndian<qint16>(raw + 44 + 2 * i))));
        QVERIFY2(peak > 20000 && peak < 26000, qPrintable(QString("%1 peaks at %2").arg(name).arg(peak)));
        QVERIFY(std::abs(qFromLittleEndian<qint16>(raw + 44)) < 300);
        QVERIFY(std::abs(qFromLittleEndian<qint16>(raw + 44 + 2 * (samples - 1))) < 300);
    }
}

// Damaged or foreign wave files give no length instead of reading past their end.
void TestSound::waveHeadersAreCheckedBeforeUse() {
    const QByteArray pcm(4410, '\0'); // 0.1 s at 22050 Hz, 16-bit mono
    const QByteArray good = Riff(FmtChunk(1, 1, 22050, 16) + "data" + Le32(quint32(pcm.size())) + pcm);
    auto info = TWavInfo::Parse(good);
    QVERIFY(info);
    QCOMPARE(info->DurationMs(), qint64(100));

    // An odd-sized chunk before the data is padded to an even size.
    const QByteArray withList = Riff(FmtChunk(1, 2, 44100, 16) + "LIST" + Le32(3) + "abc" +
                                     QByteArray(1, '\0') + "data" + Le32(quint32(pcm.size())) + pcm);
    info = TWavInfo::Parse(withList);
    QVERIFY(info);
    QCOMPARE(info->channels, 2);
    QCOMPARE(info->DurationMs(), qint64(4410 * 1000 / (44100 * 4)));

    // A data size larger than the file is cut to what is really there.
    const QByteArray overlong = Riff(FmtChunk(1, 1, 22050, 16) + "data" + Le32(0x7FFFFFF0) + pcm);
    info = TWavInfo::Parse(overlong);
    QVERIFY(info);
    QCOMPARE(info->dataBytes, qint64(pcm.size()));

    QVERIFY(!TWavInfo::Parse(QByteArray()));
    QVERIFY(!TWavInfo::Parse(good.left(20)));                                             // cut in the format
    QVERIFY(!TWavInfo::Parse(QByteArray("RIFX") + good.mid(4)));                          // not RIFF
    QVERIFY(!TWavInfo::Parse(Riff(FmtChunk(2, 1, 22050, 16) + "data" + Le32(0))));        // ADPCM
    QVERIFY(!TWavInfo::Parse(Riff(FmtChunk(1, 0, 22050, 16) + "data" + Le32(0))));        // no channels
    QVERIFY(!TWavInfo::Parse(Riff(FmtChunk(1, 1, 0, 16) + "data" + Le32(0))));            // no rate
    QVERIFY(!TWavInfo::Parse(Riff("data" + Le32(4) + "abcd" + FmtChunk(1, 1, 8000, 8)))); // data first
    QVERIFY(!TWavInfo::Parse(Riff("junk" + Le32(0xFFFFFFF0) + "xx")));                    // huge chunk
}

// With no audio device a synchronous play of every sound returns (at once) and nothing fails.
void TestSound::synchronousPlayOfEverySoundReturnsWithoutADevice() {
    TSoundManager manager(TSoundManager::CreateDefaultOutput(), [] { return true; });
    const bool noDevice = QMediaDevices::audioOutputs().isEmpty();
    QElapsedTimer timer;
    timer.start();
    for (const QString& name : kSounds)
        manager.Output().Play(name, true);
    manager.PlayShuffle();
    manager.PlayWin();
    // Generous: even with a device this is bounded by the clips' lengths plus margins.
    QVERIFY(timer.elapsed() < 60000);
    if (noDevice)
        QVERIFY(timer.elapsed() < 5000);
}

// A back end that keeps "playing" forever cannot hold a synchronous play beyond the
// clip's length plus the margin.
void TestSound::synchronousWaitIsBoundedWhenPlayingNeverEnds() {
    const auto output = TSoundManager::CreateDefaultOutput(false);
    QElapsedTimer timer;
    timer.start();
    output->Play("DEAL", true);
    output->Play("autoplay", true);
    output->Play("OPEN", false);
    output->Play("STOCK", true);
    QVERIFY(timer.elapsed() < 30000);
}

// A name that is not one of the program's sounds plays nothing and does not fail. The
// outputs are dropped while their sounds may still be loading: the sanitizer run checks
// that this loses nothing.
void TestSound::unknownSoundIsSilent() {
    const auto output = TSoundManager::CreateDefaultOutput(false);
    output->Play("NO_SUCH_SOUND", true);
    output->Play(QString(), false);
    TSoundManager::CreateDefaultOutput()->Play("NO_SUCH_SOUND", true);
}

QTEST_MAIN(TestSound)
#include "tst_sound.moc"
