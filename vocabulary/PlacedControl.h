#pragma once
// Placing the controls of the vocabulary dialogs, whose geometry is given in twips.
#include "platform/Twips.h"

#include <QString>
#include <QWidget>

// Places a control at left, top, width, height given in twips.
inline void PlaceTwips(QWidget* w, int left, int top, int width, int height)
{
    w->setGeometry(TwipsToPixels(left), TwipsToPixels(top), TwipsToPixels(width), TwipsToPixels(height));
}

// Gives a new control its object name and places it in twips; returns the control.
template <class Control>
Control* Placed(Control* control, const char* name, int left, int top, int width, int height)
{
    control->setObjectName(QString::fromLatin1(name));
    PlaceTwips(control, left, top, width, height);
    return control;
}
