#include "chmurl.h"

#include <QStringList>

namespace chmurl {

namespace {

// "file.chm::/page.html": the part after the file, when the file is ours.
std::optional<QString> storePath(const QString &reference, const QString &chmFileName)
{
    const qsizetype separator = reference.indexOf(QLatin1String("::"));
    if (separator < 0) {
        return std::nullopt;
    }
    QString file = reference.left(separator);
    file.replace(QLatin1Char('\\'), QLatin1Char('/'));
    file = file.mid(file.lastIndexOf(QLatin1Char('/')) + 1);
    // "mk:@MSITStore:C:file.chm" and the like: the drive letter is no part of the name.
    file = file.mid(file.lastIndexOf(QLatin1Char(':')) + 1);
    if (!file.isEmpty() && file.compare(chmFileName, Qt::CaseInsensitive) != 0) {
        return std::nullopt;
    }
    return reference.mid(separator + 2);
}

// An absolute entry name with "." and ".." resolved; nothing when ".." climbs above the root.
std::optional<QString> cleanPath(QString path)
{
    path.replace(QLatin1Char('\\'), QLatin1Char('/'));
    QStringList parts;
    for (const QString &part : path.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
        if (part == QLatin1String(".")) {
            continue;
        }
        if (part == QLatin1String("..")) {
            if (parts.isEmpty()) {
                return std::nullopt;
            }
            parts.removeLast();
            continue;
        }
        parts.append(part);
    }
    if (parts.isEmpty()) {
        return std::nullopt;
    }
    return QLatin1Char('/') + parts.join(QLatin1Char('/'));
}

} // namespace

std::optional<QString> normalizedPath(const QString &path)
{
    const qsizetype hash = path.indexOf(QLatin1Char('#'));
    std::optional<QString> clean = cleanPath(hash < 0 ? path : path.left(hash));
    if (clean && hash >= 0) {
        clean->append(path.mid(hash));
    }
    return clean;
}

QUrl toUrl(const QString &entry)
{
    const qsizetype hash = entry.indexOf(QLatin1Char('#'));
    QUrl url;
    url.setScheme(Scheme);
    url.setPath(hash < 0 ? entry : entry.left(hash), QUrl::DecodedMode);
    if (hash >= 0) {
        url.setFragment(entry.mid(hash + 1), QUrl::DecodedMode);
    }
    return url;
}

std::optional<QString> entryFor(const QUrl &url, const QString &chmFileName)
{
    const QString scheme = url.scheme().toLower();
    const QString path = url.path(QUrl::FullyDecoded);
    std::optional<QString> entry;
    if (scheme == Scheme || scheme.isEmpty()) {
        entry = path;
    } else if (scheme == QLatin1String("ms-its") || scheme == QLatin1String("its")) {
        entry = storePath(path, chmFileName);
    } else if (scheme == QLatin1String("mk")) {
        const QLatin1String store("@MSITStore:");
        if (path.startsWith(store, Qt::CaseInsensitive)) {
            entry = storePath(path.mid(store.size()), chmFileName);
        }
    }
    if (!entry) {
        return std::nullopt;
    }
    // The anchor is the URL's fragment; a '#' left in the decoded path is part of the name.
    return cleanPath(*entry);
}

bool isInternal(const QUrl &url, const QString &chmFileName)
{
    return entryFor(url, chmFileName).has_value();
}

bool isExternal(const QUrl &url)
{
    const QString scheme = url.scheme().toLower();
    return scheme == QLatin1String("http") || scheme == QLatin1String("https") ||
           scheme == QLatin1String("mailto");
}

} // namespace chmurl
