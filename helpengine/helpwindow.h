#pragma once

#include "contents.h"

#include <QMainWindow>
#include <QUrl>

#include <memory>
#include <vector>

class ChmFile;
class HelpBrowser;
class QLineEdit;
class QTreeWidget;
class QTreeWidgetItem;

// A help window: the contents of one help file beside the page, with back, forward, home
// and a search in the page.
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
    QLineEdit *searchField() const { return m_search; }
    QUrl startUrl() const { return m_startUrl; }

public slots:
    // Back to the file's default topic.
    void showStartPage();
    // The next (or previous) place of the search field's text on the page, wrapping round;
    // false when the page does not contain it.
    bool findInPage(bool backward = false);

private:
    void createActions();
    void fillContents(const std::vector<ContentsItem> &items, QTreeWidgetItem *parent);
    void openContentsItem(QTreeWidgetItem *item);
    void selectContentsItem(const QUrl &source);
    void showLinkInStatusBar(const QUrl &link);
    void showSearchResult(bool found);

    HelpBrowser *m_browser;
    QTreeWidget *m_contents;
    QLineEdit *m_search = nullptr;
    QUrl m_startUrl;
    QString m_chmFileName;
};
