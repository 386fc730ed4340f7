#pragma once
// The texts of the charts on a sheet or a slide, converted with the shared conversion
// parameters: titles, subtitles, axis titles, the data labels' own texts and the labels of a
// chart's own data table. Texts that come from cells are the cells' and left to them.
#include "office/ConversionSteps.h"

// Every chart of the worksheet (chart objects and chart shapes); workbook charts get no font.
void TransChartObjs(office::OfficeDocument& book, int sheet, ConversionFailures& failures);
// Every chart embedded in the slide, with its data table; converted texts get the output font.
void TransSlideCharts(office::OfficeDocument& deck, int slide, ConversionFailures& failures);
