// Loaded into any Qt program with QT_QPA_GENERIC_PLUGINS=quintarofirstpaint: once the first
// top-level window has been painted, the process ends at once, so a start-up can be timed
// from outside without changing the program. Exits with 0, or 3 when nothing was painted
// within 20 s.
#include <QCoreApplication>
#include <QEvent>
#include <QGenericPlugin>
#include <QTimer>
#include <QWindow>
#include <cstdio>
#include <cstdlib>

namespace {

class FirstPaintWatcher : public QObject {
public:
    explicit FirstPaintWatcher(QObject* parent) : QObject(parent) {
        QTimer::singleShot(20000, this, [] { std::_Exit(3); });
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        // A window's first paint comes as an expose that it answers with a flush of its
        // backing store; ending after the event's handling is finished means the
        // first frame is complete.
        if (!m_done && event->type() == QEvent::Expose) {
            auto* window = qobject_cast<QWindow*>(watched);
            if (window && window->isTopLevel() && window->isExposed()) {
                m_done = true;
                QTimer::singleShot(0, [] {
                    std::fflush(nullptr);
                    std::_Exit(0);
                });
            }
        }
        return false;
    }

private:
    bool m_done = false;
};

} // namespace

class FirstPaintQuitPlugin : public QGenericPlugin {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID QGenericPluginFactoryInterface_iid FILE "first_paint_quit.json")
public:
    QObject* create(const QString& name, const QString&) override {
        if (name.compare(QLatin1String("quintarofirstpaint"), Qt::CaseInsensitive) != 0)
            return nullptr;
        auto* watcher = new FirstPaintWatcher(QCoreApplication::instance());
        QCoreApplication::instance()->installEventFilter(watcher);
        return watcher;
    }
};

#include "first_paint_quit.moc"
