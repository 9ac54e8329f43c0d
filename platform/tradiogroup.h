#pragma once

#include <QGroupBox>
#include <QStringList>

class QButtonGroup;
class QGridLayout;

// A framed group of mutually exclusive choices, laid out in columns, whose state is the
// index of the selected entry (-1 when none is). Click is emitted whenever the selection
// really changes, whether by mouse, by keyboard or through ItemIndex.
class TRadioGroup : public QGroupBox
{
    Q_OBJECT
    Q_PROPERTY(QStringList Items READ Items WRITE setItems)
    Q_PROPERTY(int Columns READ Columns WRITE setColumns)
    Q_PROPERTY(int ItemIndex READ ItemIndex WRITE setItemIndex)

public:
    explicit TRadioGroup(QWidget *parent = nullptr);

    QStringList Items() const { return m_items; }
    void setItems(const QStringList &items);

    int Columns() const { return m_columns; }
    void setColumns(int columns);

    int ItemIndex() const;
    void setItemIndex(int index);

signals:
    void Click();

private:
    void rebuild();

    QStringList m_items;
    int m_columns = 1;
    QButtonGroup *m_group;
    QGridLayout *m_layout;
};
