#include "helpwindow.h"

#include "chmfile.h"
#include "chmurl.h"
#include "helpbrowser.h"

#include <QAction>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLineEdit>
#include <QScreen>
#include <QSplitter>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>
#include <QTreeWidget>

namespace {

constexpr int TopicRole = Qt::UserRole;

// A contents entry's page as an entry name, or empty when it leads out of the file.
QString topicOf(const QString &local, const QString &chmFileName)
{
    if (local.contains(QLatin1String("::"))) {
        const QUrl url(local);
        const std::optional<QString> entry = chmurl::entryFor(url, chmFileName);
        if (!entry) {
            return {};
        }
        return url.hasFragment() ? *entry + QLatin1Char('#') + url.fragment(QUrl::FullyDecoded)
                                 : *entry;
    }
    if (!QUrl(local).scheme().isEmpty() && !local.startsWith(QLatin1Char('/'))) {
        return {};
    }
    return chmurl::normalizedPath(local).value_or(QString());
}

} // namespace

HelpWindow::HelpWindow(std::shared_ptr<const ChmFile> chm, const QString &filePath,
                       const QString &title, quint32 languageId,
                       const std::vector<ContentsItem> &contents, const QString &startPage,
                       QWidget *parent)
    : QMainWindow(parent), m_chmFileName(QFileInfo(filePath).fileName())
{
    setObjectName(QStringLiteral("helpWindow"));
    setAttribute(Qt::WA_QuitOnClose, false);
    setWindowTitle(title.isEmpty() ? m_chmFileName : title);

    auto *splitter = new QSplitter(this);
    m_contents = new QTreeWidget(splitter);
    m_contents->setObjectName(QStringLiteral("contentsTree"));
    m_contents->setHeaderHidden(true);
    m_contents->setAccessibleName(tr("Sommaire"));
    m_browser = new HelpBrowser(std::move(chm), m_chmFileName, languageId, splitter);
    m_browser->setAccessibleName(tr("Page d'aide"));
    splitter->addWidget(m_contents);
    splitter->addWidget(m_browser);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({220, 540});
    setCentralWidget(splitter);

    createActions();
    fillContents(contents, nullptr);
    m_contents->expandToDepth(0);
    if (contents.empty()) {
        m_contents->hide();
    }

    connect(m_contents, &QTreeWidget::itemActivated, this, &HelpWindow::openContentsItem);
    connect(m_contents, &QTreeWidget::itemClicked, this, &HelpWindow::openContentsItem);
    connect(m_browser, &QTextBrowser::sourceChanged, this, &HelpWindow::selectContentsItem);
    connect(m_browser, qOverload<const QUrl &>(&QTextBrowser::highlighted), this,
            &HelpWindow::showLinkInStatusBar);

    m_startUrl = chmurl::toUrl(startPage);
    // The page takes the keys first, so that the arrows and Page Down scroll it at once.
    m_browser->setFocus();

    QSize size(780, 560);
    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        // Never larger than the screen leaves room for, on a small or high-density screen.
        const QRect room = screen->availableGeometry();
        size = size.boundedTo(room.size() * 9 / 10);
        setGeometry(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, size, room));
    } else {
        resize(size);
    }
}

void HelpWindow::createActions()
{
    QToolBar *toolBar = addToolBar(tr("Navigation"));
    toolBar->setObjectName(QStringLiteral("navigationBar"));
    toolBar->setMovable(false);
    // Words, not pictures: the style's pictures are read from disk at every window's opening,
    // and the help must come up at once.
    toolBar->setToolButtonStyle(Qt::ToolButtonTextOnly);

    const auto addNavigation = [toolBar](const QString &text,
                                               const QString &name, const QKeySequence &key,
                                               const QString &toolTip) {
        QAction *action = toolBar->addAction(text);
        action->setObjectName(name);
        action->setShortcut(key);
        action->setToolTip(toolTip);
        return action;
    };

    QAction *back =
        addNavigation(tr("Précédent"), QStringLiteral("backAction"),
                      QKeySequence::Back, tr("Revenir à la page précédente (Alt+Gauche)"));
    back->setEnabled(false);
    connect(back, &QAction::triggered, m_browser, &QTextBrowser::backward);
    connect(m_browser, &QTextBrowser::backwardAvailable, back, &QAction::setEnabled);

    QAction *forward =
        addNavigation(tr("Suivant"), QStringLiteral("forwardAction"),
                      QKeySequence::Forward, tr("Aller à la page suivante (Alt+Droite)"));
    forward->setEnabled(false);
    connect(forward, &QAction::triggered, m_browser, &QTextBrowser::forward);
    connect(m_browser, &QTextBrowser::forwardAvailable, forward, &QAction::setEnabled);

    QAction *home =
        addNavigation(tr("Accueil"), QStringLiteral("homeAction"),
                      QKeySequence(Qt::ALT | Qt::Key_Home),
                      tr("Revenir à la page d'accueil de l'aide (Alt+Origine)"));
    connect(home, &QAction::triggered, this, &HelpWindow::showStartPage);

    toolBar->addSeparator();
    m_search = new QLineEdit(toolBar);
    m_search->setObjectName(QStringLiteral("searchField"));
    m_search->setPlaceholderText(tr("Rechercher dans la page"));
    m_search->setAccessibleName(tr("Rechercher dans la page"));
    m_search->setToolTip(tr("Entrée : occurrence suivante ; Maj+Entrée : précédente (Ctrl+F)"));
    m_search->setClearButtonEnabled(true);
    m_search->setMaximumWidth(240);
    toolBar->addWidget(m_search);
    connect(m_search, &QLineEdit::returnPressed, this, [this] {
        findInPage(QGuiApplication::keyboardModifiers().testFlag(Qt::ShiftModifier));
    });
    connect(m_search, &QLineEdit::textEdited, this, [this] { showSearchResult(true); });

    auto *find = new QAction(tr("Rechercher"), this);
    find->setShortcut(QKeySequence::Find);
    addAction(find);
    connect(find, &QAction::triggered, this, [this] {
        m_search->setFocus(Qt::ShortcutFocusReason);
        m_search->selectAll();
    });
    auto *findNext = new QAction(tr("Occurrence suivante"), this);
    findNext->setShortcut(QKeySequence::FindNext);
    addAction(findNext);
    connect(findNext, &QAction::triggered, this, [this] { findInPage(false); });

    auto *close = new QAction(tr("Fermer"), this);
    close->setShortcuts({QKeySequence::Close, QKeySequence(Qt::Key_Escape)});
    addAction(close);
    connect(close, &QAction::triggered, this, &QWidget::close);
}

bool HelpWindow::findInPage(bool backward)
{
    const QString text = m_search->text();
    if (text.isEmpty()) {
        showSearchResult(true);
        return false;
    }
    const QTextDocument::FindFlags flags =
        backward ? QTextDocument::FindBackward : QTextDocument::FindFlags();
    bool found = m_browser->find(text, flags);
    if (!found) {
        // Round to the other end of the page and try once more; if the text is nowhere, what
        // the user had selected stays selected.
        const QTextCursor before = m_browser->textCursor();
        QTextCursor cursor = before;
        cursor.movePosition(backward ? QTextCursor::End : QTextCursor::Start);
        m_browser->setTextCursor(cursor);
        found = m_browser->find(text, flags);
        if (!found) {
            m_browser->setTextCursor(before);
        }
    }
    showSearchResult(found);
    return found;
}

void HelpWindow::showSearchResult(bool found)
{
    // The field says "not found" the way most programs do: a reddish background.
    QPalette palette;
    if (!found) {
        palette = m_search->palette();
        palette.setColor(QPalette::Base, QColor(0xff, 0xd6, 0xd6));
    }
    m_search->setPalette(palette);
    if (found) {
        statusBar()->clearMessage();
    } else {
        statusBar()->showMessage(tr("« %1 » ne figure pas dans cette page.").arg(m_search->text()));
    }
}

void HelpWindow::fillContents(const std::vector<ContentsItem> &items, QTreeWidgetItem *parent)
{
    for (const ContentsItem &entry : items) {
        auto *item =
            parent != nullptr ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(m_contents);
        item->setText(0, entry.name);
        item->setToolTip(0, entry.name);
        const QString topic = topicOf(entry.local, m_chmFileName);
        item->setData(0, TopicRole, topic);
        fillContents(entry.children, item);
    }
}

void HelpWindow::showStartPage()
{
    m_browser->setSource(m_startUrl);
}

void HelpWindow::openContentsItem(QTreeWidgetItem *item)
{
    const QString topic = item->data(0, TopicRole).toString();
    if (!topic.isEmpty()) {
        m_browser->setSource(chmurl::toUrl(topic));
    }
}

void HelpWindow::selectContentsItem(const QUrl &source)
{
    const std::optional<QString> entry = chmurl::entryFor(source, m_chmFileName);
    if (!entry) {
        return;
    }
    // The entry for the very place shown, anchor included, or else the first for its page;
    // an entry for the page that is already selected stays selected.
    const QString page = entry->toCaseFolded();
    const QString place =
        source.hasFragment() ? page + QLatin1Char('#') + source.fragment(QUrl::FullyDecoded) : page;
    const auto pageOf = [](const QTreeWidgetItem *item) {
        return item->data(0, TopicRole).toString().section(QLatin1Char('#'), 0, 0).toCaseFolded();
    };
    QTreeWidgetItem *best = nullptr;
    for (QTreeWidgetItemIterator it(m_contents); *it != nullptr; ++it) {
        const QString topic = (*it)->data(0, TopicRole).toString();
        if (topic.compare(place, Qt::CaseInsensitive) == 0) {
            best = *it;
            break;
        }
        if (best == nullptr && pageOf(*it) == page) {
            best = *it;
        }
    }
    QTreeWidgetItem *current = m_contents->currentItem();
    if (best == nullptr || best == current ||
        (current != nullptr && pageOf(current) == page && pageOf(best) == page &&
         best->data(0, TopicRole).toString().compare(place, Qt::CaseInsensitive) != 0)) {
        return;
    }
    const QSignalBlocker blocker(m_contents);
    m_contents->setCurrentItem(best);
    m_contents->scrollToItem(best);
}

void HelpWindow::showLinkInStatusBar(const QUrl &link)
{
    if (link.isEmpty() || !chmurl::isExternal(link)) {
        statusBar()->clearMessage();
        return;
    }
    statusBar()->showMessage(link.toDisplayString());
}
