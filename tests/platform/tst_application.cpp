#include "application.h"

#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <functional>
#include <stdexcept>

class TestApplication : public QObject
{
    Q_OBJECT

private slots:
    void escapedExceptionIsReportedAndTheLoopGoesOn_data();
    void escapedExceptionIsReportedAndTheLoopGoesOn();
};

void TestApplication::escapedExceptionIsReportedAndTheLoopGoesOn_data()
{
    QTest::addColumn<std::function<void()>>("fail");
    QTest::addColumn<QString>("message");

    QTest::newRow("standard exception")
        << std::function<void()>([] { throw std::runtime_error("Échec de la lecture"); })
        << QString::fromUtf8("Échec de la lecture");
    QTest::newRow("anything else thrown")
        << std::function<void()>([] { throw 42; })
        << QString::fromUtf8("Une erreur inattendue s'est produite.");
}

void TestApplication::escapedExceptionIsReportedAndTheLoopGoesOn()
{
    QFETCH(std::function<void()>, fail);
    QFETCH(QString, message);

    Application *app = Application::instance();
    QVERIFY(app != nullptr);
    app->setTitle(QStringLiteral("KELMO 1.0"));

    QPushButton failing(QStringLiteral("échoue"));
    QPushButton working(QStringLiteral("marche"));
    connect(&failing, &QPushButton::clicked, &failing, [fail] { fail(); });
    int worked = 0;
    connect(&working, &QPushButton::clicked, &working, [&worked] { ++worked; });
    failing.show();
    working.show();

    QString seenTitle;
    QString seenText;
    QTimer closer;
    connect(&closer, &QTimer::timeout, &closer, [&] {
        if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
            seenTitle = box->windowTitle();
            seenText = box->text();
            box->close();
        }
    });
    closer.start(10);

    QTest::mouseClick(&failing, Qt::LeftButton);
    QCOMPARE(seenTitle, QStringLiteral("KELMO 1.0"));
    QCOMPARE(seenText, message);

    QTest::mouseClick(&working, Qt::LeftButton);
    QCOMPARE(worked, 1);
}

int main(int argc, char *argv[])
{
    Application app(argc, argv);
    TestApplication test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_application.moc"
