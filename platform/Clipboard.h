#pragma once
// The clipboard holds Unicode text.
#include <QString>

bool ClipboardHasText();
QString ClipboardGetText();
void ClipboardSetText(const QString& text);
void ClipboardClear();
