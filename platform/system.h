#pragma once

#include <QString>

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

// The few operating-system services that the program asks for by name.

// An opaque window handle as it crosses into the help engine; null is no window.
using HWND = void *;
using UINT = unsigned int;
using DWORD = std::uint32_t;
using SIZE_T = std::size_t;

// The handle that stands for the desktop itself: help windows owned by it belong to no
// window of ours, so they stay when our main window is minimised.
HWND GetDesktopWindow();

// The running program's full path, in the system's own 8-bit bytes (which need not be valid
// UTF-8), or empty when the system does not tell.
std::string ExecutablePath();

// Plays the sound of the given kind; 0 is the system's default sound. Returns whether the
// sound was asked for.
bool MessageBeep(UINT uType);

// The state of the machine's memory, in bytes.
struct MEMORYSTATUS
{
    DWORD dwLength = sizeof(MEMORYSTATUS);
    // The share of physical memory in use, in per cent, 0 to 100.
    DWORD dwMemoryLoad = 0;
    SIZE_T dwTotalPhys = 0;
    // What programs can still have without pushing others out to swap.
    SIZE_T dwAvailPhys = 0;
    // Physical memory and swap together: what can be committed at most, and what of it is left.
    SIZE_T dwTotalPageFile = 0;
    SIZE_T dwAvailPageFile = 0;
};

// Fills the memory status. It reports no failure: figures that the system does not give stay 0.
void GlobalMemoryStatus(MEMORYSTATUS *lpBuffer);

// The memory status as the Linux kernel's /proc/meminfo text gives it. The share in use is
// rounded to the nearest per cent; the figures are cut to what the fields can hold.
MEMORYSTATUS MemoryStatusFromMemInfo(std::string_view meminfo);

// The thousands separator of the user's locale settings (numbers: LC_ALL, LC_NUMERIC, LANG),
// possibly more than one character, or empty where the locale groups no digits.
QString LocaleThousandSeparator();

// While set, each of these answers in place of the system, so that tests can observe the calls
// above and feed them figures. Set them back to empty when done.
namespace seams {
inline std::function<bool(UINT uType)> messageBeep;
inline std::function<void(MEMORYSTATUS &status)> globalMemoryStatus;
inline std::function<QString()> localeThousandSeparator;
} // namespace seams
