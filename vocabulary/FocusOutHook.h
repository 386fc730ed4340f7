#pragma once
// Runs a handler each time a widget loses the keyboard focus (a control's LostFocus event).
#include <functional>

class QWidget;

void OnFocusOut(QWidget* widget, std::function<void()> handler);
