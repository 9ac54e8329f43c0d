// Loaded by Qt into an unchanged program when QT_QPA_GENERIC_PLUGINS=benchprobe. It watches
// the program's windows paint, prints monotonic timestamps to stderr as
//   benchprobe <event> <nanoseconds>
// and drives the program the way a user would: BENCHPROBE_MODE=startup closes the main window
// once its first frame is on screen; "about" first runs the About command and closes the
// dialog after its first frame; "help" first runs the help command and waits for the help
// window's first frame.
#include <QAction>
#include <QApplication>
#include <QGenericPlugin>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <cstdio>
#include <ctime>

namespace {

long long now()
{
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<long long>(ts.tv_sec) * 1000000000LL + ts.tv_nsec;
}

void report(const char *event, long long ns)
{
    std::fprintf(stderr, "benchprobe %s %lld\n", event, ns);
    std::fflush(stderr);
}

class Probe : public QObject
{
public:
    explicit Probe(QByteArray mode) : m_mode(std::move(mode)) {}

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && watched->isWidgetType()) {
            QWidget *window = static_cast<QWidget *>(watched)->window();
            if (!m_seen.contains(window)) {
                m_seen.append(window);
                // The frame is complete once the paint and its flush are done, which is when
                // the event loop comes round again.
                QTimer::singleShot(0, this, [this, window] { firstFrame(window); });
            }
        }
        return false;
    }

private:
    void firstFrame(QWidget *window)
    {
        const long long t = now();
        if (m_main.isNull()) {
            m_main = window;
            report("first-frame", t);
            QTimer::singleShot(0, this, [this] { afterStart(); });
        } else if (m_mode == "about") {
            report("about-frame", t);
            window->close();
        } else if (m_mode == "help") {
            report("help-frame", t);
            QTimer::singleShot(0, this, [this] { closeMain(); });
        }
    }

    void afterStart()
    {
        if (m_mode == "about" || m_mode == "help") {
            const char *name = m_mode == "about" ? "Aproposde1" : "Rubriquesdelaide1";
            if (auto *action = m_main->findChild<QAction *>(QLatin1StringView(name))) {
                report("command", now());
                action->trigger(); // the About dialog runs modally inside this call
                if (m_mode == "about") {
                    report("about-back", now());
                    closeMain();
                }
                return;
            }
            report("no-command", now());
        }
        closeMain();
    }

    void closeMain()
    {
        if (m_main) {
            report("close", now());
            m_main->close();
        }
    }

    QByteArray m_mode;
    QPointer<QWidget> m_main;
    QList<QWidget *> m_seen;
};

} // namespace

class BenchProbePlugin : public QGenericPlugin
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID QGenericPluginFactoryInterface_iid FILE "benchprobe.json")

public:
    QObject *create(const QString &key, const QString &) override
    {
        if (key.compare(QLatin1StringView("benchprobe"), Qt::CaseInsensitive) != 0) {
            return nullptr;
        }
        auto *probe = new Probe(qgetenv("BENCHPROBE_MODE"));
        QCoreApplication::instance()->installEventFilter(probe);
        return probe;
    }
};

#include "benchprobe.moc"
