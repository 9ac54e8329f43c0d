// The help engine on any file offered as "KELMO.chm": it opens the file as the engine does,
// reads what the file says about itself and its contents, builds the help window and serves
// the pages, style sheets and pictures that the window asks for. A damaged, truncated or
// hostile file gives a file that does not open or a window with less in it; never a crash,
// a hang or a runaway allocation.

#include "chmfile.h"
#include "chminfo.h"
#include "chmurl.h"
#include "contents.h"
#include "fuzzapplication.h"
#include "helpbrowser.h"
#include "helpwindow.h"
#include "textdecoding.h"

#include <QTextDocument>

#include <cstddef>
#include <cstdint>
#include <memory>

namespace {

// Enough pages to reach past the start page, few enough to keep a run fast.
constexpr int PagesServed = 6;

} // namespace

extern "C" int LLVMFuzzerInitialize(int * /*argc*/, char *** /*argv*/)
{
    fuzzApplication();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    fuzzApplication();
    std::shared_ptr<const ChmFile> chm = ChmFile::fromData(
        QByteArray(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size)));
    if (chm == nullptr || !chm->isOpen()) {
        return 0;
    }

    const ChmInfo info = ChmInfo::read(*chm);
    std::vector<ContentsItem> contents;
    if (!info.contentsFile.isEmpty()) {
        if (const std::optional<QByteArray> bytes = chm->read(info.contentsFile)) {
            contents = ContentsItem::parse(textdecoding::decodePage(*bytes, info.languageId));
        }
    }
    const QString start = info.startPage(*chm, ContentsItem::firstPage(contents));
    if (start.isEmpty()) {
        return 0;
    }

    HelpWindow window(chm, QStringLiteral("/opt/kelmo/KELMO.chm"), info.title, info.languageId,
                      contents, start);
    // Laying the page out asks for its style sheets and pictures.
    window.browser()->document()->size();

    // Then other pages, as a person following the contents would open them.
    int served = 0;
    for (const QString &name : chm->names()) {
        if (served == PagesServed) {
            break;
        }
        if (name.endsWith(QLatin1String(".htm"), Qt::CaseInsensitive) ||
            name.endsWith(QLatin1String(".html"), Qt::CaseInsensitive)) {
            window.browser()->setSource(chmurl::toUrl(name));
            window.browser()->document()->size();
            ++served;
        }
    }
    window.showStartPage();
    return 0;
}
