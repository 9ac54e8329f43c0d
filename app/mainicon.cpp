#include "mainicon.h"

QIcon MainIcon()
{
    // With their sizes given, the pictures are read only when a size is asked for.
    QIcon icon;
    icon.addFile(QStringLiteral(":/kelmo/kelmo.xpm"), QSize(32, 32));
    // The window manager receives every size as a window property: 256 would cost a quarter
    // of a megabyte for no use, so the largest is 128.
    for (int size : {16, 48, 64, 128}) {
        icon.addFile(QStringLiteral(":/kelmo/icons/kelmo-%1.png").arg(size), QSize(size, size));
    }
    return icon;
}
