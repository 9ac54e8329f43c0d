#include "tradiogroup.h"

#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>

class TestRadioGroup : public QObject
{
    Q_OBJECT

private slots:
    void twoColumnsStandSideBySide();
    void itemIndexFollowsTheSelection();
    void clickOnlyWhenTheSelectionChanges();
    void arrowKeysMoveTheSelection();

private:
    static QList<QRadioButton *> buttons(const TRadioGroup &group)
    {
        return group.findChildren<QRadioButton *>();
    }
};

void TestRadioGroup::twoColumnsStandSideBySide()
{
    TRadioGroup group;
    group.setGeometry(0, 0, 161, 57);
    group.setItems({QStringLiteral("Masculin"), QStringLiteral("Feminin")});
    group.setColumns(2);
    group.show();
    QVERIFY(QTest::qWaitForWindowExposed(&group));

    const auto b = buttons(group);
    QCOMPARE(b.size(), 2);
    QCOMPARE(b[0]->text(), QStringLiteral("Masculin"));
    QCOMPARE(b[0]->y(), b[1]->y());
    QVERIFY(b[0]->geometry().right() < b[1]->x());
    for (QRadioButton *button : b) {
        QVERIFY(group.rect().contains(button->geometry()));
        QVERIFY(button->sizeHint().width() <= button->width());
    }
}

void TestRadioGroup::itemIndexFollowsTheSelection()
{
    TRadioGroup group;
    group.setItems({QStringLiteral("a"), QStringLiteral("b")});
    QCOMPARE(group.ItemIndex(), -1);
    group.setItemIndex(1);
    QCOMPARE(group.ItemIndex(), 1);
    QVERIFY(buttons(group).at(1)->isChecked());

    group.setItemIndex(-1);
    QCOMPARE(group.ItemIndex(), -1);
    group.setItemIndex(7);
    QCOMPARE(group.ItemIndex(), -1);

    // A new list keeps the selection where it still exists.
    group.setItemIndex(0);
    group.setItems({QStringLiteral("x"), QStringLiteral("y"), QStringLiteral("z")});
    QCOMPARE(group.ItemIndex(), 0);
    QCOMPARE(buttons(group).size(), 3);
}

void TestRadioGroup::clickOnlyWhenTheSelectionChanges()
{
    TRadioGroup group;
    group.setItems({QStringLiteral("a"), QStringLiteral("b")});
    group.setItemIndex(0);
    group.show();
    QVERIFY(QTest::qWaitForWindowExposed(&group));
    QSignalSpy clicks(&group, &TRadioGroup::Click);

    const auto b = buttons(group);
    QTest::mouseClick(b[0], Qt::LeftButton);
    QCOMPARE(clicks.size(), 0);
    QTest::mouseClick(b[1], Qt::LeftButton);
    QCOMPARE(clicks.size(), 1);
    QCOMPARE(group.ItemIndex(), 1);
    QTest::mouseClick(b[1], Qt::LeftButton);
    QCOMPARE(clicks.size(), 1);
}

void TestRadioGroup::arrowKeysMoveTheSelection()
{
    TRadioGroup group;
    group.setItems({QStringLiteral("a"), QStringLiteral("b")});
    group.setColumns(2);
    group.setItemIndex(0);
    group.show();
    QVERIFY(QTest::qWaitForWindowExposed(&group));
    QSignalSpy clicks(&group, &TRadioGroup::Click);

    buttons(group).at(0)->setFocus();
    QTest::keyClick(buttons(group).at(0), Qt::Key_Right);
    QCOMPARE(group.ItemIndex(), 1);
    QCOMPARE(clicks.size(), 1);
}

QTEST_MAIN(TestRadioGroup)
#include "tst_tradiogroup.moc"
