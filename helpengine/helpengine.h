#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <map>
#include <memory>

class HelpWindow;
class QMessageBox;
class QWidget;

// Keeps the help windows that the engine has opened, one per help file: a second request for
// the same file brings its window back to the default topic instead of opening another.
class HelpEngine
{
public:
    HelpEngine();
    ~HelpEngine();

    HelpEngine(const HelpEngine &) = delete;
    HelpEngine &operator=(const HelpEngine &) = delete;

    // Shows the file (8-bit path bytes) at its default topic; the window, or null when the
    // file cannot be shown, in which case the user is told so in a window of the engine's own.
    HelpWindow *displayTopic(const QByteArray &file);

    // Closes and destroys every window that the engine opened.
    void closeAll();

    // Every window of the engine, the notice of a failure included.
    QList<QWidget *> windows() const;

private:
    std::unique_ptr<HelpWindow> openWindow(const QByteArray &file) const;
    void reportFailure(const QString &path);

    std::map<QByteArray, std::unique_ptr<HelpWindow>> m_windows;
    std::unique_ptr<QMessageBox> m_failure;
};
