#pragma once
// The row of buttons at the foot of a dialog: the buttons to the right, in order.
#include <QHBoxLayout>
#include <QWidget>

#include <initializer_list>

inline QHBoxLayout* RightAlignedButtons(std::initializer_list<QWidget*> buttons)
{
    auto* row = new QHBoxLayout;
    row->addStretch(1);
    for (QWidget* button : buttons)
        row->addWidget(button);
    return row;
}
