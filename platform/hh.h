#pragma once

#include "system.h"

#include <cstdint>

// The help units: at start-up they look for the HTML Help engine module and fetch its one
// entry; at the end they let it go. The entry stays empty when there is no usable engine,
// so whoever calls it checks it first.
namespace hh {

constexpr unsigned HH_DISPLAY_TOPIC = 0x0000;
constexpr unsigned HH_CLOSE_ALL = 0x0012;

// (owner window, file as 8-bit path bytes or null, command, data) -> help window or null
using HtmlHelpAProc = HWND (*)(HWND hwndCaller, const char *pszFile, unsigned uCommand,
                               std::uintptr_t dwData);

// The engine's entry, or null. Tests may put a recording stand-in here.
extern HtmlHelpAProc HtmlHelpA;

} // namespace hh
