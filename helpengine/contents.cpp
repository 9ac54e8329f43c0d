#include "contents.h"

#include <QRegularExpression>
#include <QTextDocumentFragment>

namespace {

QString attribute(const QString &tag, QLatin1StringView name)
{
    static const QRegularExpression pattern(
        QStringLiteral(R"re(([A-Za-z_:\-]+)\s*=\s*(?:"([^"]*)"|'([^']*)'|([^\s>]+)))re"));
    QRegularExpressionMatchIterator attributes = pattern.globalMatch(tag);
    while (attributes.hasNext()) {
        const QRegularExpressionMatch match = attributes.next();
        if (match.captured(1).compare(name, Qt::CaseInsensitive) != 0) {
            continue;
        }
        for (int group = 2; group <= 4; ++group) {
            if (match.capturedStart(group) >= 0) {
                return match.captured(group);
            }
        }
    }
    return {};
}

QString decodeEntities(const QString &text)
{
    if (!text.contains(QLatin1Char('&'))) {
        return text;
    }
    return QTextDocumentFragment::fromHtml(text).toPlainText();
}

} // namespace

std::vector<ContentsItem> ContentsItem::parse(const QString &html)
{
    static const QRegularExpression tagPattern(QStringLiteral(R"(<\s*(/?)\s*([A-Za-z]+)([^>]*)>)"));

    std::vector<ContentsItem> roots;
    // The list we are in at each depth; the item that a nested list hangs from is the last
    // item of the list one level up.
    std::vector<std::vector<ContentsItem> *> lists{&roots};
    int listDepth = 0; // lists opened, including those beyond MaxDepth
    int count = 0;
    bool inObject = false;
    ContentsItem current;

    QRegularExpressionMatchIterator tags = tagPattern.globalMatch(html);
    while (tags.hasNext() && count < MaxItems) {
        const QRegularExpressionMatch tag = tags.next();
        const bool closing = !tag.captured(1).isEmpty();
        const QString name = tag.captured(2).toLower();
        const QString rest = tag.captured(3);
        if (name == QLatin1String("ul")) {
            if (!closing) {
                ++listDepth;
                std::vector<ContentsItem> *list = lists.back();
                if (listDepth > 1 && listDepth <= MaxDepth && !list->empty()) {
                    lists.push_back(&list->back().children);
                } else if (listDepth > 1 && listDepth <= MaxDepth) {
                    // A nested list with nothing to hang from joins its parent's list.
                    lists.push_back(list);
                }
            } else if (listDepth > 0) {
                if (listDepth > 1 && listDepth <= MaxDepth) {
                    lists.pop_back();
                }
                --listDepth;
            }
        } else if (name == QLatin1String("object")) {
            if (!closing) {
                inObject = attribute(rest, QLatin1StringView("type"))
                               .compare(QLatin1String("text/sitemap"), Qt::CaseInsensitive) == 0;
                current = ContentsItem();
            } else if (inObject) {
                inObject = false;
                if (!current.name.isEmpty() || !current.local.isEmpty()) {
                    if (current.name.isEmpty()) {
                        current.name = current.local;
                    }
                    lists.back()->push_back(std::move(current));
                    ++count;
                }
                current = ContentsItem();
            }
        } else if (name == QLatin1String("param") && inObject) {
            const QString key = attribute(rest, QLatin1StringView("name")).toLower();
            const QString value = decodeEntities(attribute(rest, QLatin1StringView("value")));
            if (key == QLatin1String("name") && current.name.isEmpty()) {
                current.name = value.trimmed();
            } else if (key == QLatin1String("local") && current.local.isEmpty()) {
                current.local = value.trimmed();
            }
        }
    }
    return roots;
}

QString ContentsItem::firstPage(const std::vector<ContentsItem> &items)
{
    for (const ContentsItem &item : items) {
        if (!item.local.isEmpty()) {
            return item.local;
        }
        QString below = firstPage(item.children);
        if (!below.isEmpty()) {
            return below;
        }
    }
    return {};
}
