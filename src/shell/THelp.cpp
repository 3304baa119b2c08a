#include "shell/THelp.h"

#include "framework/core/GameTable.h"
#include "shell/ScreenCentre.h"

#include <QHBoxLayout>
#include <QPointer>
#include <QPushButton>
#include <QShortcut>
#include <QTextBrowser>
#include <QVBoxLayout>
#include <algorithm>
#include <array>
#include <utility>

namespace {

const QString ContentsPage = QStringLiteral("index.html");

// The one place where topic numbers meet page names. The rules topics follow
// the game table's help contexts.
const std::array<std::pair<int, const char*>, 15>& TopicPages() {
    static const std::array<std::pair<int, const char*>, 15> pages{{
        {THelp::SystemRequirements, "sysreq.html"},
        {THelp::Preferences, "preferences.html"},
        {THelp::Statistics, "statistics.html"},
        {1001, "castle.html"},
        {1002, "dblklondike.html"},
        {1003, "fortythieves.html"},
        {1004, "freecell.html"},
        {1005, "golf.html"},
        {1006, "indian.html"},
        {1007, "klondike.html"},
        {1008, "montana.html"},
        {1009, "pyramid.html"},
        {1010, "queenitaly.html"},
        {1011, "seatowers.html"},
        {1012, "spider.html"},
    }};
    return pages;
}

std::function<void(int)>& Handler() {
    static std::function<void(int)> handler;
    return handler;
}

QPointer<THelpViewer>& Viewer() {
    static QPointer<THelpViewer> viewer;
    return viewer;
}

void ShowInViewer(QWidget* parent, int context) {
    THelpViewer::Open(parent, THelp::PageUrl(THelp::PageForTopic(context)));
}

} // namespace

void THelp::ShowContents(QWidget* parent) {
    ShowTopic(parent, Contents);
}

void THelp::ShowTopic(QWidget* parent, int context) {
    if (Handler())
        Handler()(context);
    else
        ShowInViewer(parent, context);
}

void THelp::SetHandler(std::function<void(int)> handler) {
    Handler() = std::move(handler);
}

QString THelp::PageForTopic(int context) {
    const auto& pages = TopicPages();
    const auto it = std::find_if(pages.begin(), pages.end(),
                                 [context](const auto& entry) { return entry.first == context; });
    return it == pages.end() ? ContentsPage : QString::fromLatin1(it->second);
}

QList<int> THelp::Topics() {
    QList<int> topics;
    for (const auto& entry : TopicPages())
        topics.append(entry.first);
    std::sort(topics.begin(), topics.end());
    return topics;
}

QUrl THelp::PageUrl(const QString& page) {
    return QUrl(QStringLiteral("qrc:/help/") + page);
}

THelpViewer::THelpViewer(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("HelpViewer"));
    setWindowTitle(QStringLiteral("Quintaro Help"));
    // Only the selector's closing ends the program, never an open help window.
    setAttribute(Qt::WA_QuitOnClose, false);
    setAttribute(Qt::WA_DeleteOnClose);
    resize(640, 560);
    // Escape closes the viewer from wherever the focus is in it.
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, &QWidget::close);

    m_contentsButton = new QPushButton(QStringLiteral("&Contents"), this);
    m_contentsButton->setObjectName(QStringLiteral("ContentsButton"));
    m_backButton = new QPushButton(QStringLiteral("&Back"), this);
    m_backButton->setObjectName(QStringLiteral("BackButton"));
    m_forwardButton = new QPushButton(QStringLiteral("&Forward"), this);
    m_forwardButton->setObjectName(QStringLiteral("ForwardButton"));
    m_browser = new QTextBrowser(this);
    m_browser->setObjectName(QStringLiteral("HelpBrowser"));
    m_browser->setOpenExternalLinks(true);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_contentsButton);
    buttons->addWidget(m_backButton);
    buttons->addWidget(m_forwardButton);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(m_browser);

    m_backButton->setEnabled(false);
    m_forwardButton->setEnabled(false);
    connect(m_contentsButton, &QPushButton::clicked, this,
            [this] { m_browser->setSource(THelp::PageUrl(ContentsPage)); });
    connect(m_backButton, &QPushButton::clicked, m_browser, &QTextBrowser::backward);
    connect(m_forwardButton, &QPushButton::clicked, m_browser, &QTextBrowser::forward);
    connect(m_browser, &QTextBrowser::backwardAvailable, m_backButton, &QPushButton::setEnabled);
    connect(m_browser, &QTextBrowser::forwardAvailable, m_forwardButton, &QPushButton::setEnabled);
}

THelpViewer::~THelpViewer() = default;

THelpViewer* THelpViewer::Instance() {
    return Viewer();
}

THelpViewer* THelpViewer::Open(QWidget* parent, const QUrl& url) {
    QWidget* owner = parent ? parent->window() : nullptr;
    THelpViewer* viewer = Viewer();
    if (!viewer) {
        viewer = new THelpViewer(owner);
        Viewer() = viewer;
        // Wholly on the asker's screen, however small that is.
        FitOnScreen(viewer, owner);
    } else if (viewer->parentWidget() != owner) {
        // A modal dialog blocks every window outside its own family, so the
        // viewer joins the family of the window that asks for help.
        const QRect geometry = viewer->geometry();
        viewer->setParent(owner, Qt::Window);
        viewer->setGeometry(geometry);
    }
    if (viewer->m_browser->source() != url)
        viewer->m_browser->setSource(url);
    viewer->show();
    viewer->raise();
    viewer->activateWindow();
    return viewer;
}
