#include "tradiogroup.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QGridLayout>
#include <QRadioButton>

#include <algorithm>
#include <memory>

TRadioGroup::TRadioGroup(QWidget *parent)
    : QGroupBox(parent), m_group(new QButtonGroup(this)), m_layout(new QGridLayout(this))
{
    m_layout->setContentsMargins(8, 2, 8, 2);
    m_layout->setHorizontalSpacing(4);
    m_layout->setVerticalSpacing(0);
    connect(m_group, &QButtonGroup::idToggled, this, [this](int, bool checked) {
        if (checked) {
            emit Click();
        }
    });
}

void TRadioGroup::setItems(const QStringList &items)
{
    if (items == m_items) {
        return;
    }
    m_items = items;
    rebuild();
}

void TRadioGroup::setColumns(int columns)
{
    columns = std::clamp(columns, 1, 16);
    if (columns == m_columns) {
        return;
    }
    m_columns = columns;
    rebuild();
}

int TRadioGroup::ItemIndex() const
{
    return m_group->checkedId();
}

void TRadioGroup::setItemIndex(int index)
{
    if (index == ItemIndex()) {
        return;
    }
    if (QAbstractButton *button = m_group->button(index)) {
        button->setChecked(true);
        return;
    }
    // An exclusive group refuses to uncheck its last checked button, so "no selection"
    // needs the group let go of for a moment.
    if (QAbstractButton *checked = m_group->checkedButton()) {
        m_group->setExclusive(false);
        checked->setChecked(false);
        m_group->setExclusive(true);
    }
}

void TRadioGroup::rebuild()
{
    const int selected = ItemIndex();
    const QList<QAbstractButton *> old = m_group->buttons();
    for (QAbstractButton *button : old) {
        m_group->removeButton(button);
        const std::unique_ptr<QAbstractButton> gone(button);
    }
    const int rows = (static_cast<int>(m_items.size()) + m_columns - 1) / m_columns;
    for (int i = 0; i < m_items.size(); ++i) {
        auto *button = new QRadioButton(m_items.at(i), this);
        m_group->addButton(button, i);
        // Entries run down each column first, then on to the next column.
        m_layout->addWidget(button, rows > 0 ? i % rows : 0, rows > 0 ? i / rows : 0);
    }
    if (QAbstractButton *button = m_group->button(selected)) {
        const QSignalBlocker blocker(m_group);
        button->setChecked(true);
    }
}
