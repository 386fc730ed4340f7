// The texts of the charts on sheets and slides: titles, subtitles, axis titles, the data
// labels' own texts, and a chart's own data table (its row and column labels). One walk over
// a chart finds its text places in a fixed order; reading and writing both use it, so the
// texts written back land where they were read.
#include "platform/office/OfficeDocument.h"

#include "platform/office/ChartShape.h"
#include "platform/office/UnoSession.h"
#include "platform/office/WorkbookSheets.h"

#include <com/sun/star/beans/XPropertySet.hpp>
#include <com/sun/star/chart2/DataPointCustomLabelFieldType.hpp>
#include <com/sun/star/chart2/XAnyDescriptionAccess.hpp>
#include <com/sun/star/chart2/XChartDocument.hpp>
#include <com/sun/star/chart2/XChartTypeContainer.hpp>
#include <com/sun/star/chart2/XCoordinateSystemContainer.hpp>
#include <com/sun/star/chart2/XDataPointCustomLabelField.hpp>
#include <com/sun/star/chart2/XDataSeriesContainer.hpp>
#include <com/sun/star/chart2/XTitled.hpp>
#include <com/sun/star/container/XIndexAccess.hpp>
#include <com/sun/star/container/XNamed.hpp>
#include <com/sun/star/drawing/XDrawPagesSupplier.hpp>
#include <com/sun/star/drawing/XShapeDescriptor.hpp>
#include <com/sun/star/frame/XModel.hpp>
#include <com/sun/star/util/XModifiable.hpp>

#include <functional>
#include <vector>

namespace office {

namespace {

using css::uno::Any;
using css::uno::Sequence;
using css::uno::UNO_QUERY;
using css::uno::UNO_QUERY_THROW;
using ChartTextKind = OfficeDocument::ChartTextKind;

// One place of a chart that holds a text: what it is, and how to read and write it.
struct TextPlace {
    ChartTextKind kind;
    std::function<QString()> read;
    std::function<void(const QString& text, const QString& fontName)> write;
};

void SetCharFont(const Reference<css::uno::XInterface>& object, const QString& fontName)
{
    Reference<css::beans::XPropertySet> properties(object, UNO_QUERY);
    if (!properties.is() || fontName.isEmpty())
        return;
    const Any font(ToOUString(fontName));
    properties->setPropertyValue("CharFontName", font);
    properties->setPropertyValue("CharFontNameAsian", font);
}

// Each piece of a title's formatted text is a place of its own, so that the pieces keep
// their formatting.
void AddTitle(std::vector<TextPlace>& places, ChartTextKind kind, const Reference<css::uno::XInterface>& owner)
{
    Reference<css::chart2::XTitled> titled(owner, UNO_QUERY);
    if (!titled.is())
        return;
    Reference<css::chart2::XTitle> title = titled->getTitleObject();
    if (!title.is())
        return;
    for (const Reference<css::chart2::XFormattedString>& piece : title->getText()) {
        if (!piece.is())
            continue;
        places.push_back({kind, [piece] { return ToQString(piece->getString()); },
                          [piece](const QString& text, const QString& fontName) {
                              piece->setString(ToOUString(text));
                              SetCharFont(piece, fontName);
                          }});
    }
}

// The data labels of a series' points that carry text of their own (not the values or
// names the label shows from the data).
void AddDataLabels(std::vector<TextPlace>& places, const Reference<css::chart2::XDataSeries>& series)
{
    Reference<css::beans::XPropertySet> seriesProperties(series, UNO_QUERY);
    if (!seriesProperties.is())
        return;
    Sequence<sal_Int32> points;
    seriesProperties->getPropertyValue("AttributedDataPoints") >>= points;
    for (sal_Int32 index : points) {
        Reference<css::beans::XPropertySet> point(series->getDataPointByIndex(index), UNO_QUERY);
        if (!point.is())
            continue;
        Sequence<Reference<css::chart2::XDataPointCustomLabelField>> fields;
        point->getPropertyValue("CustomLabelFields") >>= fields;
        for (sal_Int32 f = 0; f < fields.getLength(); ++f) {
            const Reference<css::chart2::XDataPointCustomLabelField> field = fields[f];
            if (!field.is() || field->getFieldType() != css::chart2::DataPointCustomLabelFieldType_TEXT ||
                field->getDataLabelsRange())
                continue;
            places.push_back({ChartTextKind::DataLabel, [field] { return ToQString(field->getString()); },
                              [field, point, fields](const QString& text, const QString& fontName) {
                                  field->setString(ToOUString(text));
                                  SetCharFont(field, fontName);
                                  // The point takes its fields anew, so that the change is its own.
                                  point->setPropertyValue("CustomLabelFields", Any(fields));
                              }});
        }
    }
}

void AddAxesAndSeries(std::vector<TextPlace>& places, const Reference<css::chart2::XDiagram>& diagram)
{
    Reference<css::chart2::XCoordinateSystemContainer> systems(diagram, UNO_QUERY);
    if (!systems.is())
        return;
    for (const Reference<css::chart2::XCoordinateSystem>& system : systems->getCoordinateSystems()) {
        if (!system.is())
            continue;
        for (sal_Int32 dimension = 0, n = system->getDimension(); dimension < n; ++dimension)
            for (sal_Int32 index = 0, last = system->getMaximumAxisIndexByDimension(dimension); index <= last; ++index)
                AddTitle(places, ChartTextKind::AxisTitle, system->getAxisByDimension(dimension, index));
    }
    for (const Reference<css::chart2::XCoordinateSystem>& system : systems->getCoordinateSystems()) {
        Reference<css::chart2::XChartTypeContainer> types(system, UNO_QUERY);
        if (!types.is())
            continue;
        for (const Reference<css::chart2::XChartType>& type : types->getChartTypes()) {
            Reference<css::chart2::XDataSeriesContainer> seriesList(type, UNO_QUERY);
            if (!seriesList.is())
                continue;
            for (const Reference<css::chart2::XDataSeries>& series : seriesList->getDataSeries())
                if (series.is())
                    AddDataLabels(places, series);
        }
    }
}

// The text labels of one side of a chart's own data table (the levels of each row or
// column); numbers and dates among them stay as they are. All of one side are written in
// one call, after the last of them was set.
void AddDescriptions(std::vector<TextPlace>& places, std::vector<std::function<void()>>& commits,
                     const Reference<css::chart2::XAnyDescriptionAccess>& data, bool rows)
{
    auto descriptions = std::make_shared<Sequence<Sequence<Any>>>(rows ? data->getAnyRowDescriptions()
                                                                       : data->getAnyColumnDescriptions());
    auto changed = std::make_shared<bool>(false);
    for (sal_Int32 i = 0; i < descriptions->getLength(); ++i)
        for (sal_Int32 level = 0; level < (*descriptions)[i].getLength(); ++level) {
            rtl::OUString text;
            if (!((*descriptions)[i][level] >>= text))
                continue;
            places.push_back({rows ? ChartTextKind::DataRowLabel : ChartTextKind::DataColumnLabel,
                              [text] { return ToQString(text); },
                              [descriptions, changed, i, level](const QString& converted, const QString&) {
                                  descriptions->getArray()[i].getArray()[level] <<= ToOUString(converted);
                                  *changed = true;
                              }});
        }
    commits.push_back([data, descriptions, changed, rows] {
        if (!*changed)
            return;
        if (rows)
            data->setAnyRowDescriptions(*descriptions);
        else
            data->setAnyColumnDescriptions(*descriptions);
    });
}

struct ChartPlaces {
    std::vector<TextPlace> places;
    std::vector<std::function<void()>> commits;
};

ChartPlaces TextPlacesOf(const Reference<css::chart2::XChartDocument>& chart)
{
    ChartPlaces result;
    AddTitle(result.places, ChartTextKind::Title, chart);
    Reference<css::chart2::XDiagram> diagram = chart->getFirstDiagram();
    AddTitle(result.places, ChartTextKind::Subtitle, diagram);
    AddAxesAndSeries(result.places, diagram);
    if (chart->hasInternalDataProvider()) {
        Reference<css::chart2::XAnyDescriptionAccess> data(chart->getDataProvider(), UNO_QUERY);
        if (data.is()) {
            AddDescriptions(result.places, result.commits, data, true);
            AddDescriptions(result.places, result.commits, data, false);
        }
    }
    return result;
}

struct ChartShape {
    QString name;
    Reference<css::chart2::XChartDocument> chart;
};

void CollectCharts(const Reference<css::container::XIndexAccess>& shapes, std::vector<ChartShape>& charts);

// The shape of that type when it is a chart, the charts among its members when it is a group.
void CollectChart(const Reference<css::uno::XInterface>& shape, const rtl::OUString& type, std::vector<ChartShape>& charts)
{
    // A group's members are shapes of their own.
    if (type.endsWith("GroupShape")) {
        Reference<css::container::XIndexAccess> members(shape, UNO_QUERY);
        if (members.is())
            CollectCharts(members, charts);
        return;
    }
    // Only an embedded object can be a chart: other shapes cost no more calls.
    if (!type.endsWith("OLE2Shape") && !type.endsWith("ChartShape"))
        return;
    if (!IsChartShape(shape))
        return;
    Reference<css::beans::XPropertySet> properties(shape, UNO_QUERY_THROW);
    Reference<css::chart2::XChartDocument> chart(properties->getPropertyValue("Model"), UNO_QUERY);
    if (!chart.is())
        return;
    Reference<css::container::XNamed> named(shape, UNO_QUERY);
    charts.push_back({named.is() ? ToQString(named->getName()) : QString(), chart});
}

void CollectCharts(const Reference<css::container::XIndexAccess>& shapes, std::vector<ChartShape>& charts)
{
    for (sal_Int32 i = 0, n = shapes->getCount(); i < n; ++i) {
        Reference<css::uno::XInterface> shape(shapes->getByIndex(i), UNO_QUERY);
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
        Reference<css::drawing::XShapeDescriptor> descriptor(shape, UNO_QUERY);
        const rtl::OUString type = descriptor.is() ? descriptor->getShapeType() : rtl::OUString();
#pragma GCC diagnostic pop
        CollectChart(shape, type, charts);
    }
}

std::vector<ChartShape> SheetChartsOf(OfficeDocument::Impl& document, int sheet)
{
    std::vector<ChartShape> charts;
    for (const SheetShape& shape : CachedSheetShapes(document, sheet))
        CollectChart(shape.shape, shape.type, charts);
    return charts;
}

Reference<css::container::XIndexAccess> SlidePage(const Reference<css::lang::XComponent>& component, int slide)
{
    Reference<css::drawing::XDrawPagesSupplier> supplier(component, UNO_QUERY_THROW);
    Reference<css::container::XIndexAccess> slides(supplier->getDrawPages(), UNO_QUERY_THROW);
    return Reference<css::container::XIndexAccess>(slides->getByIndex(slide), UNO_QUERY_THROW);
}

std::vector<ChartShape> ChartsOn(const Reference<css::container::XIndexAccess>& page)
{
    std::vector<ChartShape> charts;
    CollectCharts(page, charts);
    return charts;
}

QList<OfficeDocument::ChartTexts> ReadCharts(const std::vector<ChartShape>& charts)
{
    QList<OfficeDocument::ChartTexts> result;
    for (const ChartShape& shape : charts) {
        OfficeDocument::ChartTexts chart;
        chart.name = shape.name;
        for (const TextPlace& place : TextPlacesOf(shape.chart).places)
            chart.texts.append({place.kind, place.read()});
        result.append(chart);
    }
    return result;
}

void WriteChart(const std::vector<ChartShape>& charts, int index, const QStringList& texts, const QString& fontName)
{
    if (index < 0 || index >= int(charts.size()))
        throw OfficeError(OfficeFailure::CallFailed, QStringLiteral("There is no chart %1").arg(index + 1));
    const Reference<css::chart2::XChartDocument>& chart = charts.at(index).chart;
    const ChartPlaces places = TextPlacesOf(chart);
    if (int(places.places.size()) != texts.size())
        throw OfficeError(OfficeFailure::CallFailed,
                          QStringLiteral("The chart %1 has %2 texts, not %3").arg(charts.at(index).name)
                              .arg(places.places.size()).arg(texts.size()));
    bool changed = false;
    for (int i = 0; i < texts.size(); ++i) {
        const TextPlace& place = places.places.at(i);
        if (place.read() == texts.at(i))
            continue;
        place.write(texts.at(i), fontName);
        changed = true;
    }
    for (const auto& commit : places.commits)
        commit();
    // The chart is a document of its own inside this one: marked changed, it is stored anew
    // with its container.
    Reference<css::util::XModifiable> modifiable(chart, UNO_QUERY);
    if (changed && modifiable.is())
        modifiable->setModified(true);
}

}  // namespace

#define TEZDESK_CHART_CALL(what) \
    if (!IsOpen())               \
        throw OfficeError(OfficeFailure::NotRunning, QStringLiteral("The document is no longer open: ") + Path()); \
    return m_impl->suite->Call(OfficeFailure::CallFailed, QStringLiteral(what " of ") + Path(), [&]

QList<OfficeDocument::ChartTexts> OfficeDocument::SheetCharts(int sheet) const
{
    TEZDESK_CHART_CALL("Charts") { return ReadCharts(SheetChartsOf(*m_impl, sheet)); });
}

QList<OfficeDocument::ChartTexts> OfficeDocument::SlideCharts(int slide) const
{
    TEZDESK_CHART_CALL("Charts") { return ReadCharts(ChartsOn(SlidePage(m_impl->component, slide))); });
}

void OfficeDocument::SetSheetChartTexts(int sheet, int chart, const QStringList& texts, const QString& fontName)
{
    TEZDESK_CHART_CALL("Chart texts") { WriteChart(SheetChartsOf(*m_impl, sheet), chart, texts, fontName); });
}

void OfficeDocument::SetSlideChartTexts(int slide, int chart, const QStringList& texts, const QString& fontName)
{
    TEZDESK_CHART_CALL("Chart texts") { WriteChart(ChartsOn(SlidePage(m_impl->component, slide)), chart, texts, fontName); });
}

#undef TEZDESK_CHART_CALL

}  // namespace office
