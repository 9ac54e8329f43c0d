#include "about.h"
#include "application.h"
#include "system.h"
#include "tfabout.h"

#include <QFile>
#include <QMessageBox>
#include <QPointer>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <QtEndian>

#include <functional>
#include <limits>
#include <new>
#include <stdexcept>

namespace {

// What the platform seams saw, and what they answer.
struct System
{
    QList<UINT> beeps;
    int memoryQueries = 0;
    MEMORYSTATUS memory;
    QString separator = QStringLiteral(" ");
    std::function<void()> failMemoryQuery;

    void install()
    {
        seams::messageBeep = [this](UINT type) {
            beeps.append(type);
            return true;
        };
        seams::globalMemoryStatus = [this](MEMORYSTATUS &status) {
            ++memoryQueries;
            if (failMemoryQuery) {
                failMemoryQuery();
            }
            status = memory;
        };
        seams::localeThousandSeparator = [this] { return separator; };
    }
    static void uninstall()
    {
        seams::messageBeep = nullptr;
        seams::globalMemoryStatus = nullptr;
        seams::localeThousandSeparator = nullptr;
    }
};

// What a modal run looked like from inside, seen by a timer while Execute waits.
struct Seen
{
    QPointer<TFAbout> dialog;
    QStringList texts;
    int beepsBeforeShown = -1;
};

// Runs call(), and closes each About dialog that it runs modally once look() has seen it.
QList<Seen> watchModalRuns(const std::function<void()> &call,
                           const std::function<void(TFAbout *, Seen &)> &look = nullptr)
{
    QList<Seen> runs;
    QTimer watcher;
    QObject::connect(&watcher, &QTimer::timeout, &watcher, [&] {
        auto *dialog = qobject_cast<TFAbout *>(QApplication::activeModalWidget());
        if (dialog == nullptr || !dialog->isVisible() ||
            (!runs.isEmpty() && runs.last().dialog == dialog)) {
            return;
        }
        Seen seen;
        seen.dialog = dialog;
        for (QLabel *label : {dialog->Label1, dialog->Label2, dialog->Label3, dialog->lblPhysMem,
                              dialog->lblPhysRes}) {
            seen.texts << label->text();
        }
        if (look) {
            look(dialog, seen);
        }
        runs.append(seen);
        QTest::mouseClick(dialog->Button1, Qt::LeftButton);
    });
    watcher.start(5);
    call();
    return runs;
}

QString repeated(const char *piece, int times)
{
    return QString::fromUtf8(piece).repeated(times);
}

} // namespace

class TestAbout : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void textsKeepAtMostAHundredCharacters_data();
    void textsKeepAtMostAHundredCharacters();
    void newBoxShowsEmptyNamesAndTheDefaultNotice();
    void eachExecuteBuildsItsOwnDialog();
    void failedCreationBeepsAndReturns_data();
    void failedCreationBeepsAndReturns();
    void otherExceptionsPassThrough();
    void failureInsideFormCreateIsReported();
    void memoryLines_data();
    void memoryLines();
    void dialogAsDesigned();
    void labelsGrowToTheRightOnly();
    void etchedSeparatorInAGrabOfTheDialog();
    void closing_data();
    void closing();

private:
    System m_system;
};

void TestAbout::init()
{
    m_system = System();
    m_system.memory.dwTotalPhys = SIZE_T(536870912);
    m_system.memory.dwMemoryLoad = 93;
    m_system.install();
}

void TestAbout::cleanup()
{
    System::uninstall();
    // Nothing of any dialog outlives the call that showed it.
    QTRY_VERIFY(QApplication::topLevelWidgets().isEmpty());
}

void TestAbout::textsKeepAtMostAHundredCharacters_data()
{
    QTest::addColumn<QString>("written");
    QTest::addColumn<QString>("read");

    const QString a99 = repeated("a", 99);
    QTest::newRow("empty") << QString() << QString();
    QTest::newRow("100 characters") << repeated("a", 100) << repeated("a", 100);
    QTest::newRow("101 characters") << repeated("a", 101) << repeated("a", 100);
    QTest::newRow("5000 characters") << repeated("b", 5000) << repeated("b", 100);
    QTest::newRow("accent as the 100th, 101 bytes")
        << a99 + QString::fromUtf8("é") << a99 + QString::fromUtf8("é");
    QTest::newRow("accent as the 101st")
        << repeated("a", 100) + QString::fromUtf8("é") << repeated("a", 100);
    QTest::newRow("100 accents, 200 bytes") << repeated("é", 100) << repeated("é", 100);
    QTest::newRow("101 accents") << repeated("é", 101) << repeated("é", 100);
    QTest::newRow("astral character as the 100th")
        << a99 + QString::fromUtf8("👶") << a99 + QString::fromUtf8("👶");
    QTest::newRow("astral character across the limit")
        << a99 + QString::fromUtf8("👶👶") << a99 + QString::fromUtf8("👶");
    QTest::newRow("lone surrogate")
        << QStringLiteral("a") + QChar(0xD83D) + QStringLiteral("b")
        << QStringLiteral("a") + QChar(QChar::ReplacementCharacter) + QStringLiteral("b");
}

void TestAbout::textsKeepAtMostAHundredCharacters()
{
    QFETCH(QString, written);
    QFETCH(QString, read);

    // Through the properties, as a form description sets them.
    for (const char *property : {"ProductName", "Version", "Copyright"}) {
        TAboutBox box;
        box.setProperty("ProductName", QStringLiteral("avant"));
        box.setProperty("Version", QStringLiteral("avant"));
        box.setProperty("Copyright", QStringLiteral("avant"));
        QVERIFY(box.setProperty(property, written));
        QCOMPARE(box.property(property).toString(), read);
        QCOMPARE(box.property(property).toString(), read);
        for (const char *other : {"ProductName", "Version", "Copyright"}) {
            if (qstrcmp(other, property) != 0) {
                QCOMPARE(box.property(other).toString(), QStringLiteral("avant"));
            }
        }
    }
}

void TestAbout::newBoxShowsEmptyNamesAndTheDefaultNotice()
{
    TAboutBox box;
    QVERIFY(box.ProductName().isEmpty());
    QVERIFY(box.Version().isEmpty());
    QCOMPARE(box.Copyright(), QString::fromUtf8("Copyright © l'équipe KELMO"));

    const QList<Seen> runs = watchModalRuns([&] { box.Execute(); });
    QCOMPARE(runs.size(), 1);
    QCOMPARE(runs[0].texts.mid(0, 3),
             QStringList({QString(), QString(), QString::fromUtf8("Copyright © l'équipe KELMO")}));
}

void TestAbout::eachExecuteBuildsItsOwnDialog()
{
    QObject owner;
    auto *box = new TAboutBox(&owner);
    box->setProductName(QStringLiteral("KELMO"));
    box->setVersion(QStringLiteral("Version 1.0"));
    box->setCopyright(QString::fromUtf8("Copyright © 2026 l'équipe KELMO"));

    // Every query finds less memory free than the one before.
    m_system.memory.dwMemoryLoad = 40;
    seams::globalMemoryStatus = [this](MEMORYSTATUS &status) {
        ++m_system.memoryQueries;
        status = m_system.memory;
        status.dwMemoryLoad += DWORD(m_system.memoryQueries);
    };
    const auto look = [this](TFAbout *, Seen &seen) {
        seen.beepsBeforeShown = int(m_system.beeps.size());
    };

    QList<Seen> runs = watchModalRuns([&] { box->Execute(); }, look);
    box->setProductName(QStringLiteral("KELMO 2"));
    runs += watchModalRuns([&] { box->Execute(); }, look);

    QCOMPARE(runs.size(), 2);
    QCOMPARE(runs[0].texts,
             QStringList({QStringLiteral("KELMO"), QStringLiteral("Version 1.0"),
                          QString::fromUtf8("Copyright © 2026 l'équipe KELMO"),
                          QString::fromUtf8("Mémoire physique totale : 524 288 Ko"),
                          QString::fromUtf8("Ressources système      : 59% libre.")}));
    QCOMPARE(runs[1].texts[0], QStringLiteral("KELMO 2"));
    QCOMPARE(runs[1].texts[4], QString::fromUtf8("Ressources système      : 58% libre."));
    // Each opening beeps once, before it shows, and queries the memory once.
    QCOMPARE(runs[0].beepsBeforeShown, 1);
    QCOMPARE(runs[1].beepsBeforeShown, 2);
    QCOMPARE(m_system.beeps, QList<UINT>({0, 0}));
    QCOMPARE(m_system.memoryQueries, 2);
    // Each call destroyed its own dialog before returning.
    QVERIFY(runs[0].dialog.isNull());
    QVERIFY(runs[1].dialog.isNull());
}

void TestAbout::failedCreationBeepsAndReturns_data()
{
    QTest::addColumn<std::function<TFAbout *()>>("create");

    QTest::newRow("std::runtime_error")
        << std::function<TFAbout *()>([]() -> TFAbout * { throw std::runtime_error("no form"); });
    QTest::newRow("std::bad_alloc")
        << std::function<TFAbout *()>([]() -> TFAbout * { throw std::bad_alloc(); });
    QTest::newRow("no dialog at all") << std::function<TFAbout *()>([] { return nullptr; });
}

void TestAbout::failedCreationBeepsAndReturns()
{
    QFETCH(std::function<TFAbout *()>, create);

    TAboutBox box;
    box.setProductName(QStringLiteral("KELMO"));
    box.setDialogFactory(create);
    const QList<Seen> runs = watchModalRuns([&] { box.Execute(); });

    QVERIFY(runs.isEmpty());
    QCOMPARE(m_system.beeps, QList<UINT>({0}));
    QVERIFY(QApplication::topLevelWidgets().isEmpty());
    QCOMPARE(box.ProductName(), QStringLiteral("KELMO"));

    // The component is none the worse for it.
    box.setDialogFactory(nullptr);
    QCOMPARE(watchModalRuns([&] { box.Execute(); }).size(), 1);
}

void TestAbout::otherExceptionsPassThrough()
{
    struct NotStandard
    {
    };
    TAboutBox box;
    box.setDialogFactory([]() -> TFAbout * { throw NotStandard(); });
    QVERIFY_THROWS_EXCEPTION(NotStandard, box.Execute());
    QVERIFY(m_system.beeps.isEmpty());

    // Thrown from inside the real construction: the half-built dialog goes away with it.
    box.setDialogFactory(nullptr);
    m_system.failMemoryQuery = [] { throw NotStandard(); };
    QVERIFY_THROWS_EXCEPTION(NotStandard, box.Execute());
    QCOMPARE(m_system.beeps, QList<UINT>({0}));
    QVERIFY(QApplication::topLevelWidgets().isEmpty());
}

void TestAbout::failureInsideFormCreateIsReported()
{
    m_system.failMemoryQuery = [] { throw std::runtime_error("Mémoire illisible"); };
    QString reportTitle;
    QString reportText;
    QTimer reportCloser;
    connect(&reportCloser, &QTimer::timeout, &reportCloser, [&] {
        if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
            reportTitle = box->windowTitle();
            reportText = box->text();
            box->close();
        }
    });
    reportCloser.start(5);

    TAboutBox box;
    box.setProductName(QStringLiteral("KELMO"));
    const QList<Seen> runs = watchModalRuns([&] { box.Execute(); });

    QCOMPARE(reportTitle, QStringLiteral("KELMO 1.0"));
    QCOMPARE(reportText, QString::fromUtf8("Mémoire illisible"));
    QCOMPARE(runs.size(), 1);
    QCOMPARE(runs[0].texts,
             QStringList({QStringLiteral("KELMO"), QString(),
                          QString::fromUtf8("Copyright © l'équipe KELMO"),
                          QStringLiteral("lblPhysMem"), QStringLiteral("lblPhysRes")}));
    QCOMPARE(m_system.beeps, QList<UINT>({0}));
}

void TestAbout::memoryLines_data()
{
    QTest::addColumn<QString>("separator");
    QTest::addColumn<quint64>("totalBytes");
    QTest::addColumn<uint>("load");
    QTest::addColumn<QString>("memory");
    QTest::addColumn<QString>("free");

    const QString sp = QStringLiteral(" ");
    QTest::newRow("512 MiB") << sp << quint64(536870912) << 93u << "524 288"
                             << "7";
    QTest::newRow("one byte short of 1 MiB rounds up") << sp << quint64(1048575) << 0u << "1 024"
                                                       << "100";
    QTest::newRow("511 bytes over rounds down") << sp << quint64(1048576 + 511) << 100u << "1 024"
                                                << "0";
    QTest::newRow("512 bytes over rounds up") << sp << quint64(1048576 + 512) << 50u << "1 025"
                                              << "50";
    QTest::newRow("2 GiB stays positive")
        << QStringLiteral(".") << quint64(2147483648u) << 1u << "2.097.152"
        << "99";
    QTest::newRow("16 GiB") << QStringLiteral(",") << quint64(17179869184) << 30u << "16,777,216"
                            << "70";
    QTest::newRow("largest count")
        << sp << quint64(std::numeric_limits<SIZE_T>::max()) << 0u << "18 014 398 509 481 984"
        << "100";
    QTest::newRow("under 1000 kB, no separator") << sp << quint64(1022976) << 0u << "999"
                                                 << "100";
    QTest::newRow("nothing") << sp << quint64(0) << 0u << "0"
                             << "100";
    QTest::newRow("locale without grouping") << QString() << quint64(536870912) << 93u << "524288"
                                             << "7";
    QTest::newRow("narrow no-break space")
        << QStringLiteral("\u202f") << quint64(536870912) << 93u << "524\u202f288"
        << "7";
    QTest::newRow("load beyond 100 per cent") << sp << quint64(536870912) << 250u << "524 288"
                                              << "0";
}

void TestAbout::memoryLines()
{
    QFETCH(QString, separator);
    QFETCH(quint64, totalBytes);
    QFETCH(uint, load);
    QFETCH(QString, memory);
    QFETCH(QString, free);

    m_system.separator = separator;
    m_system.memory.dwTotalPhys = SIZE_T(totalBytes);
    m_system.memory.dwMemoryLoad = load;
    TFAbout dialog;
    QCOMPARE(dialog.lblPhysMem->text(),
             QString::fromUtf8("Mémoire physique totale : ") + memory + QStringLiteral(" Ko"));
    QCOMPARE(dialog.lblPhysRes->text(),
             QString::fromUtf8("Ressources système      : ") + free + QStringLiteral("% libre."));
    QCOMPARE(m_system.memoryQueries, 1);
}

void TestAbout::dialogAsDesigned()
{
    TFAbout dialog;
    QCOMPARE(dialog.objectName(), QStringLiteral("FAbout"));
    QCOMPARE(dialog.windowTitle(), QStringLiteral("A propos de..."));
    QCOMPARE(dialog.size(), QSize(294, 268));
    QCOMPARE(dialog.minimumSize(), QSize(294, 268));
    QCOMPARE(dialog.maximumSize(), QSize(294, 268));
    const Qt::WindowFlags flags = dialog.windowFlags();
    QVERIFY(flags.testFlag(Qt::WindowCloseButtonHint));
    QVERIFY(flags.testFlag(Qt::CustomizeWindowHint));
    QVERIFY(!flags.testFlag(Qt::WindowMinimizeButtonHint));
    QVERIFY(!flags.testFlag(Qt::WindowMaximizeButtonHint));
    QVERIFY(!flags.testFlag(Qt::WindowContextHelpButtonHint));
    QCOMPARE(dialog.font().pixelSize(), 11);

    // The controls in creation order, each where the form puts it.
    QStringList order;
    for (QObject *child : dialog.children()) {
        if (child->isWidgetType()) {
            order << child->objectName();
        }
    }
    QCOMPARE(order, QStringList({"Image1", "lblPhysMem", "lblPhysRes", "Line1", "Line2", "Label1",
                                 "Label2", "Label3", "Button1"}));
    QCOMPARE(dialog.Image1->geometry(), QRect(-4, -4, 298, 81));
    QCOMPARE(dialog.lblPhysMem->pos(), QPoint(86, 173));
    QCOMPARE(dialog.lblPhysRes->pos(), QPoint(86, 193));
    // The lines have their height before the dialog is first shown, so that its first frame
    // shows the separator where it belongs.
    QCOMPARE(dialog.Line1->geometry(), QRect(86, 158, 196, 10));
    QCOMPARE(dialog.Line2->geometry(), QRect(86, 159, 196, 10));
    QCOMPARE(dialog.Line1->PenColor(), QColor(Qt::black));
    QCOMPARE(dialog.Line2->PenColor(), QColor(Qt::white));
    QCOMPARE(dialog.Label1->pos(), QPoint(88, 96));
    QCOMPARE(dialog.Label2->pos(), QPoint(88, 120));
    QCOMPARE(dialog.Label3->pos(), QPoint(88, 136));
    QCOMPARE(dialog.Button1->geometry(), QRect(208, 223, 74, 26));
    QCOMPARE(dialog.Button1->text(), QStringLiteral("OK"));
    QVERIFY(!dialog.Button1->isDefault());

    QVERIFY(dialog.Label1->font().bold());
    QCOMPARE(dialog.Label1->font().pixelSize(), 11);
    for (QLabel *label : {dialog.Label2, dialog.Label3, dialog.lblPhysMem, dialog.lblPhysRes}) {
        QVERIFY(!label->font().bold());
        QCOMPARE(label->font(), dialog.font());
    }
    for (QWidget *child : dialog.findChildren<QWidget *>()) {
        QCOMPARE(child->focusPolicy() != Qt::NoFocus, child == dialog.Button1);
    }

    // The banner: 298 x 81 at 24 bits per pixel, drawn unscaled.
    QFile banner(QStringLiteral(":/kelmo/banner.bmp"));
    QVERIFY(banner.open(QIODevice::ReadOnly));
    const QByteArray header = banner.read(30);
    QCOMPARE(header.left(2), QByteArray("BM"));
    QCOMPARE(qFromLittleEndian<qint32>(header.constData() + 18), 298);
    QCOMPARE(qFromLittleEndian<qint32>(header.constData() + 22), 81);
    QCOMPARE(qFromLittleEndian<quint16>(header.constData() + 28), quint16(24));
    QCOMPARE(dialog.Image1->pixmap().size(), QSize(298, 81));
    QVERIFY(!dialog.Image1->hasScaledContents());
}

void TestAbout::labelsGrowToTheRightOnly()
{
    TFAbout dialog;
    const QList<QLabel *> labels{dialog.Label1, dialog.Label2, dialog.Label3, dialog.lblPhysMem,
                                 dialog.lblPhysRes};
    QList<QRect> before;
    for (QLabel *label : labels) {
        before << label->geometry();
        label->setText(label->text() + QStringLiteral(" et un texte bien plus long"));
    }
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    for (int i = 0; i < labels.size(); ++i) {
        const QRect after = labels[i]->geometry();
        QCOMPARE(after.topLeft(), before[i].topLeft());
        QVERIFY2(after.width() > before[i].width() + 100, qPrintable(labels[i]->objectName()));
        QCOMPARE(after.width(), labels[i]->sizeHint().width());
    }
}

void TestAbout::etchedSeparatorInAGrabOfTheDialog()
{
    TFAbout dialog;
    const QRgb face = dialog.palette().color(QPalette::Window).rgb();
    QVERIFY(face != qRgb(0, 0, 0) && face != qRgb(255, 255, 255));
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));

    const QImage image = dialog.grab().toImage().convertToFormat(QImage::Format_RGB32);
    QCOMPARE(image.size(), QSize(294, 268));
    for (int x = 86; x <= 280; ++x) {
        QCOMPARE(image.pixel(x, 162), qRgb(0, 0, 0));
        QCOMPARE(image.pixel(x, 163), qRgb(255, 255, 255));
    }
    for (int y = 160; y <= 165; ++y) {
        QCOMPARE(image.pixel(85, y), face);
        QCOMPARE(image.pixel(281, y), face);
    }
    for (int x : {86, 180, 280}) {
        QCOMPARE(image.pixel(x, 161), face);
        QCOMPARE(image.pixel(x, 164), face);
    }
    // The banner covers the top 77 rows from edge to edge.
    QVERIFY(image.pixel(0, 0) != face);
    QVERIFY(image.pixel(293, 76) != face);
    QCOMPARE(image.pixel(150, 77), face);
}

void TestAbout::closing_data()
{
    QTest::addColumn<std::function<void(TFAbout *)>>("close");

    QTest::newRow("OK clicked") << std::function<void(TFAbout *)>(
        [](TFAbout *d) { QTest::mouseClick(d->Button1, Qt::LeftButton); });
    QTest::newRow("Space on the focused OK") << std::function<void(TFAbout *)>(
        [](TFAbout *d) { QTest::keyClick(d->Button1, Qt::Key_Space); });
    QTest::newRow("Enter on the focused OK") << std::function<void(TFAbout *)>(
        [](TFAbout *d) { QTest::keyClick(d->Button1, Qt::Key_Return); });
    QTest::newRow("close box") << std::function<void(TFAbout *)>([](TFAbout *d) { d->close(); });
    QTest::newRow("Escape") << std::function<void(TFAbout *)>(
        [](TFAbout *d) { QTest::keyClick(d, Qt::Key_Escape); });
}

void TestAbout::closing()
{
    QFETCH(std::function<void(TFAbout *)>, close);

    TAboutBox box;
    QPointer<TFAbout> shown;
    bool hadFocus = false;
    QTimer closer;
    connect(&closer, &QTimer::timeout, &closer, [&] {
        auto *dialog = qobject_cast<TFAbout *>(QApplication::activeModalWidget());
        if (dialog == nullptr || !dialog->isVisible() || shown) {
            return;
        }
        shown = dialog;
        QApplication::setActiveWindow(dialog);
        hadFocus = dialog->Button1->hasFocus();
        close(dialog);
    });
    closer.start(5);
    box.Execute();

    QVERIFY(shown.isNull());
    QVERIFY(hadFocus);
}

int main(int argc, char *argv[])
{
    Application application(argc, argv);
    application.setTitle(QStringLiteral("KELMO 1.0"));
    TestAbout test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_about.moc"
