#pragma once

#include "contents.h"

#include <QMainWindow>
#include <QUrl>

#include <memory>
#include <vector>

class ChmFile;
class HelpBrowser;
class QTreeWidget;
class QTreeWidgetItem;

// A help window: the contents of one help file beside the page, with back, forward and home.
// It belongs to no other window of the program, so it stays where it is when they are
// minimised, and it does not keep the program running once the main window has closed.
class HelpWindow : public QMainWindow
{
    Q_OBJECT

public:
    HelpWindow(std::shared_ptr<const ChmFile> chm, const QString &filePath, const QString &title,
               quint32 languageId, const std::vector<ContentsItem> &contents,
               const QString &startPage, QWidget *parent = nullptr);

    HelpBrowser *browser() const { return m_browser; }
    QTreeWidget *contentsTree() const { return m_contents; }
    QUrl startUrl() const { return m_startUrl; }

public slots:
    // Back to the file's default topic.
    void showStartPage();

private:
    void createActions();
    void fillContents(const std::vector<ContentsItem> &items, QTreeWidgetItem *parent);
    void openContentsItem(QTreeWidgetItem *item);
    void selectContentsItem(const QUrl &source);
    void showLinkInStatusBar(const QUrl &link);

    HelpBrowser *m_browser;
    QTreeWidget *m_contents;
    QUrl m_startUrl;
    QString m_chmFileName;
};
