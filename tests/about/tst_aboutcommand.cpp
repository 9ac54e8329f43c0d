#include "_kelmo.h"
#include "about.h"
#include "system.h"
#include "tfabout.h"

#include <QPointer>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <QWindow>

namespace {

void clickThroughWindow(QWidget *widget)
{
    QWindow *window = widget->window()->windowHandle();
    const QPoint at = widget->mapTo(widget->window(), widget->rect().center());
    QTest::mouseClick(window, Qt::LeftButton, Qt::NoModifier, at);
}

} // namespace

// The main window's About command, as a person uses it.
class TestAboutCommand : public QObject
{
    Q_OBJECT

private slots:
    void cleanup();
    void aboutCommandShowsTheDialogModally();
};

void TestAboutCommand::cleanup()
{
    seams::messageBeep = nullptr;
    seams::globalMemoryStatus = nullptr;
    seams::localeThousandSeparator = nullptr;
}

void TestAboutCommand::aboutCommandShowsTheDialogModally()
{
    int beeps = 0;
    seams::messageBeep = [&beeps](UINT) {
        ++beeps;
        return true;
    };
    seams::globalMemoryStatus = [](MEMORYSTATUS &status) {
        status.dwTotalPhys = 536870912;
        status.dwMemoryLoad = 93;
    };
    seams::localeThousandSeparator = [] { return QStringLiteral(" "); };

    TForm1 form;
    QCOMPARE(form.AboutBox1->objectName(), QStringLiteral("AboutBox1"));
    QCOMPARE(form.AboutBox1->parent(), &form);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    const QStringList before{form.edPmin->text(), form.edTmax->text(),
                             form.ComboBox1->currentText()};
    auto *feminin = form.RadioGroup1->findChildren<QRadioButton *>().value(1);
    QVERIFY(feminin != nullptr);

    QPointer<TFAbout> shown;
    QStringList texts;
    bool feminineTakenWhileOpen = true;
    QTimer watcher;
    connect(&watcher, &QTimer::timeout, &watcher, [&] {
        auto *dialog = qobject_cast<TFAbout *>(QApplication::activeModalWidget());
        if (dialog == nullptr || !dialog->isVisible() || shown) {
            return;
        }
        shown = dialog;
        for (QLabel *label : {dialog->Label1, dialog->Label2, dialog->Label3, dialog->lblPhysMem,
                              dialog->lblPhysRes}) {
            texts << label->text();
        }
        // A click on the main window goes nowhere while the dialog is open. It is sent to the
        // window as the window system would send it, so that it meets the modal block.
        clickThroughWindow(feminin);
        feminineTakenWhileOpen = feminin->isChecked();
        QTest::mouseClick(dialog->Button1, Qt::LeftButton);
    });
    watcher.start(5);

    form.Aproposde1->trigger();

    QVERIFY(shown.isNull());
    QCOMPARE(texts, QStringList({QStringLiteral("KELMO"), QStringLiteral("Version 1.0"),
                                 QString::fromUtf8("Copyright © 2026 l'équipe KELMO"),
                                 QString::fromUtf8("Mémoire physique totale : 524 288 Ko"),
                                 QString::fromUtf8("Ressources système      : 7% libre.")}));
    QVERIFY(!feminineTakenWhileOpen);
    QCOMPARE(beeps, 1);

    // Afterwards the window is as it was, and takes input again.
    QCOMPARE(QStringList({form.edPmin->text(), form.edTmax->text(), form.ComboBox1->currentText()}),
             before);
    clickThroughWindow(feminin);
    QVERIFY(feminin->isChecked());
}

QTEST_MAIN(TestAboutCommand)
#include "tst_aboutcommand.moc"
