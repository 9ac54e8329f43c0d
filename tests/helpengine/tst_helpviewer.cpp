// The help window on a test help file: what it shows, where its links lead, and what it
// fetches for a page.

#include "helpbrowser.h"
#include "helpengine.h"
#include "helpwindow.h"

#include <QAction>
#include <QDesktopServices>
#include <QFile>
#include <QImage>
#include <QLineEdit>
#include <QScrollBar>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTest>
#include <QTextBrowser>
#include <QTreeWidget>

// Stands in for the desktop's browser and mail program.
class UrlRecorder : public QObject
{
    Q_OBJECT

public:
    QList<QUrl> opened;

public slots:
    void open(const QUrl &url) { opened.append(url); }
};

class TestHelpViewer : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void cleanupTestCase();

    void opensAtTheDefaultTopicInATopLevelWindow();
    void contentsTreeLeadsToPages();
    void servesPicturesAndStyleSheetsFromTheFile();
    void nothingIsServedFromOutsideTheFile_data();
    void nothingIsServedFromOutsideTheFile();
    void linksStayInsideTheFile_data();
    void linksStayInsideTheFile();
    void clickingALinkFollowsIt();
    void webAndMailLinksGoToTheDesktop_data();
    void webAndMailLinksGoToTheDesktop();
    void backForwardAndHome();
    void aNewPageOpensAtItsTop();
    void searchInThePage();
    void asecondRequestReusesTheWindowAtTheDefaultTopic();
    void closeAllDestroysEveryWindow();

private:
    HelpWindow *open();
    void follow(const QString &href);

    std::unique_ptr<HelpEngine> m_engine;
    UrlRecorder m_desktop;
};

void TestHelpViewer::initTestCase()
{
    for (const char *scheme : {"http", "https", "mailto", "file"}) {
        QDesktopServices::setUrlHandler(QString::fromLatin1(scheme), &m_desktop, "open");
    }
}

void TestHelpViewer::cleanupTestCase()
{
    for (const char *scheme : {"http", "https", "mailto", "file"}) {
        QDesktopServices::unsetUrlHandler(QString::fromLatin1(scheme));
    }
}

void TestHelpViewer::init()
{
    m_engine = std::make_unique<HelpEngine>();
    m_desktop.opened.clear();
}

void TestHelpViewer::cleanup()
{
    m_engine.reset();
}

HelpWindow *TestHelpViewer::open()
{
    return m_engine->displayTopic(QFile::encodeName(QStringLiteral(FIXTURE_HELP_FILE)));
}

// What the browser does with a clicked link: resolve it against the page, then go there.
void TestHelpViewer::follow(const QString &href)
{
    QTextBrowser *browser = m_engine->windows().isEmpty()
                                ? nullptr
                                : m_engine->windows().first()->findChild<QTextBrowser *>();
    QVERIFY(browser != nullptr);
    browser->setSource(browser->source().resolved(QUrl(href)));
}

void TestHelpViewer::opensAtTheDefaultTopicInATopLevelWindow()
{
    HelpWindow *window = open();
    QVERIFY(window != nullptr);
    QVERIFY(window->isWindow());
    QCOMPARE(window->parentWidget(), nullptr);
    QVERIFY(window->isVisible());
    QVERIFY(!window->testAttribute(Qt::WA_QuitOnClose));
    QCOMPARE(window->windowTitle(), QStringLiteral("Fichier d'essai"));
    QCOMPARE(window->browser()->source(), QUrl(QStringLiteral("chm:/start.html")));
    QVERIFY(window->browser()->toPlainText().contains(QStringLiteral("Crème brûlée")));
}

void TestHelpViewer::contentsTreeLeadsToPages()
{
    HelpWindow *window = open();
    QTreeWidget *tree = window->contentsTree();
    QCOMPARE(tree->topLevelItemCount(), 2);
    QTreeWidgetItem *start = tree->topLevelItem(0);
    QCOMPARE(start->text(0), QStringLiteral("Départ"));
    QCOMPARE(start->childCount(), 1);
    QCOMPARE(tree->currentItem(), start);

    QTreeWidgetItem *deep = start->child(0);
    tree->setCurrentItem(deep);
    emit tree->itemClicked(deep, 0);
    QCOMPARE(window->browser()->source(), QUrl(QStringLiteral("chm:/sub/deep.html")));

    // Following a link selects the page's entry.
    follow(QStringLiteral("../cp1252-meta.html"));
    QCOMPARE(tree->currentItem(), tree->topLevelItem(1));
}

void TestHelpViewer::servesPicturesAndStyleSheetsFromTheFile()
{
    HelpWindow *window = open();
    HelpBrowser *browser = window->browser();
    const QImage dot = browser
                           ->loadResource(QTextDocument::ImageResource,
                                          QUrl(QStringLiteral("chm:/images/dot.png")))
                           .value<QImage>();
    QCOMPARE(dot.size(), QSize(4, 3));
    QCOMPARE(dot.pixelColor(0, 0), QColor(Qt::red));
    // The same picture by the deep page's relative address, and by the file's own form.
    follow(QStringLiteral("sub/deep.html"));
    const QUrl relative = browser->source().resolved(QUrl(QStringLiteral("../images/dot.png")));
    QVERIFY(
        !browser->loadResource(QTextDocument::ImageResource, relative).value<QImage>().isNull());
    QVERIFY(!browser
                 ->loadResource(QTextDocument::ImageResource,
                                QUrl(QStringLiteral("ms-its:fixture.chm::/images/dot.png")))
                 .value<QImage>()
                 .isNull());
    const QString css = browser
                            ->loadResource(QTextDocument::StyleSheetResource,
                                           QUrl(QStringLiteral("chm:/style.css")))
                            .toString();
    QVERIFY(css.contains(QStringLiteral("#123456")));
}

void TestHelpViewer::nothingIsServedFromOutsideTheFile_data()
{
    QTest::addColumn<QString>("address");

    QTest::newRow("climbing out") << "chm:/../../../../etc/hostname";
    QTest::newRow("disk") << "file:///etc/hostname";
    QTest::newRow("relative to the disk") << "../../../../etc/hostname";
    QTest::newRow("other help file") << "ms-its:autre.chm::/start.html";
    QTest::newRow("web") << "http://example.org/image.png";
    QTest::newRow("resource") << "qrc:/qt-project.org/styles/commonstyle/images/up-16.png";
}

void TestHelpViewer::nothingIsServedFromOutsideTheFile()
{
    QFETCH(QString, address);
    HelpBrowser *browser = open()->browser();
    for (const int type : {QTextDocument::HtmlResource, QTextDocument::ImageResource,
                           QTextDocument::StyleSheetResource}) {
        QVERIFY(!browser->loadResource(type, QUrl(address)).isValid());
    }
}

void TestHelpViewer::linksStayInsideTheFile_data()
{
    QTest::addColumn<QStringList>("hrefs"); // followed in turn from the start page
    QTest::addColumn<QString>("source");
    QTest::addColumn<QString>("shows");

    QTest::newRow("relative") << QStringList{"sub/deep.html"} << "chm:/sub/deep.html"
                              << "retour";
    QTest::newRow("relative back up")
        << QStringList{"sub/deep.html", "../start.html"} << "chm:/start.html"
        << "Crème brûlée";
    QTest::newRow("ms-its, 1252 named by meta")
        << QStringList{"ms-its:fixture.chm::/cp1252-meta.html"} << "chm:/cp1252-meta.html"
        << "Été – œuvre €";
    QTest::newRow("mk with folder and anchor, 1252 without meta")
        << QStringList{"mk:@MSITStore:C:\\Aide\\FIXTURE.CHM::/cp1252-bare.html#fin"}
        << "chm:/cp1252-bare.html#fin"
        << "Été – œuvre €";
    QTest::newRow("another help file")
        << QStringList{"ms-its:autre.chm::/start.html"} << "chm:/start.html"
        << "Crème brûlée";
    QTest::newRow("a file on the disk") << QStringList{"file:///etc/hostname"} << "chm:/start.html"
                                        << "Crème brûlée";
    QTest::newRow("climbing out of the file")
        << QStringList{"sub/deep.html", "../../../../etc/hostname"} << "chm:/sub/deep.html"
        << "retour";
    QTest::newRow("missing page") << QStringList{"absent.html"} << "chm:/start.html"
                                  << "Crème brûlée";
}

void TestHelpViewer::linksStayInsideTheFile()
{
    QFETCH(QStringList, hrefs);
    QFETCH(QString, source);
    QFETCH(QString, shows);
    HelpWindow *window = open();
    for (const QString &href : hrefs) {
        follow(href);
    }
    QCOMPARE(window->browser()->source(), QUrl(source));
    QVERIFY2(window->browser()->toPlainText().contains(shows),
             qPrintable(window->browser()->toPlainText()));
    QVERIFY(m_desktop.opened.isEmpty());
}

void TestHelpViewer::clickingALinkFollowsIt()
{
    HelpWindow *window = open();
    window->resize(700, 500);
    QVERIFY(QTest::qWaitForWindowExposed(window));
    HelpBrowser *browser = window->browser();
    QVERIFY(browser->find(QStringLiteral("relatif")));
    QTextCursor cursor = browser->textCursor();
    cursor.setPosition(cursor.selectionStart() + 2);
    const QPoint point = browser->cursorRect(cursor).center();
    browser->setTextCursor(QTextCursor(browser->document()));
    QTest::mouseClick(browser->viewport(), Qt::LeftButton, {}, point);
    QTRY_COMPARE(browser->source(), QUrl(QStringLiteral("chm:/sub/deep.html")));
}

void TestHelpViewer::webAndMailLinksGoToTheDesktop_data()
{
    QTest::addColumn<QString>("href");

    QTest::newRow("web") << "http://example.org/page";
    QTest::newRow("mail") << "mailto:aide@example.org";
}

void TestHelpViewer::webAndMailLinksGoToTheDesktop()
{
    QFETCH(QString, href);
    HelpWindow *window = open();
    QVERIFY(m_desktop.opened.isEmpty());
    follow(href);
    QCOMPARE(m_desktop.opened, QList<QUrl>{QUrl(href)});
    QCOMPARE(window->browser()->source(), QUrl(QStringLiteral("chm:/start.html")));
}

void TestHelpViewer::backForwardAndHome()
{
    HelpWindow *window = open();
    HelpBrowser *browser = window->browser();
    auto *back = window->findChild<QAction *>(QStringLiteral("backAction"));
    auto *forward = window->findChild<QAction *>(QStringLiteral("forwardAction"));
    auto *home = window->findChild<QAction *>(QStringLiteral("homeAction"));
    QVERIFY(back && forward && home);
    QCOMPARE(back->text(), QStringLiteral("Précédent"));
    QCOMPARE(forward->text(), QStringLiteral("Suivant"));
    QCOMPARE(home->text(), QStringLiteral("Accueil"));
    QVERIFY(!back->isEnabled());
    QVERIFY(!forward->isEnabled());

    follow(QStringLiteral("sub/deep.html"));
    follow(QStringLiteral("../cp1252-meta.html"));
    QVERIFY(back->isEnabled());
    back->trigger();
    QCOMPARE(browser->source(), QUrl(QStringLiteral("chm:/sub/deep.html")));
    QVERIFY(forward->isEnabled());
    back->trigger();
    QCOMPARE(browser->source(), QUrl(QStringLiteral("chm:/start.html")));
    QVERIFY(!back->isEnabled());
    forward->trigger();
    QCOMPARE(browser->source(), QUrl(QStringLiteral("chm:/sub/deep.html")));
    home->trigger();
    QCOMPARE(browser->source(), QUrl(QStringLiteral("chm:/start.html")));
}

void TestHelpViewer::aNewPageOpensAtItsTop()
{
    HelpWindow *window = m_engine->displayTopic(QFile::encodeName(QStringLiteral(KELMO_HELP_FILE)));
    QVERIFY(QTest::qWaitForWindowExposed(window));
    QScrollBar *scrollBar = window->browser()->verticalScrollBar();
    QTreeWidget *tree = window->contentsTree();
    const auto click = [tree](const QString &text) {
        const QList<QTreeWidgetItem *> items =
            tree->findItems(text, Qt::MatchExactly | Qt::MatchRecursive);
        QVERIFY(items.size() == 1);
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {},
                          tree->visualItemRect(items.first()).center());
    };

    // An entry with an anchor scrolls to it, and stays the selected entry.
    click(QStringLiteral("Copier une valeur"));
    QCOMPARE(window->browser()->source(), QUrl(QStringLiteral("chm:/utilisation.html#copier")));
    QVERIFY(scrollBar->value() > 0);
    QCOMPARE(tree->currentItem()->text(0), QStringLiteral("Copier une valeur"));

    // The page's own entry shows it from the top.
    click(QStringLiteral("Utiliser la fenêtre principale"));
    QCOMPARE(window->browser()->source(), QUrl(QStringLiteral("chm:/utilisation.html")));
    QVERIFY(scrollBar->maximum() > 0);
    QCOMPARE(scrollBar->value(), 0);
    QCOMPARE(tree->currentItem()->text(0), QStringLiteral("Utiliser la fenêtre principale"));
}

void TestHelpViewer::searchInThePage()
{
    HelpWindow *window = open();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    QLineEdit *field = window->searchField();
    QTest::keyClick(window, Qt::Key_F, Qt::ControlModifier);
    QTRY_VERIFY(field->hasFocus());

    // Found, as typed and regardless of case; again from the top after the last one.
    QTest::keyClicks(field, QStringLiteral("CRÈME"));
    QTest::keyClick(field, Qt::Key_Return);
    QCOMPARE(window->browser()->textCursor().selectedText(), QStringLiteral("Crème"));
    const int first = window->browser()->textCursor().position();
    QTest::keyClick(field, Qt::Key_Return);
    QCOMPARE(window->browser()->textCursor().position(), first);
    QVERIFY(window->statusBar()->currentMessage().isEmpty());

    // Not found: the field and the status bar say so, and the page keeps its selection.
    field->clear();
    QTest::keyClicks(field, QStringLiteral("introuvable"));
    QTest::keyClick(field, Qt::Key_Return);
    QVERIFY(window->statusBar()->currentMessage().contains(QStringLiteral("introuvable")));
    QVERIFY(field->palette().color(QPalette::Base) != window->palette().color(QPalette::Base));
    QCOMPARE(window->browser()->textCursor().selectedText(), QStringLiteral("Crème"));
}

void TestHelpViewer::asecondRequestReusesTheWindowAtTheDefaultTopic()
{
    HelpWindow *first = open();
    follow(QStringLiteral("sub/deep.html"));
    first->close();
    QVERIFY(!first->isVisible());
    HelpWindow *second = open();
    QCOMPARE(second, first);
    QVERIFY(second->isVisible());
    QCOMPARE(second->browser()->source(), QUrl(QStringLiteral("chm:/start.html")));
    QCOMPARE(m_engine->windows().size(), 1);
}

void TestHelpViewer::closeAllDestroysEveryWindow()
{
    QPointer<HelpWindow> fixture = open();
    QPointer<HelpWindow> shipped =
        m_engine->displayTopic(QFile::encodeName(QStringLiteral(KELMO_HELP_FILE)));
    QVERIFY(fixture && shipped && fixture != shipped);
    QCOMPARE(m_engine->windows().size(), 2);
    m_engine->closeAll();
    QVERIFY(fixture.isNull());
    QVERIFY(shipped.isNull());
    QVERIFY(m_engine->windows().isEmpty());
}

QTEST_MAIN(TestHelpViewer)
#include "tst_helpviewer.moc"
