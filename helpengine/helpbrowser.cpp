#include "helpbrowser.h"

#include "chmfile.h"
#include "chmurl.h"
#include "textdecoding.h"

#include <QBuffer>
#include <QDesktopServices>
#include <QImage>
#include <QImageReader>

HelpBrowser::HelpBrowser(std::shared_ptr<const ChmFile> chm, const QString &chmFileName,
                         quint32 languageId, QWidget *parent)
    : QTextBrowser(parent), m_chm(std::move(chm)), m_chmFileName(chmFileName),
      m_languageId(languageId)
{
    setObjectName(QStringLiteral("helpBrowser"));
    // We decide where each link goes; see doSetSource().
    setOpenExternalLinks(false);
    setOpenLinks(true);
}

QVariant HelpBrowser::loadResource(int type, const QUrl &name)
{
    // Never the base class: it would read relative names from the disk.
    const std::optional<QString> entry = chmurl::entryFor(name, m_chmFileName);
    if (!entry) {
        return {};
    }
    const std::optional<QByteArray> bytes = m_chm->read(*entry);
    if (!bytes) {
        return {};
    }
    switch (type) {
    case QTextDocument::HtmlResource:
        return textdecoding::decodePage(*bytes, m_languageId);
    case QTextDocument::StyleSheetResource:
        return textdecoding::decodeText(*bytes, m_languageId);
    case QTextDocument::ImageResource: {
        QBuffer buffer;
        buffer.setData(*bytes);
        QImageReader reader(&buffer);
        const QSize size = reader.size();
        if (!size.isValid() || size.width() > MaxImageDimension ||
            size.height() > MaxImageDimension) {
            return {};
        }
        const QImage image = reader.read();
        return image.isNull() ? QVariant() : QVariant(image);
    }
    default:
        return {};
    }
}

void HelpBrowser::doSetSource(const QUrl &name, QTextDocument::ResourceType type)
{
    if (chmurl::isExternal(name)) {
        emit externalLinkActivated(name);
        QDesktopServices::openUrl(name);
        return;
    }
    const std::optional<QString> entry = chmurl::entryFor(name, m_chmFileName);
    if (!entry || !m_chm->contains(*entry)) {
        // A link to nowhere, or out of the file: stay on the page.
        return;
    }
    QUrl url = chmurl::toUrl(*entry);
    if (name.hasFragment()) {
        url.setFragment(name.fragment(QUrl::FullyDecoded), QUrl::DecodedMode);
    }
    QTextBrowser::doSetSource(url, type);
}
