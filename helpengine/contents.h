#pragma once

#include <QString>

#include <vector>

// One entry of a help file's table of contents: a heading or a page, with the entries
// below it.
struct ContentsItem
{
    QString name;
    // The page as the contents file writes it (relative to the file's root), or empty for a
    // heading without a page of its own.
    QString local;
    std::vector<ContentsItem> children;

    // Reads a contents file: nested lists of <object type="text/sitemap"> entries, each with
    // its "Name" and "Local" parameters. Anything else in the text is ignored, unbalanced
    // lists included; depth and number of entries are capped.
    static std::vector<ContentsItem> parse(const QString &html);

    // The first page in reading order, or empty.
    static QString firstPage(const std::vector<ContentsItem> &items);

    static constexpr int MaxDepth = 32;
    static constexpr int MaxItems = 20000;
};
