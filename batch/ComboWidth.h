#pragma once
// Combos whose items change with another choice keep one width wide enough for every item
// they can hold, so that no item is cut off and the toolbar row does not shift.
#include <QList>

class QComboBox;

// Widens the combo to show the longest of the strings (by string-table id) in full.
void FitComboToStrings(QComboBox* combo, const QList<int>& stringIds);

// The vocabulary combo of the conversion windows: its four possible items.
void FitPhraseConv(QComboBox* cbPhraseConv);
