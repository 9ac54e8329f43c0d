#include "system.h"

namespace {
// Never dereferenced: the help engine only compares it to tell "the desktop" from "none".
char desktopToken;
} // namespace

HWND GetDesktopWindow()
{
    return &desktopToken;
}
