#pragma once

// The few operating-system services that the program asks for by name.

// An opaque window handle as it crosses into the help engine; null is no window.
using HWND = void *;

// The handle that stands for the desktop itself: help windows owned by it belong to no
// window of ours, so they stay when our main window is minimised.
HWND GetDesktopWindow();
