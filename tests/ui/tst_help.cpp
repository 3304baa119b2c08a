#include "framework/core/GameTable.h"
#include "shell/THelp.h"

#include <QDir>
#include <QFile>
#include <QPointer>
#include <QPushButton>
#include <QRegularExpression>
#include <QSet>
#include <QTextBrowser>
#include <QtTest>

namespace {

QString ReadPage(const QString& page) {
    QFile file(QStringLiteral(":/help/") + page);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll());
}

QStringList HtmlPages() {
    return QDir(QStringLiteral(":/help")).entryList({QStringLiteral("*.html")}, QDir::Files, QDir::Name);
}

// Every href and src of a page.
QStringList Links(const QString& html) {
    static const QRegularExpression link(QStringLiteral("(?:href|src)\\s*=\\s*\"([^\"]*)\""),
                                         QRegularExpression::CaseInsensitiveOption);
    QStringList links;
    for (auto it = link.globalMatch(html); it.hasNext();)
        links.append(it.next().captured(1));
    return links;
}

bool HasAnchor(const QString& html, const QString& anchor) {
    const QString quoted = QRegularExpression::escape(anchor);
    const QRegularExpression target(QStringLiteral("(?:id|name)\\s*=\\s*\"%1\"").arg(quoted));
    return target.match(html).hasMatch();
}

QString Title(const QString& html) {
    static const QRegularExpression title(QStringLiteral("<title>(.*)</title>"),
                                          QRegularExpression::DotMatchesEverythingOption);
    return title.match(html).captured(1).trimmed();
}

} // namespace

class TestHelp : public QObject {
    Q_OBJECT
private slots:
    void cleanup();
    void contentsPageIsCompiledIntoTheProgram();
    void everyTopicLeadsToAnExistingPageAboutIt();
    void unknownTopicsFallBackToTheContents();
    void everyInternalLinkResolves();
    void everyPageIsReachableFromTheContents();
    void showingHelpGoesThroughTheReplaceableHandler();
    void viewerIsSingleAndFollowsTheRequestedTopic();
    void escapeClosesTheViewerWhereverTheFocusIs();
};

void TestHelp::cleanup() {
    THelp::SetHandler({});
    if (THelpViewer* viewer = THelpViewer::Instance())
        delete viewer;
}

// The help pages must really be inside the program, readable by path.
void TestHelp::contentsPageIsCompiledIntoTheProgram() {
    const QString html = ReadPage(QStringLiteral("index.html"));
    QVERIFY(!html.isEmpty());
    QCOMPARE(Title(html), QStringLiteral("Quintaro Help"));
    QVERIFY(HtmlPages().size() >= 17);
}

// Each game's rules topic, and the three shell topics, open a page of their own
// whose title names the subject.
void TestHelp::everyTopicLeadsToAnExistingPageAboutIt() {
    QSet<QString> pages;
    for (const TGameInfo& game : GameTable()) {
        const QString page = THelp::PageForTopic(game.HelpContext);
        QVERIFY2(page != QStringLiteral("index.html"), game.ListName);
        const QString html = ReadPage(page);
        QVERIFY2(!html.isEmpty(), qPrintable(page));
        QVERIFY2(Title(html).contains(QString::fromLatin1(game.ListName)), qPrintable(page));
        pages.insert(page);
    }
    QCOMPARE(pages.size(), int(GI_COUNT));

    const QList<std::pair<int, QString>> shell{
        {THelp::SystemRequirements, QStringLiteral("System Requirements")},
        {THelp::Preferences, QStringLiteral("Preferences")},
        {THelp::Statistics, QStringLiteral("Statistics")}};
    for (const auto& [context, subject] : shell) {
        const QString html = ReadPage(THelp::PageForTopic(context));
        QVERIFY2(Title(html).contains(subject), qPrintable(subject));
    }
    for (int topic : THelp::Topics())
        QVERIFY(!ReadPage(THelp::PageForTopic(topic)).isEmpty());
}

// A topic number the help does not know opens the contents rather than nothing.
void TestHelp::unknownTopicsFallBackToTheContents() {
    QCOMPARE(THelp::PageForTopic(0), QStringLiteral("index.html"));
    QCOMPARE(THelp::PageForTopic(501), QStringLiteral("index.html"));
    QCOMPARE(THelp::PageForTopic(-1), QStringLiteral("index.html"));
}

// Links between pages, to anchors and to the stylesheet all land on something.
void TestHelp::everyInternalLinkResolves() {
    for (const QString& page : HtmlPages()) {
        const QString html = ReadPage(page);
        QVERIFY2(html.contains(QStringLiteral("href=\"style.css\"")), qPrintable(page));
        for (const QString& link : Links(html)) {
            if (link.contains(QLatin1Char(':')))
                continue; // an external address
            const QString file = link.section(QLatin1Char('#'), 0, 0);
            const QString anchor = link.section(QLatin1Char('#'), 1);
            const QString target = file.isEmpty() ? page : file;
            const QString targetHtml = ReadPage(target);
            QVERIFY2(!targetHtml.isEmpty(), qPrintable(page + " -> " + link));
            if (!anchor.isEmpty())
                QVERIFY2(HasAnchor(targetHtml, anchor), qPrintable(page + " -> " + link));
        }
    }
}

// No page is an orphan: following links from the contents reaches them all.
void TestHelp::everyPageIsReachableFromTheContents() {
    QSet<QString> seen{QStringLiteral("index.html")};
    QStringList queue{QStringLiteral("index.html")};
    while (!queue.isEmpty()) {
        const QString page = queue.takeFirst();
        for (const QString& link : Links(ReadPage(page))) {
            const QString file = link.section(QLatin1Char('#'), 0, 0);
            if (file.endsWith(QStringLiteral(".html")) && !link.contains(QLatin1Char(':')) &&
                !seen.contains(file)) {
                seen.insert(file);
                queue.append(file);
            }
        }
    }
    for (const QString& page : HtmlPages())
        QVERIFY2(seen.contains(page), qPrintable(page));
}

// Tests and the program's windows reach help only through THelp.
void TestHelp::showingHelpGoesThroughTheReplaceableHandler() {
    QList<int> asked;
    THelp::SetHandler([&asked](int context) { asked.append(context); });
    THelp::ShowTopic(nullptr, 1007);
    THelp::ShowContents(nullptr);
    THelp::ShowTopic(nullptr, THelp::Statistics);
    QCOMPARE(asked, (QList<int>{1007, 0, 503}));
    QVERIFY(!THelpViewer::Instance());
}

// The real viewer opens once, moves to each asked topic and keeps its history.
void TestHelp::viewerIsSingleAndFollowsTheRequestedTopic() {
    QWidget owner;
    owner.show();
    THelp::ShowTopic(&owner, 1012);
    THelpViewer* viewer = THelpViewer::Instance();
    QVERIFY(viewer);
    QCOMPARE(viewer->windowTitle(), QStringLiteral("Quintaro Help"));
    QVERIFY(viewer->isVisible());
    QCOMPARE(viewer->Browser()->source(), QUrl(QStringLiteral("qrc:/help/spider.html")));
    QVERIFY(viewer->Browser()->toPlainText().contains(QStringLiteral("Spider")));

    THelp::ShowTopic(&owner, THelp::Statistics);
    QCOMPARE(THelpViewer::Instance(), viewer);
    QCOMPARE(viewer->Browser()->source(), QUrl(QStringLiteral("qrc:/help/statistics.html")));

    auto* back = viewer->findChild<QPushButton*>(QStringLiteral("BackButton"));
    auto* contents = viewer->findChild<QPushButton*>(QStringLiteral("ContentsButton"));
    QVERIFY(back && contents);
    QVERIFY(back->isEnabled());
    back->click();
    QCOMPARE(viewer->Browser()->source(), QUrl(QStringLiteral("qrc:/help/spider.html")));
    contents->click();
    QCOMPARE(viewer->Browser()->source(), QUrl(QStringLiteral("qrc:/help/index.html")));

    // A request from another window (a modal dialog, say) keeps the one viewer.
    QWidget other;
    other.show();
    THelp::ShowContents(&other);
    QCOMPARE(THelpViewer::Instance(), viewer);
    QCOMPARE(viewer->parentWidget(), &other);
    QVERIFY(viewer->isVisible());
    delete viewer;
    QVERIFY(!THelpViewer::Instance());
}

// Escape closes the viewer, from its page as well as from its buttons.
void TestHelp::escapeClosesTheViewerWhereverTheFocusIs() {
    QWidget owner;
    owner.show();
    for (const char* focus : {"HelpBrowser", "BackButton"}) {
        THelp::ShowTopic(&owner, 1007);
        QPointer<THelpViewer> viewer = THelpViewer::Instance();
        QVERIFY(QTest::qWaitForWindowActive(viewer));
        viewer->findChild<QWidget*>(QLatin1String(focus))->setFocus();
        QTest::keyClick(viewer->windowHandle(), Qt::Key_Escape);
        QVERIFY2(!viewer || !viewer->isVisible(), focus);
        QTRY_VERIFY(!THelpViewer::Instance());
    }
}

QTEST_MAIN(TestHelp)
#include "tst_help.moc"
