#include "applicationowned.h"

#include <QApplication>
#include <QPointer>
#include <QTest>
#include <QWidget>

#include <memory>

class TestApplicationOwned : public QObject
{
    Q_OBJECT

private slots:
    void windowsGoWithTheApplication();
};

void TestApplicationOwned::windowsGoWithTheApplication()
{
    // Twice, because a second application object in the same process must do the same.
    for (int round = 0; round < 2; ++round) {
        QPointer<QWidget> kept;
        QPointer<QWidget> shownAndClosed;
        {
            int argc = 1;
            char name[] = "tst_applicationowned";
            char *argv[] = {name, nullptr};
            QApplication application(argc, argv);

            kept = new QWidget;
            GiveToApplication(kept);
            auto early = std::make_unique<QWidget>();
            GiveToApplication(early.get());
            early.reset();
            GiveToApplication(nullptr);
            shownAndClosed = new QWidget;
            GiveToApplication(shownAndClosed);
            shownAndClosed->show();
            shownAndClosed->close();

            QVERIFY(!kept.isNull());
            QVERIFY(!shownAndClosed.isNull());
        }
        QVERIFY(kept.isNull());
        QVERIFY(shownAndClosed.isNull());
    }
}

QTEST_APPLESS_MAIN(TestApplicationOwned)
#include "tst_applicationowned.moc"
