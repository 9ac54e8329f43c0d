#pragma once

#include <QString>

class ChmFile;

// What a help file says about itself in its system tables (#SYSTEM, #WINDOWS, #STRINGS).
// Every field may be empty: a file that lacks a table, or whose table is damaged, simply
// tells less.
struct ChmInfo
{
    QString title;
    // Entry names as the file gives them, made absolute ("/index.html").
    QString defaultTopic;
    QString windowDefaultTopic;
    QString contentsFile;
    quint32 languageId = 0;

    static ChmInfo read(const ChmFile &chm);

    // The page to open first: the default topic, then the default window's page, then the
    // usual names of a start page, then the first page that the contents name (passed in,
    // since they are read with the language this info provides). Empty when none of them
    // exists in the file and reads back.
    QString startPage(const ChmFile &chm, const QString &firstContentsPage = {}) const;
};
