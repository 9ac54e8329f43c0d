#include "textdecoding.h"

#include <QRegularExpression>
#include <QStringDecoder>

#include <optional>

namespace textdecoding {

namespace {

// Meta tags sit in the head; looking further would only find charsets quoted in the text.
constexpr qsizetype MetaSearchLength = 4096;

std::optional<QString> decodeStrictUtf8(const QByteArray &bytes)
{
    QStringDecoder decoder(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    QString text = decoder.decode(bytes);
    if (decoder.hasError()) {
        return std::nullopt;
    }
    return text;
}

QString decodeCodePage(const QByteArray &bytes, int codePage)
{
    const QByteArray name = "windows-" + QByteArray::number(codePage);
    const QByteArray alias = "cp" + QByteArray::number(codePage);
    for (const QByteArray &candidate : {name, alias}) {
        QStringDecoder decoder(candidate.constData());
        if (decoder.isValid()) {
            return decoder.decode(bytes);
        }
    }
    // Without the converter for that page Latin-1 at least keeps the ASCII part readable.
    return QString::fromLatin1(bytes);
}

} // namespace

int codePageForLanguage(quint32 languageId)
{
    const quint32 primary = languageId & 0x3ff;
    switch (primary) {
    case 0x05: // Czech
    case 0x0e: // Hungarian
    case 0x15: // Polish
    case 0x18: // Romanian
    case 0x1b: // Slovak
    case 0x1c: // Albanian
    case 0x24: // Slovenian
        return 1250;
    case 0x1a: // Croatian, Serbian and Bosnian: Latin unless the sub-language is Cyrillic
        return (languageId == 0x0c1a || languageId == 0x1c1a || languageId == 0x201a) ? 1251 : 1250;
    case 0x02: // Bulgarian
    case 0x19: // Russian
    case 0x22: // Ukrainian
    case 0x23: // Belarusian
    case 0x2f: // Macedonian
    case 0x3f: // Kazakh
    case 0x44: // Tatar
    case 0x50: // Mongolian
        return 1251;
    case 0x08: // Greek
        return 1253;
    case 0x1f: // Turkish
    case 0x2c: // Azeri
    case 0x43: // Uzbek
        return 1254;
    case 0x0d: // Hebrew
        return 1255;
    case 0x01: // Arabic
    case 0x20: // Urdu
    case 0x29: // Farsi
        return 1256;
    case 0x25: // Estonian
    case 0x26: // Latvian
    case 0x27: // Lithuanian
        return 1257;
    case 0x2a: // Vietnamese
        return 1258;
    case 0x1e: // Thai
        return 874;
    case 0x11: // Japanese
        return 932;
    case 0x12: // Korean
        return 949;
    case 0x04: // Chinese: simplified in the PRC and Singapore, traditional elsewhere
        return (languageId == 0x0804 || languageId == 0x1004) ? 936 : 950;
    default:
        return 1252;
    }
}

QByteArray metaCharset(const QByteArray &page)
{
    static const QRegularExpression meta(
        QStringLiteral(R"(<meta\b[^>]*?charset\s*=\s*["']?\s*([A-Za-z0-9._:\-]+))"),
        QRegularExpression::CaseInsensitiveOption);
    const QString head = QString::fromLatin1(page.left(MetaSearchLength));
    const QRegularExpressionMatch match = meta.match(head);
    return match.hasMatch() ? match.captured(1).toLatin1() : QByteArray();
}

QString decodePage(const QByteArray &bytes, quint32 languageId)
{
    if (const std::optional<QStringConverter::Encoding> bom =
            QStringConverter::encodingForData(bytes)) {
        QStringDecoder decoder(*bom);
        return decoder.decode(bytes);
    }
    const QByteArray charset = metaCharset(bytes);
    if (!charset.isEmpty()) {
        QStringDecoder decoder(charset.constData());
        if (decoder.isValid()) {
            return decoder.decode(bytes);
        }
    }
    if (std::optional<QString> text = decodeStrictUtf8(bytes)) {
        return *text;
    }
    return decodeCodePage(bytes, codePageForLanguage(languageId));
}

QString decodeText(const QByteArray &bytes, quint32 languageId)
{
    const qsizetype end = bytes.indexOf('\0');
    const QByteArray text = end < 0 ? bytes : bytes.left(end);
    if (std::optional<QString> utf8 = decodeStrictUtf8(text)) {
        return *utf8;
    }
    return decodeCodePage(text, codePageForLanguage(languageId));
}

} // namespace textdecoding
