#pragma once

#include <QFont>

// The font that the program's forms are designed for: an 11-pixel sans of Helvetica's metrics,
// at which every caption and figure fits the control that the form gives it.
QFont formFont();
