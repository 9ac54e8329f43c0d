#include "mainicon.h"

QIcon MainIcon()
{
    QIcon icon(QStringLiteral(":/kelmo/kelmo.xpm"));
    // The window manager receives every size as a window property: 256 would cost a quarter
    // of a megabyte for no use, so the largest is 128.
    for (int size : {16, 48, 64, 128}) {
        icon.addFile(QStringLiteral(":/kelmo/icons/kelmo-%1.png").arg(size), QSize(size, size));
    }
    return icon;
}
