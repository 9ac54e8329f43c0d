#include "applicationowned.h"

#include <QCoreApplication>
#include <QList>
#include <QPointer>
#include <QWidget>

namespace {

// Windows still alive at the end are destroyed while the application object is: the post
// routines run first thing in its destructor, when windows can still be torn down.
QList<QPointer<QWidget>> &ownedWindows()
{
    static QList<QPointer<QWidget>> windows;
    return windows;
}

// The application calls its post routines once and then forgets them, so a later application
// object in the same process needs the routine again.
bool routineAdded = false;

void destroyOwnedWindows()
{
    routineAdded = false;
    QList<QPointer<QWidget>> windows;
    windows.swap(ownedWindows());
    for (const QPointer<QWidget> &window : windows) {
        delete window.data();
    }
}

} // namespace

void GiveToApplication(QWidget *window)
{
    if (window == nullptr) {
        return;
    }
    QList<QPointer<QWidget>> &windows = ownedWindows();
    // Most windows given are destroyed long before the end; their places are taken again.
    windows.removeIf([](const QPointer<QWidget> &w) { return w.isNull(); });
    if (!routineAdded) {
        qAddPostRoutine(destroyOwnedWindows);
        routineAdded = true;
    }
    windows.append(window);
}
