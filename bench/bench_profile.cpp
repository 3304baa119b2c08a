#include "framework/core/IniFile.h"
#include "framework/core/TProfile.h"

#include <QFile>
#include <QTemporaryDir>

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

struct Fixture {
    QTemporaryDir dir;
    Fixture() {
        IniFile::SetDirectory(dir.path());
        QFile file(dir.path() + QStringLiteral("/Solitaire.ini"));
        file.open(QIODevice::WriteOnly);
        file.write(TypicalFile());
    }
};

} // namespace

// One TProfile read of a key near the end of a typical file (the target is under 0.2 ms).
static void BM_ProfileRead(benchmark::State& state) {
    Fixture fixture;
    TProfile profile;
    profile.SetFileName(QStringLiteral("Solitaire.ini"));
    profile.SetDefaultText(QStringLiteral("None"));
    profile.SetSection(QStringLiteral("Spider"));
    profile.SetEntry(QStringLiteral("AvgScore"));
    for (auto _ : state)
        benchmark::DoNotOptimize(profile.GetText());
    state.SetLabel(QFile(fixture.dir.path() + QStringLiteral("/Solitaire.ini")).size() > 4000 ? "5 KB file"
                                                                                              : "");
}
BENCHMARK(BM_ProfileRead);

// The same read through the other spelling of the file name (a directory scan finds the file).
static void BM_ProfileReadOtherSpelling(benchmark::State& state) {
    Fixture fixture;
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
