// The help units and the engine module together, as the program uses them: loading, the two
// commands through the fetched entry, and the order of the end.

#include "_kelmo.h"
#include "helpunits.h"
#include "hh.h"
#include "system.h"

#include <QApplication>
#include <QFile>
#include <QMessageBox>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>

#include <filesystem>
#include <memory>

class TestHelpUnits : public QObject
{
    Q_OBJECT

private slots:
    void cleanup();

    void entryIsFetchedOnlyFromAUsableModule_data();
    void entryIsFetchedOnlyFromAUsableModule();
    void engineIsRegisteredBesideTheExecutable();

    void displayTopicOpensTheDefaultTopic();
    void displayTopicAgainReusesTheWindow();
    void closeAllLeavesNoHelpWindow();
    void otherCommandsDoNothing();
    void unusableHelpFilesAreNoFailureOfTheProgram_data();
    void unusableHelpFilesAreNoFailureOfTheProgram();
    void folderWithAccentsWorks_data();
    void folderWithAccentsWorks();

    void helpCommandOfTheMainWindow();
    void closingTheMainWindowEndsTheProgramWithHelpOpen();
    void endOrderClosesHelpBeforeTheEngineGoes();

private:
    static QList<QWidget *> helpWindows();
    static HWND display(const QByteArray &file);

    std::unique_ptr<HelpUnits> m_units;
};

namespace {

const QByteArray ShippedFile = QFile::encodeName(QStringLiteral(KELMO_HELP_FILE));

} // namespace

void TestHelpUnits::cleanup()
{
    if (hh::HtmlHelpA != nullptr) {
        hh::HtmlHelpA(nullptr, nullptr, hh::HH_CLOSE_ALL, 0);
    }
    m_units.reset();
    QVERIFY(hh::HtmlHelpA == nullptr);
}

// The engine's windows: top-level widgets whose class this program does not know.
QList<QWidget *> TestHelpUnits::helpWindows()
{
    QList<QWidget *> found;
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        if (widget->objectName() == QLatin1String("helpWindow") ||
            widget->objectName() == QLatin1String("helpFailure")) {
            found.append(widget);
        }
    }
    return found;
}

HWND TestHelpUnits::display(const QByteArray &file)
{
    return hh::HtmlHelpA(GetDesktopWindow(), file.constData(), hh::HH_DISPLAY_TOPIC, 0);
}

void TestHelpUnits::entryIsFetchedOnlyFromAUsableModule_data()
{
    QTest::addColumn<QString>("module");
    QTest::addColumn<bool>("loaded");

    QTest::newRow("engine") << QStringLiteral(ENGINE_MODULE) << true;
    QTest::newRow("absent") << QStringLiteral(ENGINE_MODULE ".absent") << false;
    QTest::newRow("without the entry") << QStringLiteral(NOENTRY_MODULE) << false;
    QTest::newRow("not a library") << QStringLiteral("garbage") << false;
    QTest::newRow("empty file") << QStringLiteral("empty") << false;
    QTest::newRow("no path") << QString() << false;
}

void TestHelpUnits::entryIsFetchedOnlyFromAUsableModule()
{
    QFETCH(QString, module);
    QFETCH(bool, loaded);
    QTemporaryDir folder;
    if (module == QLatin1String("garbage") || module == QLatin1String("empty")) {
        QFile file(folder.filePath(QStringLiteral("helpengine.so")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(module == QLatin1String("garbage") ? QByteArray(4096, '\x7f') : QByteArray());
        module = file.fileName();
    }
    m_units = std::make_unique<HelpUnits>(QFile::encodeName(module).toStdString());
    QCOMPARE(m_units->isLoaded(), loaded);
    QCOMPARE(hh::HtmlHelpA != nullptr, loaded);
    m_units.reset();
    QVERIFY(hh::HtmlHelpA == nullptr);
}

void TestHelpUnits::engineIsRegisteredBesideTheExecutable()
{
    // The suites run from the program's folder, where the engine lies.
    const std::string expected =
        QFile::encodeName(QCoreApplication::applicationDirPath() + QStringLiteral("/helpengine.so"))
            .toStdString();
    QCOMPARE(HelpUnits::registeredEnginePath(), expected);
    m_units = std::make_unique<HelpUnits>();
    QVERIFY(m_units->isLoaded());
    QVERIFY(hh::HtmlHelpA != nullptr);
}

void TestHelpUnits::displayTopicOpensTheDefaultTopic()
{
    m_units = std::make_unique<HelpUnits>(ENGINE_MODULE);
    QVERIFY(helpWindows().isEmpty());
    const HWND handle = display(ShippedFile);
    QVERIFY(handle != nullptr);
    const QList<QWidget *> windows = helpWindows();
    QCOMPARE(windows.size(), 1);
    QWidget *window = windows.first();
    QCOMPARE(static_cast<void *>(window), handle);
    QVERIFY(window->isVisible());
    QCOMPARE(window->parentWidget(), nullptr);
    QCOMPARE(window->windowTitle(), QStringLiteral("Aide de KELMO"));
    auto *browser = window->findChild<QTextBrowser *>();
    QVERIFY(browser != nullptr);
    QCOMPARE(browser->source(), QUrl(QStringLiteral("chm:/index.html")));
    QVERIFY(browser->toPlainText().contains(QStringLiteral("Aide de KELMO")));
}

void TestHelpUnits::displayTopicAgainReusesTheWindow()
{
    m_units = std::make_unique<HelpUnits>(ENGINE_MODULE);
    const HWND first = display(ShippedFile);
    QWidget *window = helpWindows().value(0);
    QVERIFY(window != nullptr);
    auto *browser = window->findChild<QTextBrowser *>();
    browser->setSource(QUrl(QStringLiteral("chm:/menus.html")));
    window->showMinimized();

    QCOMPARE(display(ShippedFile), first);
    QCOMPARE(helpWindows().size(), 1);
    QVERIFY(!window->isMinimized());
    QCOMPARE(browser->source(), QUrl(QStringLiteral("chm:/index.html")));
}

void TestHelpUnits::closeAllLeavesNoHelpWindow()
{
    m_units = std::make_unique<HelpUnits>(ENGINE_MODULE);
    QVERIFY(display(ShippedFile) != nullptr);
    QVERIFY(display(FIXTURE_HELP_FILE) != nullptr);
    QVERIFY(display("/nowhere/KELMO.chm") == nullptr); // the failure notice is a window too
    QCOMPARE(helpWindows().size(), 3);
    QCOMPARE(hh::HtmlHelpA(nullptr, nullptr, hh::HH_CLOSE_ALL, 0), nullptr);
    // Destroyed, not hidden.
    QVERIFY(helpWindows().isEmpty());
    // And the engine works again afterwards.
    QVERIFY(display(ShippedFile) != nullptr);
    QCOMPARE(helpWindows().size(), 1);
}

void TestHelpUnits::otherCommandsDoNothing()
{
    m_units = std::make_unique<HelpUnits>(ENGINE_MODULE);
    for (const unsigned command : {1u, 2u, 3u, 0x0dU, 0x0fU, 0x10U, 0x11U, 0x13U, 0xffffffffU}) {
        QCOMPARE(hh::HtmlHelpA(GetDesktopWindow(), ShippedFile.constData(), command, 0), nullptr);
    }
    QCOMPARE(hh::HtmlHelpA(GetDesktopWindow(), nullptr, hh::HH_DISPLAY_TOPIC, 0), nullptr);
    QVERIFY(helpWindows().isEmpty());
}

void TestHelpUnits::unusableHelpFilesAreNoFailureOfTheProgram_data()
{
    QTest::addColumn<QByteArray>("content"); // "-" for no file at all

    QFile shipped(QStringLiteral(KELMO_HELP_FILE));
    QVERIFY(shipped.open(QIODevice::ReadOnly));
    const QByteArray bytes = shipped.readAll();

    QTest::newRow("missing") << QByteArray("-");
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("truncated header") << bytes.left(100);
    QTest::newRow("truncated half") << bytes.left(bytes.size() / 2);
    QTest::newRow("garbage") << QByteArray(20000, '\xa5');
    QTest::newRow("a folder") << QByteArray("/");
}

void TestHelpUnits::unusableHelpFilesAreNoFailureOfTheProgram()
{
    QFETCH(QByteArray, content);
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("KELMO.chm"));
    if (content == "/") {
        QVERIFY(QDir(folder.path()).mkdir(QStringLiteral("KELMO.chm")));
    } else if (content != "-") {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content);
    }
    m_units = std::make_unique<HelpUnits>(ENGINE_MODULE);
    QCOMPARE(display(QFile::encodeName(path)), nullptr);
    // The engine says so in a notice of its own, which does not stop anybody.
    const QList<QWidget *> windows = helpWindows();
    QCOMPARE(windows.size(), 1);
    auto *notice = qobject_cast<QMessageBox *>(windows.first());
    QVERIFY(notice != nullptr);
    QVERIFY(!notice->isModal());
    QVERIFY(notice->text().contains(QStringLiteral("KELMO.chm")));
    QCOMPARE(QApplication::activeModalWidget(), nullptr);
    // Asking again does not pile notices up.
    QCOMPARE(display(QFile::encodeName(path)), nullptr);
    QCOMPARE(helpWindows().size(), 1);
}

void TestHelpUnits::folderWithAccentsWorks_data()
{
    QTest::addColumn<QByteArray>("folder"); // the name's bytes, as the system stores them

    QTest::newRow("utf-8") << QStringLiteral("Données é à ç").toUtf8();
    QTest::newRow("latin-1 bytes") << QByteArray("Donn\xe9"
                                                 "es \xe9t\xe9");
}

void TestHelpUnits::folderWithAccentsWorks()
{
    QFETCH(QByteArray, folder);
    QTemporaryDir base;
    const std::filesystem::path directory =
        std::filesystem::path(QFile::encodeName(base.path()).toStdString()) / folder.toStdString();
    std::filesystem::create_directory(directory);
    const std::filesystem::path file = directory / "KELMO.chm";
    std::filesystem::copy_file(QFile::encodeName(QStringLiteral(KELMO_HELP_FILE)).toStdString(),
                               file);
    m_units = std::make_unique<HelpUnits>(ENGINE_MODULE);
    const QByteArray path = QByteArray::fromStdString(file.string());
    const HWND window = display(path);
    QVERIFY(window != nullptr);
    QCOMPARE(helpWindows().value(0)->objectName(), QStringLiteral("helpWindow"));
    QCOMPARE(display(path), window);
}

void TestHelpUnits::helpCommandOfTheMainWindow()
{
    // The main window asks for KELMO.chm beside the executable: the suites run from the
    // program's folder, where the build puts it.
    m_units = std::make_unique<HelpUnits>();
    TForm1 form;
    form.show();
    form.Rubriquesdelaide1->trigger();
    const QList<QWidget *> windows = helpWindows();
    QCOMPARE(windows.size(), 1);
    QCOMPARE(windows.first()->parentWidget(), nullptr);
    QCOMPARE(windows.first()->findChild<QTextBrowser *>()->source(),
             QUrl(QStringLiteral("chm:/index.html")));
    // Minimising the main window leaves the help where it is.
    form.showMinimized();
    QVERIFY(windows.first()->isVisible());
    QVERIFY(!windows.first()->isMinimized());
}

void TestHelpUnits::closingTheMainWindowEndsTheProgramWithHelpOpen()
{
    // An open help window must not keep the program's loop running once the user has closed
    // the main window.
    m_units = std::make_unique<HelpUnits>();
    TForm1 form;
    form.show();
    form.Rubriquesdelaide1->trigger();
    QCOMPARE(helpWindows().size(), 1);
    QApplication::setQuitOnLastWindowClosed(true);
    QTimer::singleShot(0, &form, [&form] { form.Quitter1->trigger(); });
    QTimer::singleShot(10000, &form, [] { QCoreApplication::exit(1); });
    QCOMPARE(QApplication::exec(), 0);
}

void TestHelpUnits::endOrderClosesHelpBeforeTheEngineGoes()
{
    // main() declares the units first, so they outlive the main window: its destruction
    // closes the help windows through a live engine, and only then is the engine freed.
    m_units = std::make_unique<HelpUnits>();
    auto form = std::make_unique<TForm1>();
    form->show();
    form->Rubriquesdelaide1->trigger();
    QPointer<QWidget> help = helpWindows().value(0);
    QVERIFY(help);
    form.reset();
    QVERIFY(help.isNull());
    QVERIFY(helpWindows().isEmpty());
    m_units.reset();
    QVERIFY(hh::HtmlHelpA == nullptr);
    // Events that were queued for the engine's objects must not reach freed code.
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

QTEST_MAIN(TestHelpUnits)
#include "tst_helpunits.moc"
