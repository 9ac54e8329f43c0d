#pragma once

#include <QTextBrowser>

#include <memory>

class ChmFile;

// Shows the pages of one help file. Pages, style sheets and images come from the file and
// from nowhere else; links to the web or to a mail address are handed to the desktop when
// the user clicks them.
class HelpBrowser : public QTextBrowser
{
    Q_OBJECT

public:
    HelpBrowser(std::shared_ptr<const ChmFile> chm, const QString &chmFileName, quint32 languageId,
                QWidget *parent = nullptr);

    QVariant loadResource(int type, const QUrl &name) override;

    // Largest picture, in pixels, that a page may show.
    static constexpr int MaxImageDimension = 8192;

signals:
    // The user clicked a link that leads out of the help file.
    void externalLinkActivated(const QUrl &url);

protected:
    void doSetSource(const QUrl &name, QTextDocument::ResourceType type) override;

private:
    std::shared_ptr<const ChmFile> m_chm;
    QString m_chmFileName;
    quint32 m_languageId;
};
