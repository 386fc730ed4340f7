#include "office/FormulaLiterals.h"

#include <functional>

namespace {

constexpr QChar kQuote(u'"');

// Walks the formula: outside literals every character goes to outside, each literal's
// unquoted text to literal. An unclosed literal runs to the end.
void Walk(const QString& formula, const std::function<void(QChar)>& outside, const std::function<void(const QString&)>& literal)
{
    for (qsizetype i = 0; i < formula.size(); ++i) {
        if (formula.at(i) != kQuote) {
            outside(formula.at(i));
            continue;
        }
        QString text;
        ++i;
        for (; i < formula.size(); ++i) {
            if (formula.at(i) == kQuote) {
                if (i + 1 < formula.size() && formula.at(i + 1) == kQuote) {
                    text += kQuote;
                    ++i;
                    continue;
                }
                break;
            }
            text += formula.at(i);
        }
        literal(text);
    }
}

}  // namespace

QStringList FormulaLiterals(const QString& formula)
{
    QStringList literals;
    Walk(formula, [](QChar) {}, [&](const QString& text) { literals.append(text); });
    return literals;
}

QString WithFormulaLiterals(const QString& formula, const QStringList& literals)
{
    QString result;
    qsizetype next = 0;
    Walk(formula, [&](QChar c) { result += c; }, [&](const QString& text) {
        QString replacement = next < literals.size() ? literals.at(next) : text;
        ++next;
        replacement.replace(kQuote, QStringLiteral("\"\""));
        result += kQuote + replacement + kQuote;
    });
    return result;
}
