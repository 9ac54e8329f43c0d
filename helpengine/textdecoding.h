#pragma once

#include <QByteArray>
#include <QString>

// How the help engine turns the bytes of a help file into text. Help files carry no reliable
// statement of their encoding, so each function tries the surest sign first.
namespace textdecoding {

// The Windows code page of a language id: the encoding that the help compiler assumed for
// texts written in that language. 1252 when the language is unknown or zero.
int codePageForLanguage(quint32 languageId);

// A page: by its byte-order mark, then the charset of its <meta> tag, then strict UTF-8,
// then the code page of the file's language.
QString decodePage(const QByteArray &bytes, quint32 languageId);

// A short text from the file's own tables (title, topic names): strict UTF-8, then the
// code page of the file's language. Stops at the first NUL.
QString decodeText(const QByteArray &bytes, quint32 languageId);

// The charset that a page's <meta> tag names, or an empty array when it names none.
QByteArray metaCharset(const QByteArray &page);

} // namespace textdecoding
