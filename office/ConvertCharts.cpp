#include "office/ConvertCharts.h"

#include "core/ConvertOptions.h"

#include <functional>

namespace {

using office::OfficeDocument;

// Converts one chart's texts in one call and writes them back when any changed; a text
// whose conversion failed keeps its old text and is noted.
void TransChart(const OfficeDocument::ChartTexts& chart, const QString& where, ConversionFailures& failures,
                const std::function<void(const QStringList&)>& write)
{
    QStringList texts;
    for (const OfficeDocument::ChartText& text : chart.texts)
        texts.append(text.text);
    if (texts.isEmpty())
        return;
    const QStringList converted = ConvertTextsOf(QStringLiteral("chart %1 of %2").arg(chart.name, where), texts, failures);
    if (converted != texts)
        write(converted);
}

}  // namespace

void TransChartObjs(OfficeDocument& book, int sheet, ConversionFailures& failures)
{
    const QList<OfficeDocument::ChartTexts> charts = book.SheetCharts(sheet);
    for (int i = 0; i < charts.size(); ++i) {
        const QString where = QStringLiteral("sheet %1").arg(sheet + 1);
        ConversionStep(failures, QStringLiteral("chart %1 of %2").arg(charts.at(i).name, where), [&] {
            TransChart(charts.at(i), where, failures,
                       [&](const QStringList& texts) { book.SetSheetChartTexts(sheet, i, texts, QString()); });
        });
    }
}

void TransSlideCharts(OfficeDocument& deck, int slide, ConversionFailures& failures)
{
    const QList<OfficeDocument::ChartTexts> charts = deck.SlideCharts(slide);
    for (int i = 0; i < charts.size(); ++i) {
        const QString where = QStringLiteral("slide %1").arg(slide + 1);
        ConversionStep(failures, QStringLiteral("chart %1 of %2").arg(charts.at(i).name, where), [&] {
            TransChart(charts.at(i), where, failures,
                       [&](const QStringList& texts) { deck.SetSlideChartTexts(slide, i, texts, gsConvFontName); });
        });
    }
}
