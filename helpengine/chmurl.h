#pragma once

#include <QString>
#include <QUrl>

#include <optional>

// The addresses of the help viewer. Pages are addressed inside the help file as
// "chm:/folder/page.html#anchor", so that relative links resolve as they do on the web; the
// forms that help files write for their own pages ("ms-its:file.chm::/page.html",
// "mk:@MSITStore:folder\file.chm::/page.html") map onto the same addresses. No address ever
// leads out of the help file.
namespace chmurl {

inline constexpr QLatin1StringView Scheme{"chm"};

// An entry name made absolute and clean: backslashes become slashes, "." and ".." are
// resolved, an anchor is kept. Nothing when ".." would climb above the file's root.
std::optional<QString> normalizedPath(const QString &path);

// The viewer's address of an entry name (with or without its anchor).
QUrl toUrl(const QString &entry);

// The entry that an address names inside the help file whose file name (without its folder)
// is given, without the anchor; nothing when the address points elsewhere.
std::optional<QString> entryFor(const QUrl &url, const QString &chmFileName);

// Whether the viewer resolves the address inside the help file.
bool isInternal(const QUrl &url, const QString &chmFileName);

// Addresses that the desktop's browser or mail program should open when clicked.
bool isExternal(const QUrl &url);

} // namespace chmurl
