#pragma once
// What the workbook and presentation converters share: the failures met while converting
// one document (the conversion goes on after each), a step run under that rule, and the
// progress dialog's bar.
#include "core/dlgProgress.h"
#include "office/ConvertTexts.h"
#include "platform/office/OfficeDocument.h"
#include "platform/office/OfficeError.h"

#include <QLabel>
#include <QProgressBar>
#include <QStringList>

struct ConversionFailures {
    QStringList objects;
    void Add(const QString& object, const QString& why) { objects.append(object + QStringLiteral(": ") + why); }
};

// The texts of an object converted (ConvertTexts); how many failed is noted for the object.
inline QStringList ConvertTextsOf(const QString& object, const QStringList& texts, ConversionFailures& failures)
{
    int failed = 0;
    QStringList converted = ConvertTexts(texts, failed);
    if (failed > 0)
        failures.Add(object, QStringLiteral("%1 texts not converted").arg(failed));
    return converted;
}

// One text of an object converted into converted; false (noted for the object) when it failed.
inline bool ConvertTextOf(const QString& object, const QString& text, QString& converted, ConversionFailures& failures)
{
    int failed = 0;
    converted = ConvertTexts({text}, failed).value(0);
    if (failed > 0)
        failures.Add(object, QStringLiteral("not converted"));
    return failed == 0;
}

// Runs one step of a conversion; an office failure is noted and the conversion goes on.
template <class F>
void ConversionStep(ConversionFailures& failures, const QString& object, F&& step)
{
    try {
        step();
    } catch (const office::OfficeError& e) {
        failures.Add(object, e.message());
    }
}

inline void ShowConversionProgress(DlgProgress& progress, const QString& source, int value)
{
    progress.labFile->setText(source);
    progress.ProgressBar1->setRange(0, 100);
    progress.ProgressBar1->setValue(value);
    progress.show();
    progress.repaint();
}

// The document's built-in text properties, each converted.
inline void ConvertTextProperties(office::OfficeDocument& document, ConversionFailures& failures)
{
    const QStringList values = document.TextProperties();
    int failed = 0;
    const QStringList converted = ConvertTexts(values, failed);
    if (failed > 0)
        failures.Add(QStringLiteral("document properties"), QStringLiteral("not converted"));
    if (converted != values)
        document.SetTextProperties(converted);
}
