#include "framework/core/IniFile.h"
#include "framework/core/TProfile.h"

#include <QFile>
#include <QTemporaryDir>
#include <QThread>

#include <benchmark/benchmark.h>

namespace {

// A settings file of the usual size: the preferences and twelve game sections with
// options, statistics and window positions (about 5 KB).
QByteArray TypicalFile() {
    QByteArray text = "[Preferences]\nBackIndex=2\nCardSize=1\nBackgroundIndex=0\nGradientIndex=0\n"
                      "BackgroundColor=$00004000\nGradientStartColor=$00004000\nGradientEndColor=clBlack\n"
                      "DoAnimation=True\nDoSound=True\nVegasScoring=False\nMinimizeToTray=False\n"
                      "SmartDragging=True\nShowTips=True\nTipsIndex=7\n"
                      "CustomColors=ColorA=FFFFFF,ColorB=FFFFFF,ColorC=FFFFFF,ColorD=FFFFFF\n"
                      "CustomImage=/home/player/Pictures/back.png\nBackgroundImage=/home/player/table.jpg\n\n"
                      "[MainWindow]\nPosition=120,80\n\n";
    for (const char* game : {"Castle", "DoubleKlondike", "FortyThieves", "FreeCell", "Golf", "IndianPatience",
                             "Klondike", "Montana", "Pyramid", "QueenItaly", "SeaHavenTowers", "Spider"}) {
        text += QByteArray("[") + game +
                "]\nAutoplay=True\nGamesAttempted=143\nGamesWon=61\nLastGame=True\n"
                "CurrentStreak=2\nLongestStreak=6\nLongestStreakDate=45123.7734259259\n"
                "AvgScore=23.4512195121951\nNormPos=40,30,800,600\nShowCmd=1\n\n";
        text += QByteArray("[s") + game + "]\nNormPos=10,10,640,480\nShowCmd=1\n\n";
    }
    return text;
}

// The same sections followed by thousands of others: about 15 MB, just under the size limit.
QByteArray LargeFile() {
    QByteArray text;
    for (int i = 0; text.size() < 15 * 1024 * 1024; ++i)
        text += "[Filler" + QByteArray::number(i) + "]\nA=1\nB=two\nC=three and more\n\n";
    return text + TypicalFile();
}

struct Fixture {
    QTemporaryDir dir;
    explicit Fixture(const QByteArray& content = TypicalFile()) {
        IniFile::SetDirectory(dir.path());
        QFile file(dir.path() + QStringLiteral("/Solitaire.ini"));
        file.open(QIODevice::WriteOnly);
        file.write(content);
    }
};

// A file left alone for a while, as the settings file is between games. A file changed in the
// last seconds is read again at every read, since a further change could hide in the file
// system's time resolution; these files are made once and given time to settle.
Fixture& Settled(bool large) {
    static Fixture* typical = nullptr;
    static Fixture* big = nullptr;
    if (!typical) {
        typical = new Fixture;
        big = new Fixture(LargeFile());
        QThread::sleep(4);
    }
    Fixture& fixture = large ? *big : *typical;
    IniFile::SetDirectory(fixture.dir.path());
    return fixture;
}

TProfile SpiderAverage() {
    TProfile profile;
    profile.SetFileName(QStringLiteral("Solitaire.ini"));
    profile.SetDefaultText(QStringLiteral("None"));
    profile.SetSection(QStringLiteral("Spider"));
    profile.SetEntry(QStringLiteral("AvgScore"));
    return profile;
}

} // namespace

// One TProfile read of a key near the end of a typical file (the target is under 0.2 ms).
static void BM_ProfileRead(benchmark::State& state) {
    Settled(false);
    TProfile profile = SpiderAverage();
    for (auto _ : state)
        benchmark::DoNotOptimize(profile.GetText());
    state.SetLabel("5 KB file");
}
BENCHMARK(BM_ProfileRead);

// The same read in the seconds after the file changed: read and parsed again every time.
static void BM_ProfileReadJustChanged(benchmark::State& state) {
    Fixture fixture;
    TProfile profile = SpiderAverage();
    for (auto _ : state)
        benchmark::DoNotOptimize(profile.GetText());
}
BENCHMARK(BM_ProfileReadJustChanged);

// A key read in a 15 MB file: parsed once, then only its section index is searched.
static void BM_ProfileReadLargeFile(benchmark::State& state) {
    Settled(true);
    TProfile profile = SpiderAverage();
    for (auto _ : state)
        benchmark::DoNotOptimize(profile.GetText());
}
BENCHMARK(BM_ProfileReadLargeFile);

// What a change of that 15 MB file costs the next read: one parse (the file is in memory here).
static void BM_ParseLargeFile(benchmark::State& state) {
    const QByteArray content = LargeFile();
    for (auto _ : state) {
        const IniFile::Edit file(content);
        benchmark::DoNotOptimize(file.Read(QStringLiteral("Spider"), QStringLiteral("AvgScore"), {}));
    }
}
BENCHMARK(BM_ParseLargeFile)->Unit(benchmark::kMillisecond);

// The same read through the other spelling of the file name (a directory scan finds the file).
static void BM_ProfileReadOtherSpelling(benchmark::State& state) {
    Settled(false);
    TProfile profile;
    profile.SetDefaultText(QStringLiteral("None"));
    profile.SetSection(QStringLiteral("Spider"));
    profile.SetEntry(QStringLiteral("AvgScore"));
    for (auto _ : state)
        benchmark::DoNotOptimize(profile.GetText());
}
BENCHMARK(BM_ProfileReadOtherSpelling);

// One TProfile write: lock, read, change one line, replace the file atomically.
static void BM_ProfileWrite(benchmark::State& state) {
    Fixture fixture;
    TProfile profile;
    profile.SetFileName(QStringLiteral("Solitaire.ini"));
    profile.SetSection(QStringLiteral("Spider"));
    profile.SetEntry(QStringLiteral("GamesAttempted"));
    int value = 0;
    for (auto _ : state)
        profile.SetValue(++value);
}
BENCHMARK(BM_ProfileWrite)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
