#pragma once

#include <QIcon>

// The program's icon: the designed 32-pixel picture, with a redrawing of it for 16 pixels
// and larger drawings for high-density screens and task switchers, so that the desktop never
// has to blow the small picture up.
QIcon MainIcon();
