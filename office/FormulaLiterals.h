#pragma once
// The text literals of a spreadsheet formula: "..." with "" standing for one quote inside.
#include <QStringList>

// The literals' texts, in order, unquoted.
QStringList FormulaLiterals(const QString& formula);
// The formula with its literals replaced, in order, by these texts (quoted again); the rest
// of the formula stays as it was. The count must match FormulaLiterals.
QString WithFormulaLiterals(const QString& formula, const QStringList& literals);
