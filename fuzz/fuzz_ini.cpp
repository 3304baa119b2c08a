// Arbitrary settings-file contents and names through the ini reader and writer, the
// statistics record and the preferences. Reads must never crash; a write that succeeds
// must read back, and a refused write must leave the file's bytes untouched; a recorded
// game counts exactly one more attempt, never wraps and leaves a usable average; the
// preferences written back read as the values the dialog closed with.

#include "framework/core/Clock.h"
#include "framework/core/IniFile.h"
#include "framework/core/Preferences.h"
#include "framework/core/Statistics.h"
#include "framework/core/TProfile.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstdlib>
#include <fuzzer/FuzzedDataProvider.h>
#include <limits>

namespace {

const QString Ini = QStringLiteral("Solitaire.ini");
const QString None = QStringLiteral("None");

QString Take(FuzzedDataProvider& data) {
    const std::string bytes = data.ConsumeRandomLengthString(64);
    return QString::fromUtf8(bytes.data(), static_cast<int>(bytes.size()));
}

QByteArray FileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void Check(bool condition) {
    if (!condition)
        std::abort();
}

// A value that the file format keeps exactly: no surrounding blanks, no line breaks.
bool Plain(const QString& text) {
    if (text.isEmpty() || text.size() > 255 || text.trimmed() != text)
        return false;
    for (QChar c : text)
        if (c.unicode() < 0x20 || c == QChar(0x7F) || c.isSpace() || c.isSurrogate() ||
            c.category() == QChar::Other_NotAssigned)
            return false;
    return true;
}

QString Key(const char* key) {
    return IniFile::ReadString(Ini, QStringLiteral("Klondike"), QLatin1String(key), None);
}

void RecordAGame(FuzzedDataProvider& data) {
    TProfile profile;
    profile.SetFileName(Ini);
    profile.SetSection(QStringLiteral("Klondike"));
    const int moves = data.ConsumeIntegral<int>();
    const int threshold = data.ConsumeIntegralInRange<int>(0, 20);
    const bool won = data.ConsumeBool();
    const int score = data.ConsumeIntegral<int>();

    const QString attemptsBefore = Key(Statistics::GamesAttempted);
    const auto result = Statistics::RecordFinishedGame(profile, moves, threshold, won, score);
    const QString attempts = Key(Statistics::GamesAttempted);
    if (result.outcome == Statistics::TRecordResult::NotRecorded) {
        Check(attempts == attemptsBefore);
        return;
    }
    const int expected = attemptsBefore == None ? 1 : Statistics::Next(Statistics::Count(attemptsBefore));
    Check(attempts == QString::number(expected));
    for (const char* count : {Statistics::GamesWon, Statistics::CurrentStreak, Statistics::LongestStreak}) {
        const QString text = Key(count);
        Check(text == None || (ProfileText::ParseInt(text).value_or(0) >= 0));
    }
    if (!won && result.Ok())
        Check(Statistics::Average(Key(Statistics::AvgScore)).has_value());
}

TPreferences Closing(FuzzedDataProvider& data, TPreferences prefs) {
    // What a player could choose in the dialog: every value within its range.
    if (data.ConsumeBool())
        prefs.BackIndex = data.ConsumeIntegralInRange(0, 3);
    if (data.ConsumeBool())
        prefs.CardSize = data.ConsumeIntegralInRange(0, 1);
    if (data.ConsumeBool())
        prefs.BackgroundIndex = data.ConsumeIntegralInRange(0, 2);
    if (data.ConsumeBool())
        prefs.GradientIndex = data.ConsumeIntegralInRange(0, 1);
    if (data.ConsumeBool())
        prefs.BackgroundColor = data.ConsumeIntegral<int>();
    if (data.ConsumeBool())
        prefs.GradientEndColor = data.ConsumeIntegral<int>();
    for (bool* flag : {&prefs.DoAnimation, &prefs.DoSound, &prefs.VegasScoring, &prefs.MinimizeToTray,
                       &prefs.SmartDragging, &prefs.ShowTips})
        if (data.ConsumeBool())
            *flag = !*flag;
    return prefs;
}

void ClosePreferences(FuzzedDataProvider& data) {
    const TPreferences opened = Preferences::Read(Ini).Values;
    const TPreferences closing = Closing(data, opened);
    Check(Preferences::WriteBack(Ini, opened, closing));
    Check(Preferences::Read(Ini).Values == closing);
}

QTemporaryDir* s_dir = nullptr;

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    // Memory-backed when possible: every write is synced, which a disk would make slow.
    const QString shm = QStringLiteral("/dev/shm");
    s_dir = QDir(shm).exists() ? new QTemporaryDir(shm + QStringLiteral("/quintaro-fuzz-XXXXXX"))
                               : new QTemporaryDir; // lives for the whole run
    IniFile::SetDirectory(s_dir->path());
    IniFile::SetReportSink([](const QString&) {});
    Clock::SetNow([] { return QDateTime(QDate(2024, 5, 6), QTime(9, 30)); });
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    FuzzedDataProvider data(bytes, size);
    const QString section = Take(data);
    const QString key = Take(data);
    const QString value = Take(data);
    const int what = data.ConsumeIntegralInRange(0, 2);
    const std::string games = data.ConsumeBytesAsString(16);
    const std::string contents = data.ConsumeRemainingBytesAsString();

    const QString path = s_dir->path() + QLatin1Char('/') + Ini;
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            std::abort();
        file.write(contents.data(), static_cast<qint64>(contents.size()));
    }
    IniFile::ReadString(Ini, section, key, None);
    IniFile::ReadSection(path, section);

    FuzzedDataProvider choices(reinterpret_cast<const std::uint8_t*>(games.data()), games.size());
    if (what == 1) {
        RecordAGame(choices);
        return 0;
    }
    if (what == 2) {
        ClosePreferences(choices);
        return 0;
    }

    const QByteArray before = FileBytes(path);
    if (!IniFile::WriteString(Ini, section, key, value)) {
        Check(FileBytes(path) == before); // a refused write changed the file
        return 0;
    }
    if (Plain(section) && Plain(key) && Plain(value))
        Check(IniFile::ReadString(Ini, section, key, None) == value); // a written value did not read back
    return 0;
}
