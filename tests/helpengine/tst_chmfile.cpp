// Reading help files: the shipped KELMO.chm and a test file as the build compiles them, and
// files that are damaged or are no help files at all.

#include "chmfile.h"
#include "chminfo.h"
#include "chmurl.h"
#include "contents.h"
#include "textdecoding.h"

#include <QElapsedTimer>
#include <QFile>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

class TestChmFile : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    void shippedFileDescribesItself();
    void shippedContentsPagesExist();
    void shippedPagesLinkOnlyToWhatExists();
    void shippedPagesSayWhatTheFiguresAre();

    void whatTheFileSaysOfItself_data();
    void whatTheFileSaysOfItself();
    void entriesReadBackExactly();
    void namesCompareWithoutCase();

    void unreadableFilesAreRefused_data();
    void unreadableFilesAreRefused();
    void damagedFilesNeverCrashOrHang();

private:
    // Everything the engine does with a file, minus the window.
    static void exercise(const ChmFile &chm);

    QByteArray m_shipped;
    QByteArray m_fixture;
};

namespace {

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

std::unique_ptr<ChmFile> shipped()
{
    return std::make_unique<ChmFile>(QFile::encodeName(QStringLiteral(KELMO_HELP_FILE)));
}

// Every address that a page's links and pictures name.
QStringList referencesOf(const QString &page)
{
    static const QRegularExpression reference(
        QStringLiteral(R"re(\b(?:href|src)\s*=\s*"([^"]*)")re"),
        QRegularExpression::CaseInsensitiveOption);
    QStringList found;
    QRegularExpressionMatchIterator it = reference.globalMatch(page);
    while (it.hasNext()) {
        found.append(it.next().captured(1));
    }
    return found;
}

} // namespace

void TestChmFile::initTestCase()
{
    m_shipped = readAll(QStringLiteral(KELMO_HELP_FILE));
    m_fixture = readAll(QStringLiteral(FIXTURE_HELP_FILE));
    QVERIFY(!m_shipped.isEmpty());
    QVERIFY(!m_fixture.isEmpty());
}

void TestChmFile::shippedFileDescribesItself()
{
    const auto chm = shipped();
    QVERIFY(chm->isOpen());
    const ChmInfo info = ChmInfo::read(*chm);
    QCOMPARE(info.title, QStringLiteral("Aide de KELMO"));
    QCOMPARE(info.defaultTopic, QStringLiteral("/index.html"));
    QCOMPARE(info.contentsFile, QStringLiteral("/toc.hhc"));
    QCOMPARE(info.languageId, 0x40cu);
    QCOMPARE(info.startPage(*chm), QStringLiteral("/index.html"));
}

void TestChmFile::shippedContentsPagesExist()
{
    const auto chm = shipped();
    const ChmInfo info = ChmInfo::read(*chm);
    const std::optional<QByteArray> hhc = chm->read(info.contentsFile);
    QVERIFY(hhc.has_value());
    const std::vector<ContentsItem> items =
        ContentsItem::parse(textdecoding::decodePage(*hhc, info.languageId));
    QVERIFY(items.size() >= 5);
    std::vector<const ContentsItem *> pending;
    pending.reserve(items.size());
    for (const ContentsItem &item : items) {
        pending.push_back(&item);
    }
    int pages = 0;
    while (!pending.empty()) {
        const ContentsItem *item = pending.back();
        pending.pop_back();
        for (const ContentsItem &child : item->children) {
            pending.push_back(&child);
        }
        QVERIFY2(!item->name.isEmpty(), qPrintable(item->local));
        const std::optional<QString> entry = chmurl::normalizedPath(item->local);
        QVERIFY2(entry.has_value(), qPrintable(item->local));
        const QString page = entry->section(QLatin1Char('#'), 0, 0);
        const std::optional<QByteArray> bytes = chm->read(page);
        QVERIFY2(bytes.has_value() && !bytes->isEmpty(), qPrintable(page));
        // An anchor must exist on its page.
        if (entry->contains(QLatin1Char('#'))) {
            const QString anchor = entry->section(QLatin1Char('#'), 1);
            QVERIFY2(bytes->contains("name=\"" + anchor.toUtf8() + '"'), qPrintable(*entry));
        }
        ++pages;
    }
    QVERIFY(pages >= 10);
}

void TestChmFile::shippedPagesLinkOnlyToWhatExists()
{
    const auto chm = shipped();
    int checked = 0;
    for (const QString &name : chm->names()) {
        if (!name.endsWith(QLatin1String(".html"))) {
            continue;
        }
        const QString page = textdecoding::decodePage(*chm->read(name), 0x40c);
        for (const QString &reference : referencesOf(page)) {
            const QUrl url = chmurl::toUrl(name).resolved(QUrl(reference));
            const std::optional<QString> entry = chmurl::entryFor(url, QStringLiteral("KELMO.chm"));
            QVERIFY2(entry && chm->contains(*entry),
                     qPrintable(name + QLatin1String(" -> ") + reference));
            ++checked;
        }
    }
    QVERIFY(checked > 20);
}

void TestChmFile::shippedPagesSayWhatTheFiguresAre()
{
    const auto chm = shipped();
    QString all;
    for (const QString &name : chm->names()) {
        if (name.endsWith(QLatin1String(".html"))) {
            all += textdecoding::decodePage(*chm->read(name), 0x40c);
        }
    }
    for (const char *text :
         {"3<sup>e</sup> percentile", "97<sup>e</sup> percentile", "médiane", "NCHS", "1977",
          "1978", "kilogrammes", "centimètres", "pas un diagnostic", "Naissance", "15 ans",
          "Rubriques de l'aide", "A propos de...", "Quitter", "Ko"}) {
        QVERIFY2(all.contains(QString::fromUtf8(text)), text);
    }
}

void TestChmFile::whatTheFileSaysOfItself_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("contents");
    QTest::addColumn<QString>("start");

    QTest::newRow("default topic and title") << FIXTURE_HELP_FILE << "Fichier d'essai"
                                             << "/toc.hhc"
                                             << "/start.html";
    QTest::newRow("window definition only") << WINDOWS_HELP_FILE << "Titre de la fenêtre"
                                            << "/toc.hhc"
                                            << "/sub/deep.html";
    QTest::newRow("neither: first page of the contents") << BARE_HELP_FILE << ""
                                                         << "/toc.hhc"
                                                         << "/start.html";
}

void TestChmFile::whatTheFileSaysOfItself()
{
    QFETCH(QString, file);
    QFETCH(QString, title);
    QFETCH(QString, contents);
    QFETCH(QString, start);
    const ChmFile chm(QFile::encodeName(file));
    QVERIFY(chm.isOpen());
    const ChmInfo info = ChmInfo::read(chm);
    QCOMPARE(info.title, title);
    QCOMPARE(info.contentsFile, contents);
    const std::optional<QByteArray> hhc = chm.read(info.contentsFile);
    QVERIFY(hhc.has_value());
    const std::vector<ContentsItem> items = ContentsItem::parse(textdecoding::decodePage(*hhc, 0));
    QCOMPARE(info.startPage(chm, ContentsItem::firstPage(items)), start);
}

void TestChmFile::entriesReadBackExactly()
{
    const auto chm = ChmFile::fromData(m_fixture);
    QVERIFY(chm->isOpen());
    QCOMPARE(chm->read(QStringLiteral("/style.css")).value_or(QByteArray()),
             readAll(QStringLiteral(FIXTURE_SOURCE_DIR "/style.css")));
    QCOMPARE(chm->read(QStringLiteral("/images/dot.png")).value_or(QByteArray()),
             readAll(QStringLiteral(FIXTURE_SOURCE_DIR "/images/dot.png")));
    QCOMPARE(chm->read(QStringLiteral("/cp1252-bare.html")).value_or(QByteArray()),
             readAll(QStringLiteral(FIXTURE_SOURCE_DIR "/cp1252-bare.html")));
    QVERIFY(!chm->read(QStringLiteral("/absent.html")).has_value());
    const ChmInfo info = ChmInfo::read(*chm);
    QCOMPARE(info.title, QStringLiteral("Fichier d'essai"));
    QCOMPARE(info.startPage(*chm), QStringLiteral("/start.html"));
}

void TestChmFile::namesCompareWithoutCase()
{
    const auto chm = ChmFile::fromData(m_fixture);
    QVERIFY(chm->contains(QStringLiteral("/SUB/Deep.HTML")));
    QVERIFY(chm->read(QStringLiteral("/Style.CSS")).has_value());
}

void TestChmFile::unreadableFilesAreRefused_data()
{
    QTest::addColumn<QByteArray>("data");

    QTest::newRow("empty") << QByteArray();
    QTest::newRow("garbage") << QByteArray(5000, 'x');
    QTest::newRow("text") << QByteArray("<html><body>not a help file</body></html>");
    QTest::newRow("signature only") << QByteArray("ITSF");
    QTest::newRow("header only") << m_shipped.left(0x60);
    QTest::newRow("up to the directory") << m_shipped.left(0x78 + 0x54);
    QByteArray wrongGuid = m_shipped;
    wrongGuid[0x28] = 0x10; // as the help compiler leaves it
    QTest::newRow("second header guid wrong") << wrongGuid;
}

void TestChmFile::unreadableFilesAreRefused()
{
    QFETCH(QByteArray, data);
    const auto chm = ChmFile::fromData(data);
    QVERIFY(!chm->isOpen());
    QVERIFY(chm->names().isEmpty());
    QVERIFY(!chm->read(QStringLiteral("/index.html")).has_value());
    QVERIFY(ChmInfo::read(*chm).startPage(*chm).isEmpty());
}

void TestChmFile::exercise(const ChmFile &chm)
{
    const ChmInfo info = ChmInfo::read(chm);
    std::vector<ContentsItem> contents;
    if (const std::optional<QByteArray> hhc = chm.read(info.contentsFile)) {
        contents = ContentsItem::parse(textdecoding::decodePage(*hhc, info.languageId));
    }
    static_cast<void>(info.startPage(chm, ContentsItem::firstPage(contents)));
    for (const QString &name : chm.names()) {
        if (const std::optional<QByteArray> bytes = chm.read(name)) {
            QVERIFY(bytes->size() <= ChmFile::MaxEntrySize);
            static_cast<void>(textdecoding::decodePage(*bytes, info.languageId));
        }
    }
}

void TestChmFile::damagedFilesNeverCrashOrHang()
{
    // Cut short anywhere, and with bytes changed anywhere: the reader may refuse the file or
    // read less of it, but it must come back, quickly, every time. The seed is fixed so that
    // a failure can be repeated.
    QRandomGenerator random(1977);
    QList<QByteArray> damaged;
    for (const QByteArray &original : {m_shipped, m_fixture}) {
        for (qsizetype length = 0; length < original.size(); length += original.size() / 40 + 1) {
            damaged.append(original.left(length));
        }
        for (int i = 0; i < 150; ++i) {
            QByteArray copy = original;
            const int changes = 1 + random.bounded(8);
            for (int c = 0; c < changes; ++c) {
                // Mostly the headers and directory, where every size and offset lives.
                const qsizetype span =
                    random.bounded(4) == 0 ? copy.size() : qMin<qsizetype>(copy.size(), 0x1200);
                copy[random.bounded(span)] = char(random.bounded(256));
            }
            damaged.append(copy);
        }
    }
    QElapsedTimer timer;
    for (const QByteArray &data : std::as_const(damaged)) {
        timer.start();
        const auto chm = ChmFile::fromData(data);
        exercise(*chm);
        QVERIFY2(timer.elapsed() < 10000, "a damaged file took too long");
    }
}

QTEST_MAIN(TestChmFile)
#include "tst_chmfile.moc"
