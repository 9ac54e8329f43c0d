// The pure parts of the help engine: how page bytes become text, how addresses map to entries
// of the help file, and how a contents file becomes a tree.

#include "chmurl.h"
#include "contents.h"
#include "textdecoding.h"

#include <QTest>

class TestHelpText : public QObject
{
    Q_OBJECT

private slots:
    void decodePage_data();
    void decodePage();
    void decodeText_data();
    void decodeText();
    void codePageForLanguage_data();
    void codePageForLanguage();

    void entryFor_data();
    void entryFor();
    void externalLinks_data();
    void externalLinks();

    void contentsTree();
    void contentsIgnoresWhatIsNoEntry();
    void contentsSurvivesUnbalancedAndDeepLists();
};

namespace {
// "Été – œuvre €" in Windows-1252.
const QByteArray Cp1252Text("\xc9t\xe9 \x96 \x9cuvre \x80");
const QString ExpectedText = QStringLiteral("Été – œuvre €");
} // namespace

void TestHelpText::decodePage_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<quint32>("language");
    QTest::addColumn<QString>("contains");

    QTest::newRow("utf-8 without meta") << ExpectedText.toUtf8() << 0x40cu << ExpectedText;
    QTest::newRow("utf-8 bom beats a wrong meta")
        << QByteArray("\xef\xbb\xbf<meta charset=\"windows-1252\">") + ExpectedText.toUtf8()
        << 0x40cu << ExpectedText;
    QTest::newRow("utf-16 bom") << QByteArray("\xff\xfe", 2) +
                                       QByteArray(
                                           reinterpret_cast<const char *>(ExpectedText.utf16()),
                                           ExpectedText.size() * 2)
                                << 0x40cu << ExpectedText;
    QTest::newRow("1252 named by http-equiv meta")
        << QByteArray("<meta http-equiv=\"Content-Type\" content=\"text/html; "
                      "charset=windows-1252\">") +
               Cp1252Text
        << 0x419u << ExpectedText;
    QTest::newRow("1252 named by charset meta, single quotes")
        << QByteArray("<META CHARSET='Windows-1252'>") + Cp1252Text << 0x419u << ExpectedText;
    QTest::newRow("1252 without meta, French file") << Cp1252Text << 0x40cu << ExpectedText;
    QTest::newRow("1252 without meta, no language") << Cp1252Text << 0u << ExpectedText;
    QTest::newRow("unknown meta charset falls through to utf-8")
        << QByteArray("<meta charset=\"x-nonsense\">") + ExpectedText.toUtf8() << 0x40cu
        << ExpectedText;
    QTest::newRow("1251 without meta, Russian file")
        << QByteArray("\xcf\xf0\xe8\xe2\xe5\xf2") << 0x419u << QStringLiteral("Привет");
    QTest::newRow("1250 without meta, Czech file")
        << QByteArray("\x8a\x9e\xe8") << 0x405u << QStringLiteral("Šžč");
}

void TestHelpText::decodePage()
{
    QFETCH(QByteArray, bytes);
    QFETCH(quint32, language);
    QFETCH(QString, contains);
    const QString text = textdecoding::decodePage(bytes, language);
    QVERIFY2(text.contains(contains), qPrintable(text));
    QVERIFY(!text.contains(QChar(0xfeff)));
}

void TestHelpText::decodeText_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("expected");

    QTest::newRow("stops at nul") << QByteArray("Aide\0reste", 10) << QStringLiteral("Aide");
    QTest::newRow("utf-8") << QStringLiteral("Aide à l'écran").toUtf8()
                           << QStringLiteral("Aide à l'écran");
    QTest::newRow("code page") << QByteArray("Aide \xe0 l'\xe9"
                                             "cran")
                               << QStringLiteral("Aide à l'écran");
    QTest::newRow("empty") << QByteArray() << QString();
}

void TestHelpText::decodeText()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, expected);
    QCOMPARE(textdecoding::decodeText(bytes, 0x40c), expected);
}

void TestHelpText::codePageForLanguage_data()
{
    QTest::addColumn<quint32>("language");
    QTest::addColumn<int>("codePage");

    QTest::newRow("none") << 0u << 1252;
    QTest::newRow("French") << 0x40cu << 1252;
    QTest::newRow("Czech") << 0x405u << 1250;
    QTest::newRow("Serbian Latin") << 0x81au << 1250;
    QTest::newRow("Serbian Cyrillic") << 0xc1au << 1251;
    QTest::newRow("Russian") << 0x419u << 1251;
    QTest::newRow("Greek") << 0x408u << 1253;
    QTest::newRow("Japanese") << 0x411u << 932;
    QTest::newRow("Chinese PRC") << 0x804u << 936;
    QTest::newRow("Chinese Taiwan") << 0x404u << 950;
    QTest::newRow("garbage") << 0xffffffffu << 1252;
}

void TestHelpText::codePageForLanguage()
{
    QFETCH(quint32, language);
    QFETCH(int, codePage);
    QCOMPARE(textdecoding::codePageForLanguage(language), codePage);
}

void TestHelpText::entryFor_data()
{
    QTest::addColumn<QString>("address");
    QTest::addColumn<QString>("entry"); // empty: no entry of this file

    QTest::newRow("own scheme") << "chm:/index.html"
                                << "/index.html";
    QTest::newRow("anchor dropped") << "chm:/a/b.html#sec"
                                    << "/a/b.html";
    QTest::newRow("dot segments") << "chm:/a/./c/../b.html"
                                  << "/a/b.html";
    QTest::newRow("escaped name") << "chm:/mon%20fichier.html"
                                  << "/mon fichier.html";
    QTest::newRow("climbing out") << "chm:/../etc/passwd"
                                  << "";
    QTest::newRow("climbing out deep") << "chm:/a/../../b.html"
                                       << "";
    QTest::newRow("encoded climb") << "chm:/%2E%2E/etc/passwd"
                                   << "";
    QTest::newRow("root only") << "chm:/"
                               << "";
    QTest::newRow("ms-its same file") << "ms-its:KELMO.chm::/page.html#x"
                                      << "/page.html";
    QTest::newRow("ms-its other case") << "MS-ITS:kelmo.CHM::page.html"
                                       << "/page.html";
    QTest::newRow("ms-its without file") << "ms-its:::/page.html"
                                         << "/page.html";
    QTest::newRow("ms-its other file") << "ms-its:autre.chm::/page.html"
                                       << "";
    QTest::newRow("ms-its no separator") << "ms-its:KELMO.chm"
                                         << "";
    QTest::newRow("its") << "its:KELMO.chm::/page.html"
                         << "/page.html";
    QTest::newRow("mk with folder")
        << "mk:@MSITStore:C:\\Program Files\\KELMO\\KELMO.chm::/dir/page.html"
        << "/dir/page.html";
    QTest::newRow("mk other file") << "mk:@MSITStore:C:\\x\\autre.chm::/page.html"
                                   << "";
    QTest::newRow("mk escaping") << "mk:@MSITStore:KELMO.chm::/../../x"
                                 << "";
    QTest::newRow("backslashes") << "ms-its:KELMO.chm::\\dir\\page.html"
                                 << "/dir/page.html";
    QTest::newRow("web") << "http://example.org/index.html"
                         << "";
    QTest::newRow("disk") << "file:///etc/passwd"
                          << "";
    QTest::newRow("resource") << "qrc:/kelmo/kelmo.xpm"
                              << "";
}

void TestHelpText::entryFor()
{
    QFETCH(QString, address);
    QFETCH(QString, entry);
    const std::optional<QString> found =
        chmurl::entryFor(QUrl(address), QStringLiteral("KELMO.chm"));
    QCOMPARE(found.value_or(QString()), entry);
}

void TestHelpText::externalLinks_data()
{
    QTest::addColumn<QString>("address");
    QTest::addColumn<bool>("external");

    QTest::newRow("http") << "http://example.org" << true;
    QTest::newRow("https") << "HTTPS://example.org" << true;
    QTest::newRow("mailto") << "mailto:aide@example.org" << true;
    QTest::newRow("file") << "file:///etc/passwd" << false;
    QTest::newRow("ftp") << "ftp://example.org" << false;
    QTest::newRow("javascript") << "javascript:alert(1)" << false;
    QTest::newRow("inside") << "chm:/index.html" << false;
}

void TestHelpText::externalLinks()
{
    QFETCH(QString, address);
    QFETCH(bool, external);
    QCOMPARE(chmurl::isExternal(QUrl(address)), external);
}

void TestHelpText::contentsTree()
{
    const QString hhc = QStringLiteral(R"(
        <UL>
          <LI><OBJECT type="text/sitemap"><param name="Name" value="Accueil">
              <param name="Local" value="index.html"></OBJECT>
          <UL>
            <LI><OBJECT type="text/sitemap"><param name="Name" value="R&eacute;sultats &amp; unit&#233;s">
                <param name="Local" value="dir/res.html#a"></OBJECT>
          </UL>
          <LI><object TYPE='text/sitemap'><PARAM NAME=name VALUE="Chapitre"></object>
          <UL>
            <LI><OBJECT type="text/sitemap"><param name="Local" value="sans-nom.html"></OBJECT>
          </UL>
        </UL>)");
    const std::vector<ContentsItem> items = ContentsItem::parse(hhc);
    QCOMPARE(items.size(), size_t(2));
    QCOMPARE(items[0].name, QStringLiteral("Accueil"));
    QCOMPARE(items[0].local, QStringLiteral("index.html"));
    QCOMPARE(items[0].children.size(), size_t(1));
    QCOMPARE(items[0].children[0].name, QStringLiteral("Résultats & unités"));
    QCOMPARE(items[0].children[0].local, QStringLiteral("dir/res.html#a"));
    QCOMPARE(items[1].name, QStringLiteral("Chapitre"));
    QVERIFY(items[1].local.isEmpty());
    QCOMPARE(items[1].children.size(), size_t(1));
    QCOMPARE(items[1].children[0].name, QStringLiteral("sans-nom.html"));
    QCOMPARE(ContentsItem::firstPage(items), QStringLiteral("index.html"));
}

void TestHelpText::contentsIgnoresWhatIsNoEntry()
{
    const QString hhc = QStringLiteral(R"(
        <OBJECT type="text/site properties"><param name="Name" value="Propriétés"></OBJECT>
        <UL><LI><OBJECT type="text/sitemap"><param name="Name" value="Page">
            <param name="Local" value="page.html"></OBJECT></UL>
        <param name="Name" value="Hors objet">)");
    const std::vector<ContentsItem> items = ContentsItem::parse(hhc);
    QCOMPARE(items.size(), size_t(1));
    QCOMPARE(items[0].name, QStringLiteral("Page"));
}

namespace {

void measure(const std::vector<ContentsItem> &items, int depth, int &maxDepth, int &count)
{
    for (const ContentsItem &item : items) {
        ++count;
        maxDepth = qMax(maxDepth, depth);
        measure(item.children, depth + 1, maxDepth, count);
    }
}

} // namespace

void TestHelpText::contentsSurvivesUnbalancedAndDeepLists()
{
    const QString item =
        QStringLiteral(R"(<LI><OBJECT type="text/sitemap"><param name="Name" value="x"></OBJECT>)");
    // Stray closings first, then 501 nested lists of one entry each, one closing and a last
    // entry: the tree stops growing deeper at the cap, and no entry is lost.
    QString hhc = QStringLiteral("</UL></UL>");
    for (int i = 0; i < 501; ++i) {
        hhc += QStringLiteral("<UL>") + item;
    }
    hhc += QStringLiteral("</UL>") + item;
    int maxDepth = 0;
    int count = 0;
    measure(ContentsItem::parse(hhc), 1, maxDepth, count);
    QCOMPARE(maxDepth, ContentsItem::MaxDepth);
    QCOMPARE(count, 502);

    QString many = QStringLiteral("<UL>");
    for (int i = 0; i < ContentsItem::MaxItems + 100; ++i) {
        many += item;
    }
    QCOMPARE(ContentsItem::parse(many).size(), size_t(ContentsItem::MaxItems));
}

QTEST_MAIN(TestHelpText)
#include "tst_helptext.moc"
