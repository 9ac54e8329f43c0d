#include "chminfo.h"

#include "chmfile.h"
#include "chmurl.h"
#include "textdecoding.h"

#include <QtEndian>

#include <optional>

namespace {

// The record codes of #SYSTEM that matter here.
constexpr quint16 SystemContentsFile = 0;
constexpr quint16 SystemDefaultTopic = 2;
constexpr quint16 SystemTitle = 3;
constexpr quint16 SystemLanguage = 4;

// Offsets inside one #WINDOWS entry, each holding an offset into #STRINGS.
constexpr qsizetype WindowCaption = 0x14;
constexpr qsizetype WindowContentsFile = 0x60;
constexpr qsizetype WindowDefaultFile = 0x68;
constexpr qsizetype WindowEntryMinimum = 0x6c + 4;

std::optional<quint32> dword(const QByteArray &bytes, qsizetype offset)
{
    if (offset < 0 || offset > bytes.size() - 4) {
        return std::nullopt;
    }
    return qFromLittleEndian<quint32>(bytes.constData() + offset);
}

std::optional<quint16> word(const QByteArray &bytes, qsizetype offset)
{
    if (offset < 0 || offset > bytes.size() - 2) {
        return std::nullopt;
    }
    return qFromLittleEndian<quint16>(bytes.constData() + offset);
}

QString absoluteName(const QString &name)
{
    return chmurl::normalizedPath(name).value_or(QString());
}

// A NUL-terminated string of #STRINGS, or empty when the offset is out of range.
QByteArray stringAt(const QByteArray &strings, quint32 offset)
{
    if (offset == 0 || offset >= quint32(strings.size())) {
        return {};
    }
    const qsizetype end = strings.indexOf('\0', qsizetype(offset));
    return strings.mid(qsizetype(offset), end < 0 ? -1 : end - qsizetype(offset));
}

} // namespace

ChmInfo ChmInfo::read(const ChmFile &chm)
{
    ChmInfo info;
    QByteArray titleBytes;
    QByteArray topicBytes;
    QByteArray contentsBytes;

    // #SYSTEM: a version, then records of (code, length, data).
    if (const std::optional<QByteArray> system = chm.read(QStringLiteral("/#SYSTEM"))) {
        qsizetype offset = 4;
        while (offset <= system->size() - 4) {
            const quint16 code = *word(*system, offset);
            const quint16 length = *word(*system, offset + 2);
            offset += 4;
            if (length > system->size() - offset) {
                break;
            }
            const QByteArray data = system->mid(offset, length);
            switch (code) {
            case SystemContentsFile:
                contentsBytes = data;
                break;
            case SystemDefaultTopic:
                topicBytes = data;
                break;
            case SystemTitle:
                titleBytes = data;
                break;
            case SystemLanguage:
                info.languageId = dword(data, 0).value_or(0);
                break;
            default:
                break;
            }
            offset += length;
        }
    }

    // #WINDOWS: a count and an entry size, then entries whose texts live in #STRINGS. The
    // first window is the one that opens.
    QByteArray windowTitle;
    QByteArray windowTopic;
    QByteArray windowContents;
    const std::optional<QByteArray> windows = chm.read(QStringLiteral("/#WINDOWS"));
    const std::optional<QByteArray> strings = chm.read(QStringLiteral("/#STRINGS"));
    if (windows && strings) {
        const quint32 count = dword(*windows, 0).value_or(0);
        const quint32 entrySize = dword(*windows, 4).value_or(0);
        if (count > 0 && entrySize >= WindowEntryMinimum &&
            8 + qint64(entrySize) <= windows->size()) {
            const QByteArray entry = windows->mid(8, entrySize);
            windowTitle = stringAt(*strings, dword(entry, WindowCaption).value_or(0));
            windowContents = stringAt(*strings, dword(entry, WindowContentsFile).value_or(0));
            windowTopic = stringAt(*strings, dword(entry, WindowDefaultFile).value_or(0));
        }
    }

    const quint32 language = info.languageId;
    info.title = textdecoding::decodeText(titleBytes.isEmpty() ? windowTitle : titleBytes, language)
                     .trimmed();
    info.defaultTopic = absoluteName(textdecoding::decodeText(topicBytes, language));
    info.windowDefaultTopic = absoluteName(textdecoding::decodeText(windowTopic, language));
    info.contentsFile = absoluteName(textdecoding::decodeText(
        contentsBytes.isEmpty() ? windowContents : contentsBytes, language));
    return info;
}

QString ChmInfo::startPage(const ChmFile &chm, const QString &firstContentsPage) const
{
    const QStringList candidates{defaultTopic,
                                 windowDefaultTopic,
                                 QStringLiteral("/index.html"),
                                 QStringLiteral("/index.htm"),
                                 QStringLiteral("/default.html"),
                                 QStringLiteral("/default.htm"),
                                 firstContentsPage};
    for (const QString &candidate : candidates) {
        // Contents name their pages relative to the root; a topic may carry an anchor. A
        // damaged file may list a page that it cannot give back: that one is no start.
        QString topic = chmurl::normalizedPath(candidate).value_or(QString());
        const QString entry = topic.section(QLatin1Char('#'), 0, 0);
        if (!entry.isEmpty() && chm.contains(entry) && chm.read(entry).has_value()) {
            return topic;
        }
    }
    return {};
}
