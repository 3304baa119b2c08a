#pragma once

#include <QString>
#include <QStringList>
#include <QUrl>
#include <QWidget>
#include <functional>

class QTextBrowser;
class QPushButton;

// Opens the program's help at its contents or at a numbered topic. The pages
// are compiled into the program under ":/help/"; the real handler shows them
// in one non-modal viewer window. Tests install their own handler.
class THelp {
public:
    static constexpr int Contents = 0;
    static constexpr int SystemRequirements = 500;
    static constexpr int Preferences = 502;
    static constexpr int Statistics = 503;

    static void ShowContents(QWidget* parent);
    static void ShowTopic(QWidget* parent, int context);

    // Replaces the viewer (tests): the handler receives the topic, 0 for the
    // contents. An empty function restores the viewer.
    static void SetHandler(std::function<void(int context)> handler);

    // The page of a topic ("klondike.html"); the contents page for 0 and for
    // an unknown topic.
    static QString PageForTopic(int context);
    // Every topic that has a page of its own, in ascending order.
    static QList<int> Topics();
    // "qrc:/help/<page>".
    static QUrl PageUrl(const QString& page);
};

// The help viewer: a browser with Contents, Back and Forward buttons. There is
// at most one; asking for help again moves the existing window to the page.
class THelpViewer : public QWidget {
    Q_OBJECT
public:
    // The single viewer, created on first use; shown at `url`.
    static THelpViewer* Open(QWidget* parent, const QUrl& url);
    static THelpViewer* Instance();

    ~THelpViewer() override;

    QTextBrowser* Browser() const { return m_browser; }

private:
    explicit THelpViewer(QWidget* parent);

    QTextBrowser* m_browser = nullptr;
    QPushButton* m_contentsButton = nullptr;
    QPushButton* m_backButton = nullptr;
    QPushButton* m_forwardButton = nullptr;
};
