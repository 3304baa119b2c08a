#include "framework/core/IniFile.h"
#include "support/TestSupport.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTest>
#include <QThread>

#include <csignal>
#include <cstdio>
#include <memory>
#include <sys/resource.h>
#include <unistd.h>
#include <vector>

namespace {

// Set in a child copy of this program: what it does ("writer", "limited", "holder"), in which
// folder, and its argument (the writer's spelling of the file name, or the file size limit).
constexpr char ChildVariable[] = "QUINTARO_INI_CHILD";
constexpr char WriterDirVariable[] = "QUINTARO_INI_WRITER_DIR";
constexpr char ArgVariable[] = "QUINTARO_INI_ARG";
constexpr int KeysPerWriter = 60;
const QString BigValue(8000, QLatin1Char('x'));

const QString Ini = QStringLiteral("Solitaire.ini");

QString Read(const QString& section, const QString& key) {
    return IniFile::ReadString(Ini, section, key, QStringLiteral("None"));
}

bool Write(const QString& section, const QString& key, const QString& value) {
    return IniFile::WriteString(Ini, section, key, value);
}

// The child program of the two-process test: writes its own keys through the given spelling of the name.
int RunWriter() {
    IniFile::SetDirectory(qEnvironmentVariable(WriterDirVariable));
    const QString name = qEnvironmentVariable(ArgVariable);
    int failures = 0;
    for (int i = 0; i < KeysPerWriter; ++i) {
        if (!IniFile::WriteString(name, QStringLiteral("Shared"), name + QString::number(i),
                                  QString::number(i)))
            ++failures;
    }
    return failures;
}

// Writes one big key twice with no more room on the disk than the limit (the way a full disk
// refuses a write) and says on standard output what each write returned.
int RunLimitedWriter() {
    IniFile::SetDirectory(qEnvironmentVariable(WriterDirVariable));
    std::signal(SIGXFSZ, SIG_IGN); // the write must fail, not kill the program
    const rlim_t limit = qEnvironmentVariable(ArgVariable).toULongLong();
    const rlimit bound{limit, limit};
    if (::setrlimit(RLIMIT_FSIZE, &bound) != 0)
        return 2;
    for (int i = 0; i < 2; ++i) {
        const bool written = Write("Klondike", "Big", BigValue);
        std::printf("%s\n", written ? "written" : "refused");
    }
    return 0;
}

// Takes the lock and keeps it until killed.
int RunLockHolder() {
    IniFile::SetDirectory(qEnvironmentVariable(WriterDirVariable));
    IniFile::Update(Ini, [](IniFile::Edit& file) {
        file.Write(QStringLiteral("S"), QStringLiteral("Holder"), QStringLiteral("never saved"));
        std::printf("holding\n");
        std::fflush(stdout);
        QThread::sleep(60);
        return true;
    });
    return 0;
}

std::unique_ptr<QProcess> StartChild(const char* role, const QString& dir, const QString& arg = {}) {
    auto process = std::make_unique<QProcess>();
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QLatin1String(ChildVariable), QLatin1String(role));
    env.insert(QLatin1String(WriterDirVariable), dir);
    env.insert(QLatin1String(ArgVariable), arg);
    process->setProcessEnvironment(env);
    process->start(QCoreApplication::applicationFilePath(), {});
    return process;
}

QStringList FilesIn(const QString& dir) {
    return QDir(dir).entryList(QDir::Files | QDir::Hidden | QDir::System);
}

// Collects the service's failure notes for one test.
class ToldLines {
public:
    ToldLines() {
        IniFile::SetReportSink([this](const QString& line) { Lines << line; });
    }
    ~ToldLines() { IniFile::SetReportSink({}); }
    QStringList Lines;
};

enum class Obstacle {
    FolderAtTheName,
    FolderAtTheLock,
    FileAtTheFolder,
    ReadOnlyFile,
    ReadOnlyFolder,
    Oversized
};

} // namespace

// The settings file reader and writer: names, byte-exact preservation, damage, failures, concurrency.
class TestIniFile : public QObject {
    Q_OBJECT
private slots:
    void directoryFollowsXdgConfigHomeUnlessSet();
    void missingFileOrNamesReadAsTheDefault();
    void fileSectionAndKeyNamesCompareWithoutCase();
    void untouchedLinesKeepTheirBytesOrderCommentsAndCrlf();
    void newKeysJoinTheEndOfTheirSectionAndNewSectionsTheEndOfTheFile();
    void firstOfDuplicateKeysWinsForReadsAndWrites();
    void readsCutValuesAt255Characters();
    void damagedFilesReadWithoutCrashingAndStayWritable();
    void valuesAndNamesThatWouldBreakTheLayoutAreRefused();
    void severalKeysAreWrittenTogetherOrNotAtAll();
    void threadsWritingDifferentKeysKeepEveryWrite();
    void twoProgramsWritingDifferentKeysKeepEveryWrite();
    void readSectionListsEveryKeyInFileOrder();
    void aWriteUnderAFullDiskReplacesTheFileWholeOrNotAtAll_data();
    void aWriteUnderAFullDiskReplacesTheFileWholeOrNotAtAll();
    void aKilledWritersLockAndTemporaryFilesAreTakenOverAtOnce();
    void failedWritesAreToldOnceNamingTheFileAndTheReason_data();
    void failedWritesAreToldOnceNamingTheFileAndTheReason();
    void writesGoThroughASymbolicLinkAndKeepTheTargetsPermissions();
    void readsFollowEveryChangeOnDisk();
    void anEditReadsItsOwnWritesAndLandsWholeOrNotAtAll();
};

void TestIniFile::directoryFollowsXdgConfigHomeUnlessSet() {
    // The default folder is $XDG_CONFIG_HOME/quintaro; SetDirectory overrides and "" restores it.
    const QByteArray previousHome = qgetenv("XDG_CONFIG_HOME");
    const QString previousDir = IniFile::Directory();
    QTemporaryDir home;
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(home.path()));
    IniFile::SetDirectory(QString());
    QCOMPARE(IniFile::Directory(), home.path() + QStringLiteral("/quintaro"));
    QVERIFY(Write("Preferences", "CardSize", "1"));
    QVERIFY(QFile::exists(home.path() + QStringLiteral("/quintaro/Solitaire.ini")));
    IniFile::SetDirectory(QStringLiteral("/elsewhere"));
    QCOMPARE(IniFile::Directory(), QStringLiteral("/elsewhere"));
    QCOMPARE(IniFile::ResolvePath(Ini), QStringLiteral("/elsewhere/Solitaire.ini"));
    IniFile::SetDirectory(previousDir);
    qputenv("XDG_CONFIG_HOME", previousHome);
}

void TestIniFile::missingFileOrNamesReadAsTheDefault() {
    // No file, no section, no key, or an empty name: the default comes back.
    ScopedSettingsDir dir;
    QCOMPARE(Read("Preferences", "DoSound"), QStringLiteral("None"));
    WriteBytes(dir.path() + QLatin1Char('/') + Ini, "[Preferences]\nDoSound=False\n");
    QCOMPARE(Read("Preferences", "DoSound"), QStringLiteral("False"));
    QCOMPARE(Read("Klondike", "DoSound"), QStringLiteral("None"));
    QCOMPARE(Read("Preferences", "DoAnimation"), QStringLiteral("None"));
    QCOMPARE(Read(QString(), "DoSound"), QStringLiteral("None"));
    QCOMPARE(Read("Preferences", QString()), QStringLiteral("None"));
    QCOMPARE(IniFile::ReadString(QString(), QStringLiteral("Preferences"), QStringLiteral("DoSound"),
                                 QStringLiteral("d")),
             QStringLiteral("d"));
}

void TestIniFile::fileSectionAndKeyNamesCompareWithoutCase() {
    // "SOLITAIRE.INI" reaches an existing "Solitaire.ini"; sections and keys match in any case
    // and keep the spelling they already have in the file.
    ScopedSettingsDir dir;
    WriteBytes(dir.path() + QStringLiteral("/Solitaire.ini"), "[Klondike]\nDrawThree=True\n");
    QCOMPARE(IniFile::ResolvePath(QStringLiteral("SOLITAIRE.INI")),
             dir.path() + QStringLiteral("/Solitaire.ini"));
    QCOMPARE(IniFile::ReadString(QStringLiteral("SOLITAIRE.INI"), QStringLiteral("KLONDIKE"),
                                 QStringLiteral("drawthree"), QStringLiteral("None")),
             QStringLiteral("True"));
    QVERIFY(IniFile::WriteString(QStringLiteral("solitaire.INI"), QStringLiteral("klondike"),
                                 QStringLiteral("DRAWTHREE"), QStringLiteral("False")));
    QCOMPARE(FileBytes(dir.path() + QStringLiteral("/Solitaire.ini")),
             QByteArray("[Klondike]\nDrawThree=False\n"));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
             QStringList{QStringLiteral("Solitaire.ini")});
    // Beyond ASCII too, and among many sections.
    QByteArray many = "[Klondike]\nDrawThree=False\n";
    for (int i = 0; i < 300; ++i)
        many += "[S" + QByteArray::number(i) + "]\nK=v" + QByteArray::number(i) + "\n";
    WriteBytes(dir.path() + QStringLiteral("/Solitaire.ini"), many);
    QVERIFY(Write("Äpfel", "Schlüssel", "1"));
    QCOMPARE(Read("äPFEL", "SCHLÜSSEL"), QStringLiteral("1"));
    QCOMPARE(Read("s299", "k"), QStringLiteral("v299"));
    WriteBytes(dir.path() + QStringLiteral("/Solitaire.ini"), "[Klondike]\nDrawThree=False\n");
    // A name with no file yet is used as given.
    QCOMPARE(IniFile::ResolvePath(QStringLiteral("Other.INI")), dir.path() + QStringLiteral("/Other.INI"));

    // Should both spellings exist (made by hand), each spelling still reaches one and the same file.
    WriteBytes(dir.path() + QStringLiteral("/SOLITAIRE.INI"), "[Klondike]\nDrawThree=Other\n");
    const QString chosen = IniFile::ResolvePath(QStringLiteral("Solitaire.ini"));
    QCOMPARE(IniFile::ResolvePath(QStringLiteral("SOLITAIRE.INI")), chosen);
    QCOMPARE(IniFile::ResolvePath(QStringLiteral("solitaire.ini")), chosen);
    QVERIFY(IniFile::WriteString(QStringLiteral("SOLITAIRE.INI"), QStringLiteral("Klondike"),
                                 QStringLiteral("DrawThree"), QStringLiteral("Same")));
    QCOMPARE(IniFile::ReadString(QStringLiteral("Solitaire.ini"), QStringLiteral("Klondike"),
                                 QStringLiteral("DrawThree"), QStringLiteral("None")),
             QStringLiteral("Same"));
}

void TestIniFile::untouchedLinesKeepTheirBytesOrderCommentsAndCrlf() {
    // A write changes only the value bytes of its own line: comments, spacing, odd lines and CRLF stay.
    ScopedSettingsDir dir;
    const QByteArray original = "; written by hand\r\n"
                                "orphan=before any section\r\n"
                                "[Preferences]\r\n"
                                "  BackIndex = 2 \r\n"
                                "# another comment\r\n"
                                "DoSound=True\r\n"
                                "garbage line without equals\r\n"
                                "\r\n"
                                "[Klondike]\r\n"
                                "Autoplay=False\r\n"
                                "GamesWon=3\r\n";
    const QString path = dir.path() + QLatin1Char('/') + Ini;
    WriteBytes(path, original);
    QCOMPARE(Read("Preferences", "BackIndex"), QStringLiteral("2"));
    QCOMPARE(Read("Preferences", "orphan"), QStringLiteral("None"));

    QVERIFY(Write("Preferences", "DoSound", "False"));
    QVERIFY(Write("Preferences", "BackIndex", "1"));
    QVERIFY(Write("Klondike", "GamesWon", "4"));
    QByteArray expected = original;
    expected.replace("DoSound=True", "DoSound=False");
    expected.replace("  BackIndex = 2 ", "  BackIndex =1");
    expected.replace("GamesWon=3", "GamesWon=4");
    QCOMPARE(FileBytes(path), expected);

    // Writing the value already there leaves the file alone.
    const QDateTime modified = QFileInfo(path).lastModified();
    QVERIFY(Write("Klondike", "GamesWon", "4"));
    QCOMPARE(FileBytes(path), expected);
    QCOMPARE(QFileInfo(path).lastModified(), modified);
}

void TestIniFile::newKeysJoinTheEndOfTheirSectionAndNewSectionsTheEndOfTheFile() {
    // New keys go after the section's last key (before the blank line), new sections at the end,
    // in the file's own line ends; a last line without a line end gets one.
    ScopedSettingsDir dir;
    const QString path = dir.path() + QLatin1Char('/') + Ini;
    WriteBytes(path, "[Preferences]\r\nA=1\r\n\r\n[Golf]\r\nB=2");
    QVERIFY(Write("preferences", "C", "3"));
    QVERIFY(Write("Golf", "D", "4"));
    QVERIFY(Write("Spider", "E", ""));
    QCOMPARE(FileBytes(path),
             QByteArray("[Preferences]\r\nA=1\r\nC=3\r\n\r\n[Golf]\r\nB=2\r\nD=4\r\n\r\n[Spider]\r\nE=\r\n"));
    QCOMPARE(Read("Spider", "E"), QString());

    WriteBytes(path, "[Empty]");
    QVERIFY(Write("Empty", "K", "v"));
    QCOMPARE(FileBytes(path), QByteArray("[Empty]\nK=v\n"));
}

void TestIniFile::firstOfDuplicateKeysWinsForReadsAndWrites() {
    // With a key twice (also in a repeated section), reads and writes address the first one.
    ScopedSettingsDir dir;
    const QString path = dir.path() + QLatin1Char('/') + Ini;
    WriteBytes(path, "[Golf]\nK=first\nk=second\n[Other]\nK=x\n[GOLF]\nK=third\nOnlyLater=late\n");
    QCOMPARE(Read("Golf", "K"), QStringLiteral("first"));
    QCOMPARE(Read("Golf", "OnlyLater"), QStringLiteral("late"));
    QVERIFY(Write("Golf", "K", "new"));
    QVERIFY(Write("Golf", "OnlyLater", "later"));
    QCOMPARE(FileBytes(path),
             QByteArray("[Golf]\nK=new\nk=second\n[Other]\nK=x\n[GOLF]\nK=third\nOnlyLater=later\n"));
    QCOMPARE(Read("Golf", "K"), QStringLiteral("new"));
}

void TestIniFile::readsCutValuesAt255Characters() {
    // Reads return at most 255 characters; the file keeps the whole value.
    ScopedSettingsDir dir;
    const QString longPath = QStringLiteral("/home/player/") + QString(400, QLatin1Char('p'));
    QVERIFY(Write("Preferences", "CustomImage", longPath));
    QCOMPARE(Read("Preferences", "CustomImage"), longPath.left(255));
    const QString exact(255, QLatin1Char('x'));
    QVERIFY(Write("Preferences", "Exact", exact));
    QCOMPARE(Read("Preferences", "Exact"), exact);
    // A cut never splits a character made of two UTF-16 units.
    const QString emoji = QString(254, QLatin1Char('a')) + QString::fromUtf8("\xF0\x9F\x82\xA1");
    QVERIFY(Write("Preferences", "Emoji", emoji));
    QCOMPARE(Read("Preferences", "Emoji"), QString(254, QLatin1Char('a')));
    QVERIFY(FileBytes(dir.path() + QLatin1Char('/') + Ini).contains(longPath.toUtf8()));
}

void TestIniFile::damagedFilesReadWithoutCrashingAndStayWritable() {
    // Binary bytes, NULs, a megabyte line, stray brackets and a byte order mark neither crash
    // reads nor stop writes from keeping the rest.
    ScopedSettingsDir dir;
    const QString path = dir.path() + QLatin1Char('/') + Ini;
    QByteArray damaged = "\xEF\xBB\xBF[Preferences]\nDoSound=Tr";
    damaged += '\0';
    damaged += "ue\n";
    damaged += "\xFF\xFE\x80\x81=\xC3\x28\n";
    damaged += "[\n";
    damaged += "[Unclosed\nU=1\n";
    damaged += "=no key\n";
    damaged += "Huge=" + QByteArray(1024 * 1024, 'h') + "\n";
    damaged += "[Klondike]\nGamesWon=7\n";
    damaged += QByteArray(4096, '\0');
    WriteBytes(path, damaged);

    QCOMPARE(Read("Preferences", "DoSound").size(), 5);
    QCOMPARE(Read("Preferences", "Huge"), QStringLiteral("None"));
    QCOMPARE(Read("Unclosed", "U"), QStringLiteral("1"));
    QCOMPARE(Read("Unclosed", "Huge"), QString(255, QLatin1Char('h')));
    QCOMPARE(Read("Klondike", "GamesWon"), QStringLiteral("7"));
    QCOMPARE(IniFile::ReadSection(path, QStringLiteral("Klondike")).size(), 1);

    QVERIFY(Write("Klondike", "GamesWon", "8"));
    QByteArray expected = damaged;
    expected.replace("GamesWon=7", "GamesWon=8");
    QCOMPARE(FileBytes(path), expected);

    // A file of nothing but noise is still read and extended.
    QByteArray noise(8192, '\0');
    for (int i = 0; i < noise.size(); ++i)
        noise[i] = static_cast<char>((i * 7919) % 251);
    WriteBytes(path, noise);
    QCOMPARE(Read("Golf", "K"), QStringLiteral("None"));
    QVERIFY(Write("Golf", "K", "v"));
    QCOMPARE(Read("Golf", "K"), QStringLiteral("v"));
    QVERIFY(FileBytes(path).startsWith(noise));
}

void TestIniFile::valuesAndNamesThatWouldBreakTheLayoutAreRefused() {
    // A line break in a value or name, "=" in a key or "]" in a section would forge other keys:
    // such writes are refused and change nothing.
    ScopedSettingsDir dir;
    const QString path = dir.path() + QLatin1Char('/') + Ini;
    const QByteArray original = "[Preferences]\nCustomImage=a.png\n";
    WriteBytes(path, original);
    const QString section = QStringLiteral("Preferences");
    QVERIFY(!Write(section, "CustomImage", "x\n[Klondike]\nGamesWon=999"));
    QVERIFY(!Write(section, "CustomImage", "x\ry"));
    QVERIFY(!Write(section, "Custom=Image", "x"));
    QVERIFY(!Write(section, "A\nB", "x"));
    QVERIFY(!Write(section, "[Fake]", "x"));
    QVERIFY(!Write("Bad]Name", "K", "x"));
    QVERIFY(!Write("  ", "K", "x"));
    QVERIFY(!Write(section, " ", "x"));
    QCOMPARE(FileBytes(path), original);
    // Everything else, including "=" and brackets inside a value, is fine.
    QVERIFY(Write(section, "CustomImage", "/p/a=b[c].png"));
    QCOMPARE(Read(section, "CustomImage"), QStringLiteral("/p/a=b[c].png"));
}

void TestIniFile::severalKeysAreWrittenTogetherOrNotAtAll() {
    // One bad key refuses the whole group; a good group lands in one replacement.
    ScopedSettingsDir dir;
    const QString path = dir.path() + QLatin1Char('/') + Ini;
    QVERIFY(!IniFile::WriteStrings(Ini, QStringLiteral("sGolf"),
                                   {{QStringLiteral("NormPos"), QStringLiteral("1,2,3,4")},
                                    {QStringLiteral("Show=Cmd"), QStringLiteral("1")}}));
    QVERIFY(!QFile::exists(path));
    QVERIFY(IniFile::WriteStrings(Ini, QStringLiteral("sGolf"), {}));
    QVERIFY(!QFile::exists(path));
    QVERIFY(IniFile::WriteStrings(Ini, QStringLiteral("sGolf"),
                                  {{QStringLiteral("NormPos"), QStringLiteral("1,2,3,4")},
                                   {QStringLiteral("ShowCmd"), QStringLiteral("1")},
                                   {QStringLiteral("normpos"), QStringLiteral("5,6,7,8")}}));
    QCOMPARE(FileBytes(path), QByteArray("[sGolf]\nNormPos=5,6,7,8\nShowCmd=1\n"));
}

void TestIniFile::threadsWritingDifferentKeysKeepEveryWrite() {
    // Four threads writing their own keys into the same sections lose none of them.
    ScopedSettingsDir dir;
    constexpr int Threads = 4;
    constexpr int Keys = 40;
    QList<QThread*> threads;
    std::atomic<int> failures = 0;
    for (int t = 0; t < Threads; ++t) {
        threads.append(QThread::create([t, &failures] {
            for (int i = 0; i < Keys; ++i) {
                const QString section = i % 2 ? QStringLiteral("Odd") : QStringLiteral("EVEN");
                const QString name = t % 2 ? QStringLiteral("SOLITAIRE.INI") : Ini;
                if (!IniFile::WriteString(name, section, QStringLiteral("T%1_%2").arg(t).arg(i),
                                          QString::number(i)))
                    ++failures;
            }
        }));
        threads.last()->start();
    }
    for (QThread* thread : threads) {
        QVERIFY(thread->wait(60000));
        delete thread;
    }
    QCOMPARE(failures.load(), 0);
    for (int t = 0; t < Threads; ++t) {
        for (int i = 0; i < Keys; ++i)
            QCOMPARE(Read(i % 2 ? QStringLiteral("odd") : QStringLiteral("even"),
                          QStringLiteral("T%1_%2").arg(t).arg(i)),
                     QString::number(i));
    }
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);
}

void TestIniFile::twoProgramsWritingDifferentKeysKeepEveryWrite() {
    // Two running programs, each with its own spelling of the file name, lose none of each other's keys.
    ScopedSettingsDir dir;
    const QStringList names{QStringLiteral("SOLITAIRE.INI"), QStringLiteral("Solitaire.ini")};
    std::vector<std::unique_ptr<QProcess>> writers;
    for (const QString& name : names)
        writers.push_back(StartChild("writer", dir.path(), name));
    for (const auto& process : writers) {
        QVERIFY(process->waitForFinished(120000));
        QCOMPARE(process->exitStatus(), QProcess::NormalExit);
        QCOMPARE(process->exitCode(), 0);
    }
    const QStringList files = QDir(dir.path()).entryList(QDir::Files | QDir::Hidden);
    QCOMPARE(files.size(), 1);
    for (const QString& name : names) {
        for (int i = 0; i < KeysPerWriter; ++i)
            QCOMPARE(Read(QStringLiteral("Shared"), name + QString::number(i)), QString::number(i));
    }
}

void TestIniFile::readSectionListsEveryKeyInFileOrder() {
    // The tips file's section comes back whole, in file order, by full path, without the 255 cut.
    ScopedSettingsDir dir;
    const QString path = dir.path() + QStringLiteral("/Tips.ini");
    const QByteArray longTip(600, 't');
    WriteBytes(path,
               "[Other]\nX=1\n[tips]\r\nTip2=Second^^line\r\n; note\r\nTip1 = First \r\nTip2=again\r\nLong=" +
                   longTip + "\r\n[After]\nY=2\n");
    const auto tips = IniFile::ReadSection(path, QStringLiteral("Tips"));
    QCOMPARE(tips.size(), 4);
    QCOMPARE(tips[0], qMakePair(QStringLiteral("Tip2"), QStringLiteral("Second^^line")));
    QCOMPARE(tips[1], qMakePair(QStringLiteral("Tip1"), QStringLiteral("First")));
    QCOMPARE(tips[2], qMakePair(QStringLiteral("Tip2"), QStringLiteral("again")));
    QCOMPARE(tips[3].second.size(), 600);
    QCOMPARE(IniFile::ReadSection(dir.path() + QStringLiteral("/TIPS.INI"), QStringLiteral("Tips")).size(),
             4);
    QVERIFY(IniFile::ReadSection(path, QStringLiteral("Missing")).isEmpty());
    QVERIFY(
        IniFile::ReadSection(dir.path() + QStringLiteral("/Absent.ini"), QStringLiteral("Tips")).isEmpty());
}

void TestIniFile::aWriteUnderAFullDiskReplacesTheFileWholeOrNotAtAll_data() {
    // How many bytes the disk takes, against the size of the new file.
    QTest::addColumn<qint64>("shortBy");
    QTest::newRow("no room at all") << qint64(-1);
    QTest::newRow("room for half") << qint64(5000);
    QTest::newRow("one byte short") << qint64(1);
    QTest::newRow("room enough") << qint64(0);
}

void TestIniFile::aWriteUnderAFullDiskReplacesTheFileWholeOrNotAtAll() {
    // A disk that takes only part of the new content: the write says false, the old file keeps
    // every byte, no temporary file stays, and standard error says once which file and why.
    QFETCH(qint64, shortBy);
    ScopedSettingsDir dir;
    const QString path = dir.path() + QLatin1Char('/') + Ini;
    QByteArray original = "[Preferences]\nCardSize=1\n\n[Klondike]\n";
    for (int i = 0; i < 100; ++i)
        original += "Key" + QByteArray::number(i) + "=" + QByteArray(10, 'v') + "\n";
    WriteBytes(path, original);
    IniFile::Edit expected(original);
    QVERIFY(expected.Write(QStringLiteral("Klondike"), QStringLiteral("Big"), BigValue));
    const qint64 newSize = expected.Data().size();
    const qint64 limit = shortBy < 0 ? 0 : newSize - shortBy;

    const std::unique_ptr<QProcess> child = StartChild("limited", dir.path(), QString::number(limit));
    QVERIFY(child->waitForFinished(30000));
    QCOMPARE(child->exitCode(), 0);
    const QString said = QString::fromLocal8Bit(child->readAllStandardOutput());
    const QStringList told =
        QString::fromLocal8Bit(child->readAllStandardError()).split('\n', Qt::SkipEmptyParts);
    if (shortBy == 0) {
        QCOMPARE(said, QStringLiteral("written\nwritten\n"));
        QCOMPARE(FileBytes(path), expected.Data());
        QVERIFY(told.isEmpty());
    } else {
        QCOMPARE(said, QStringLiteral("refused\nrefused\n"));
        QCOMPARE(FileBytes(path), original);
        QCOMPARE(told.size(), 1);
        QVERIFY2(told[0].contains(path) && told[0].contains(QStringLiteral("File too large")),
                 qPrintable(told[0]));
    }
    QCOMPARE(FilesIn(dir.path()), QStringList{Ini});
}

void TestIniFile::aKilledWritersLockAndTemporaryFilesAreTakenOverAtOnce() {
    // A lock held by a running program keeps others out; once that program is killed the next
    // write gets the lock at once, and what a killed writer left beside the file goes away.
    ScopedSettingsDir dir;
    const QString path = dir.path() + QLatin1Char('/') + Ini;
    WriteBytes(path, "[S]\nK=old\n");
    IniFile::SetLockTimeout(std::chrono::milliseconds(0));
    const std::unique_ptr<QProcess> holder = StartChild("holder", dir.path());
    QVERIFY(holder->waitForReadyRead(30000));
    QCOMPARE(holder->readLine(), QByteArray("holding\n"));
    QVERIFY(!Write("S", "K", "blocked"));
    holder->kill();
    QVERIFY(holder->waitForFinished(30000));
    QVERIFY(Write("S", "K", "new"));
    QCOMPARE(FileBytes(path), QByteArray("[S]\nK=new\n"));

    // An empty lock file (a kill between making it and locking it) and temporary files of dead
    // writers, in any letter case.
    WriteBytes(dir.path() + QStringLiteral("/solitaire.ini.lock"), {});
    WriteBytes(dir.path() + QStringLiteral("/solitaire.ini.tmp-dead1"), "[S]\nK=half");
    WriteBytes(dir.path() + QStringLiteral("/SOLITAIRE.INI.tmp-dead2"), {});
    QVERIFY(Write("S", "K", "newer"));
    IniFile::SetLockTimeout(std::chrono::seconds(5));
    QCOMPARE(FilesIn(dir.path()), QStringList{Ini});
    QCOMPARE(FileBytes(path), QByteArray("[S]\nK=newer\n"));
}

void TestIniFile::failedWritesAreToldOnceNamingTheFileAndTheReason_data() {
    QTest::addColumn<Obstacle>("obstacle");
    QTest::addColumn<QString>("reason");
    QTest::newRow("a folder where the file should be") << Obstacle::FolderAtTheName << "it is a folder";
    QTest::newRow("a folder where the lock should be") << Obstacle::FolderAtTheLock << "Is a directory";
    QTest::newRow("a file where the folder should be") << Obstacle::FileAtTheFolder << "Not a directory";
    QTest::newRow("a read-only file") << Obstacle::ReadOnlyFile << "Permission denied";
    QTest::newRow("a read-only folder") << Obstacle::ReadOnlyFolder << "Permission denied";
    QTest::newRow("a file beyond the size limit") << Obstacle::Oversized << "larger than 16 MB";
}

void TestIniFile::failedWritesAreToldOnceNamingTheFileAndTheReason() {
    // Nothing can be saved: every write says false and changes nothing, the first one tells
    // which file and why in one line, later ones stay quiet, and reads still work.
    QFETCH(Obstacle, obstacle);
    QFETCH(QString, reason);
    if ((obstacle == Obstacle::ReadOnlyFile || obstacle == Obstacle::ReadOnlyFolder) && ::geteuid() == 0)
        QSKIP("permissions do not stop the superuser");
    ScopedSettingsDir dir;
    QString path = dir.path() + QLatin1Char('/') + Ini;
    const QByteArray original = "[S]\nK=old\n";
    switch (obstacle) {
    case Obstacle::FolderAtTheName:
        QVERIFY(QDir(dir.path()).mkdir(Ini));
        break;
    case Obstacle::FolderAtTheLock:
        WriteBytes(path, original);
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("solitaire.ini.lock")));
        break;
    case Obstacle::FileAtTheFolder:
        WriteBytes(dir.path() + QStringLiteral("/home"), original);
        IniFile::SetDirectory(dir.path() + QStringLiteral("/home/quintaro"));
        path = IniFile::ResolvePath(Ini);
        break;
    case Obstacle::ReadOnlyFile:
        WriteBytes(path, original);
        QVERIFY(QFile::setPermissions(path, QFile::ReadOwner));
        break;
    case Obstacle::ReadOnlyFolder:
        WriteBytes(path, original);
        QVERIFY(QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::ExeOwner));
        break;
    case Obstacle::Oversized: {
        WriteBytes(path, original);
        QFile file(path);
        QVERIFY(file.resize(IniFile::MaxFileSize + 1)); // sparse: no disk space used
        break;
    }
    }
    const qint64 sizeBefore = QFileInfo(path).size();
    const QByteArray startBefore = FileBytes(path).left(64);
    ToldLines told;
    for (int i = 0; i < 3; ++i)
        QVERIFY(!Write("S", "K", QString::number(i)));
    QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QCOMPARE(told.Lines.size(), 1);
    QVERIFY2(told.Lines[0].contains(path) && told.Lines[0].contains(reason), qPrintable(told.Lines[0]));
    QCOMPARE(QFileInfo(path).size(), sizeBefore);
    QCOMPARE(FileBytes(path).left(64), startBefore);
    const bool readable = obstacle == Obstacle::ReadOnlyFile || obstacle == Obstacle::ReadOnlyFolder ||
                          obstacle == Obstacle::FolderAtTheLock;
    const QString expected = readable ? QStringLiteral("old") : QStringLiteral("None");
    QCOMPARE(Read("S", "K"), expected);
}

void TestIniFile::writesGoThroughASymbolicLinkAndKeepTheTargetsPermissions() {
    // Settings kept as a link into a dotfiles folder stay a link; the target is replaced in its own
    // folder with its permissions, and a link to a file not there yet creates it.
    QTemporaryDir dotfiles;
    ScopedSettingsDir dir;
    const QString target = dotfiles.path() + QStringLiteral("/quintaro.ini");
    const QString link = dir.path() + QLatin1Char('/') + Ini;
    WriteBytes(target, "[S]\nK=old\n");
    QVERIFY(QFile::setPermissions(target, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup));
    const QFileDevice::Permissions mode = QFile::permissions(target);
    QVERIFY(QFile::link(QDir(dir.path()).relativeFilePath(target), link));

    QVERIFY(IniFile::WriteString(QStringLiteral("SOLITAIRE.INI"), QStringLiteral("S"), QStringLiteral("K"),
                                 QStringLiteral("new")));
    QVERIFY(QFileInfo(link).isSymLink());
    QCOMPARE(FileBytes(target), QByteArray("[S]\nK=new\n"));
    QCOMPARE(QFile::permissions(target), mode);
    QCOMPARE(FilesIn(dotfiles.path()), QStringList{QStringLiteral("quintaro.ini")});
    QCOMPARE(FilesIn(dir.path()), QStringList{Ini});

    QVERIFY(QFile::remove(target));
    QVERIFY(Write("S", "K", "again"));
    QVERIFY(QFileInfo(link).isSymLink());
    QCOMPARE(FileBytes(target), QByteArray("[S]\nK=again\n"));
}

void TestIniFile::readsFollowEveryChangeOnDisk() {
    // What is parsed is kept only until the file changes: a rewrite of the same size, a
    // replacement, a removal and a new file in another spelling are all seen by the next read.
    ScopedSettingsDir dir;
    const QString path = dir.path() + QLatin1Char('/') + Ini;
    WriteBytes(path, "[S]\nK=one\n");
    QCOMPARE(Read("S", "K"), QStringLiteral("one"));
    WriteBytes(path, "[S]\nK=two\n");
    QCOMPARE(Read("S", "K"), QStringLiteral("two"));
    QVERIFY(Write("S", "K", "six"));
    QCOMPARE(Read("S", "K"), QStringLiteral("six"));
    QVERIFY(QFile::remove(path));
    QCOMPARE(Read("S", "K"), QStringLiteral("None"));
    WriteBytes(dir.path() + QStringLiteral("/SOLITAIRE.INI"), "[S]\nK=ten\n");
    QCOMPARE(Read("S", "K"), QStringLiteral("ten"));
}

void TestIniFile::anEditReadsItsOwnWritesAndLandsWholeOrNotAtAll() {
    // Reads inside an update see the writes before them; declining the update writes nothing.
    ScopedSettingsDir dir;
    const QString path = dir.path() + QLatin1Char('/') + Ini;
    WriteBytes(path, "[S]\nN=1\n");
    QVERIFY(IniFile::Update(Ini, [](IniFile::Edit& file) {
        for (int i = 0; i < 3; ++i) {
            const int n = file.Read(QStringLiteral("s"), QStringLiteral("n"), {}).toInt();
            file.Write(QStringLiteral("S"), QStringLiteral("N"), QString::number(n * 2));
        }
        return file.Write(QStringLiteral("T"), QStringLiteral("M"), QStringLiteral("x"));
    }));
    QCOMPARE(FileBytes(path), QByteArray("[S]\nN=8\n\n[T]\nM=x\n"));
    QVERIFY(!IniFile::Update(Ini, [](IniFile::Edit& file) {
        file.Write(QStringLiteral("S"), QStringLiteral("N"), QStringLiteral("0"));
        return file.Write(QStringLiteral("S"), QStringLiteral("Bad=Key"), QStringLiteral("x"));
    }));
    QCOMPARE(FileBytes(path), QByteArray("[S]\nN=8\n\n[T]\nM=x\n"));
}

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QByteArray child = qgetenv(ChildVariable);
    if (child == "limited")
        return RunLimitedWriter();
    if (child == "holder")
        return RunLockHolder();
    if (child == "writer")
        return RunWriter();
    TestIniFile test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_inifile.moc"
