// The stories of a loaded text document: the body with its tables, every page style's
// headers and footers, the text frames and the drawing shapes' texts; their texts read in
// one guarded call, term replacement in all of them, and their runs' fonts.
#include "platform/office/OfficeDocument.h"

#include "platform/office/EditLock.h"
#include "platform/office/TextStories.h"
#include "platform/office/UnoSession.h"

#include <com/sun/star/beans/XMultiPropertySet.hpp>
#include <com/sun/star/beans/XPropertySet.hpp>
#include <com/sun/star/beans/XPropertySetInfo.hpp>
#include <com/sun/star/container/XEnumeration.hpp>
#include <com/sun/star/container/XEnumerationAccess.hpp>
#include <com/sun/star/container/XIndexAccess.hpp>
#include <com/sun/star/container/XNameAccess.hpp>
#include <com/sun/star/drawing/XDrawPageSupplier.hpp>
#include <com/sun/star/lang/XServiceInfo.hpp>
#include <com/sun/star/style/XStyleFamiliesSupplier.hpp>
#include <com/sun/star/table/XCell.hpp>
#include <com/sun/star/table/XCellRange.hpp>
#include <com/sun/star/text/XText.hpp>
#include <com/sun/star/text/XEndnotesSupplier.hpp>
#include <com/sun/star/text/XFootnotesSupplier.hpp>
#include <com/sun/star/text/XTextCursor.hpp>
#include <com/sun/star/text/XTextDocument.hpp>
#include <com/sun/star/text/XTextFramesSupplier.hpp>
#include <com/sun/star/text/XTextTable.hpp>
#include <com/sun/star/text/XTextTablesSupplier.hpp>
#include <com/sun/star/util/XReplaceable.hpp>
#include <com/sun/star/util/XSearchDescriptor.hpp>

#include <QSet>

#include <algorithm>

#include <tuple>
#include <vector>

namespace office {

namespace {

using css::uno::Any;
using css::uno::Sequence;
using css::uno::UNO_QUERY;
using css::uno::UNO_QUERY_THROW;
using css::text::XText;

bool HasProperty(const Reference<css::beans::XPropertySet>& set, const char* name)
{
    return set->getPropertySetInfo()->hasPropertyByName(rtl::OUString::createFromAscii(name));
}

bool BoolProperty(const Reference<css::beans::XPropertySet>& set, const char* name)
{
    bool value = false;
    if (HasProperty(set, name))
        set->getPropertyValue(rtl::OUString::createFromAscii(name)) >>= value;
    return value;
}

// The same object reached twice comes as the same proxy, so comparing pointers finds it
// without a call into the office for each pair.
void AddText(QList<Reference<XText>>& texts, const Any& value)
{
    Reference<XText> text(value, UNO_QUERY);
    if (text.is() && std::none_of(texts.begin(), texts.end(), [&](const Reference<XText>& t) { return t.get() == text.get(); }))
        texts.append(text);
}

// The headers and footers of every page style that has them: the right (or shared) one, and
// the left and first-page ones where they are kept apart. Each style's switches come in one
// call with its right texts (a style without them gives none), the left and first-page texts
// in one more where they are kept apart.
void AddHeadersAndFooters(const Reference<css::lang::XComponent>& component, QList<Reference<XText>>& texts)
{
    const rtl::OUString firstNames[] = {"HeaderIsOn", "HeaderIsShared", "FooterIsOn", "FooterIsShared", "FirstIsShared",
                                        "HeaderText", "FooterText"};
    const Sequence<rtl::OUString> kFirst(firstNames, std::size(firstNames));
    Reference<css::style::XStyleFamiliesSupplier> families(component, UNO_QUERY_THROW);
    Reference<css::container::XNameAccess> pageStyles(families->getStyleFamilies()->getByName("PageStyles"), UNO_QUERY_THROW);
    for (const rtl::OUString& name : pageStyles->getElementNames()) {
        Reference<css::beans::XMultiPropertySet> style(pageStyles->getByName(name), UNO_QUERY_THROW);
        const Sequence<Any> first = style->getPropertyValues(kFirst);
        const auto isOn = [&](int i) { return first.getLength() > i && first[i] == Any(true); };
        // Per part: its right text, and the names of the left and first-page ones it keeps apart.
        std::vector<std::pair<Any, std::vector<rtl::OUString>>> parts;
        std::vector<rtl::OUString> more;
        for (const auto& [on, shared, textAt, part] : {std::tuple(0, 1, 5, "Header"), std::tuple(2, 3, 6, "Footer")}) {
            if (!isOn(on))
                continue;
            const rtl::OUString p = rtl::OUString::createFromAscii(part);
            std::vector<rtl::OUString> apart;
            if (!isOn(shared))
                apart.push_back(p + "TextLeft");
            if (!isOn(4))
                apart.push_back(p + "TextFirst");
            more.insert(more.end(), apart.begin(), apart.end());
            parts.emplace_back(first.getLength() > textAt ? first[textAt] : Any(), apart);
        }
        Sequence<Any> moreTexts;
        if (!more.empty())
            moreTexts = style->getPropertyValues(Sequence<rtl::OUString>(more.data(), sal_Int32(more.size())));
        sal_Int32 next = 0;
        for (const auto& [text, apart] : parts) {
            AddText(texts, text);
            for (std::size_t k = 0; k < apart.size() && next < moreTexts.getLength(); ++k)
                AddText(texts, moreTexts[next++]);
        }
    }
}

}  // namespace

namespace {

// A drawing shape's text, or, for a group, those of its members at any depth. A shape whose
// text lives in an attached frame is reached through that frame.
void AddShapeText(Stories& stories, const Any& shape)
{
    Reference<css::lang::XServiceInfo> info(shape, UNO_QUERY);
    if (!info.is() || info->supportsService("com.sun.star.text.TextFrame"))
        return;
    if (info->supportsService("com.sun.star.drawing.GroupShape")) {
        Reference<css::container::XIndexAccess> members(shape, UNO_QUERY);
        if (members.is())
            for (sal_Int32 i = 0, n = members->getCount(); i < n; ++i)
                AddShapeText(stories, members->getByIndex(i));
        return;
    }
    Reference<css::beans::XPropertySet> properties(shape, UNO_QUERY);
    if (properties.is() && BoolProperty(properties, "TextBox")) {
        // Its attached frame is not among the document's frames (an Office XML text box).
        if (HasProperty(properties, "TextBoxContent"))
            AddText(stories.replaceable, properties->getPropertyValue("TextBoxContent"));
        return;
    }
    AddText(stories.shapes, shape);
}

void AddNotes(QList<Reference<XText>>& texts, const Reference<css::container::XIndexAccess>& notes)
{
    if (!notes.is())
        return;
    for (sal_Int32 i = 0, n = notes->getCount(); i < n; ++i)
        AddText(texts, notes->getByIndex(i));
}

}  // namespace

Stories StoriesOf(const Reference<css::lang::XComponent>& component)
{
    Stories stories;
    Reference<css::text::XTextDocument> document(component, UNO_QUERY_THROW);
    stories.replaceable.append(document->getText());
    AddHeadersAndFooters(component, stories.replaceable);

    // Every question costs a call into the office: an empty collection is asked no more.
    Reference<css::text::XTextFramesSupplier> framesSupplier(component, UNO_QUERY_THROW);
    const Reference<css::container::XNameAccess> frameNames = framesSupplier->getTextFrames();
    if (frameNames->hasElements()) {
        Reference<css::container::XIndexAccess> frames(frameNames, UNO_QUERY_THROW);
        for (sal_Int32 i = 0, n = frames->getCount(); i < n; ++i)
            AddText(stories.replaceable, frames->getByIndex(i));
    }

    // A text document's one drawing page holds its shapes (the interface is marked
    // deprecated for drawings, not for text documents).
    Reference<css::drawing::XDrawPageSupplier> pageSupplier(component, UNO_QUERY_THROW);
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    Reference<css::container::XIndexAccess> shapes(pageSupplier->getDrawPage(), UNO_QUERY_THROW);
#pragma GCC diagnostic pop
    for (sal_Int32 i = 0, n = shapes->getCount(); i < n; ++i)
        AddShapeText(stories, shapes->getByIndex(i));

    Reference<css::text::XFootnotesSupplier> footnotes(component, UNO_QUERY);
    if (footnotes.is())
        AddNotes(stories.notes, footnotes->getFootnotes());
    Reference<css::text::XEndnotesSupplier> endnotes(component, UNO_QUERY);
    if (endnotes.is())
        AddNotes(stories.notes, endnotes->getEndnotes());

    Reference<css::text::XTextTablesSupplier> tablesSupplier(component, UNO_QUERY_THROW);
    const Reference<css::container::XNameAccess> tableNames = tablesSupplier->getTextTables();
    if (tableNames->hasElements()) {
        Reference<css::container::XIndexAccess> tables(tableNames, UNO_QUERY_THROW);
        for (sal_Int32 i = 0, n = tables->getCount(); i < n; ++i)
            stories.tables.append(Reference<css::text::XTextTable>(tables->getByIndex(i), UNO_QUERY_THROW));
    }
    return stories;
}

const Stories& StoriesOf(OfficeDocument::Impl& document)
{
    if (!document.stories)
        document.stories = std::make_shared<const Stories>(StoriesOf(document.component));
    return *document.stories;
}

QList<Reference<XText>> CellTexts(const Reference<css::text::XTextTable>& table)
{
    QList<Reference<XText>> cells;
    for (const rtl::OUString& name : table->getCellNames())
        cells.append(Reference<XText>(table->getCellByName(name), UNO_QUERY_THROW));
    return cells;
}

namespace {

// Every story's text, each table cell as one text of its own.
QStringList StoryTexts(const Stories& stories)
{
    QStringList texts;
    for (const auto* list : {&stories.replaceable, &stories.shapes})
        for (const Reference<XText>& text : *list)
            texts.append(ToQString(text->getString()));
    for (const Reference<css::text::XTextTable>& table : stories.tables)
        for (const Reference<XText>& cell : CellTexts(table))
            texts.append(ToQString(cell->getString()));
    return texts;
}

// The Western and the Asian font in one call.
void SetFont(const Reference<css::beans::XMultiPropertySet>& properties, const QString& fontName)
{
    const rtl::OUString names[] = {"CharFontName", "CharFontNameAsian"};
    const Any font(ToOUString(fontName));
    const Any values[] = {font, font};
    properties->setPropertyValues(Sequence<rtl::OUString>(names, 2), Sequence<Any>(values, 2));
}

// A cursor made over the whole text selects all of it.
void SetWholeTextFont(const Reference<XText>& text, const QString& fontName)
{
    SetFont(Reference<css::beans::XMultiPropertySet>(text->createTextCursorByRange(Reference<css::text::XTextRange>(text.get())), UNO_QUERY_THROW),
            fontName);
}

// A table's cells in one call through its whole range; cell by cell when the table is not
// one rectangle (merged or split cells).
void SetTableFont(const Reference<css::text::XTextTable>& table, const QString& fontName)
{
    const auto names = table->getCellNames();
    if (names.getLength() == 0)
        return;
    try {
        Reference<css::table::XCellRange> range(table, UNO_QUERY_THROW);
        const rtl::OUString whole = names[0] + ":" + names[names.getLength() - 1];
        SetFont(Reference<css::beans::XMultiPropertySet>(range->getCellRangeByName(whole), UNO_QUERY_THROW), fontName);
    } catch (const css::uno::RuntimeException&) {
        for (const Reference<XText>& cell : CellTexts(table))
            SetWholeTextFont(cell, fontName);
    }
}

// The fonts of a text's runs that hold text, tables' cells included.
void CollectRunFonts(const Reference<XText>& text, QSet<QString>& fonts)
{
    Reference<css::container::XEnumerationAccess> access(text, UNO_QUERY_THROW);
    Reference<css::container::XEnumeration> paragraphs = access->createEnumeration();
    while (paragraphs->hasMoreElements()) {
        const Any element = paragraphs->nextElement();
        Reference<css::text::XTextTable> table(element, UNO_QUERY);
        if (table.is()) {
            for (const Reference<XText>& cell : CellTexts(table))
                CollectRunFonts(cell, fonts);
            continue;
        }
        Reference<css::container::XEnumerationAccess> paragraph(element, UNO_QUERY);
        if (!paragraph.is())
            continue;
        Reference<css::container::XEnumeration> runs = paragraph->createEnumeration();
        while (runs->hasMoreElements()) {
            Reference<css::text::XTextRange> run(runs->nextElement(), UNO_QUERY);
            if (!run.is() || run->getString().isEmpty())
                continue;
            Reference<css::beans::XPropertySet> properties(run, UNO_QUERY_THROW);
            rtl::OUString western, asian;
            properties->getPropertyValue("CharFontName") >>= western;
            properties->getPropertyValue("CharFontNameAsian") >>= asian;
            fonts.insert(ToQString(western) + QLatin1Char('|') + ToQString(asian));
        }
    }
}

}  // namespace

#define TEZDESK_TEXT_DOCUMENT_CALL(what) \
    if (!IsOpen())                       \
        throw OfficeError(OfficeFailure::NotRunning, QStringLiteral("The document is no longer open: ") + Path()); \
    return m_impl->suite->Call(OfficeFailure::CallFailed, QStringLiteral(what " of ") + Path(), [&]

QStringList OfficeDocument::StoryTexts() const
{
    TEZDESK_TEXT_DOCUMENT_CALL("Story texts") { return office::StoryTexts(StoriesOf(*m_impl)); });
}

int OfficeDocument::ReplaceInStories(const QList<std::pair<QString, QString>>& replacements)
{
    TEZDESK_TEXT_DOCUMENT_CALL("Replace in stories") {
        const Stories& stories = StoriesOf(*m_impl);
        // The texts as the replacements change them, so that a search text found nowhere
        // costs no call into the office.
        QStringList texts = office::StoryTexts(stories);
        QStringList shapeTexts;
        for (const Reference<XText>& shape : stories.shapes)
            shapeTexts.append(ToQString(shape->getString()));
        const QStringList originalShapeTexts = shapeTexts;
        Reference<css::util::XReplaceable> replaceable(m_impl->component, UNO_QUERY_THROW);
        Reference<css::util::XReplaceDescriptor> descriptor = replaceable->createReplaceDescriptor();
        Reference<css::beans::XPropertySet>(descriptor, UNO_QUERY_THROW)->setPropertyValue("SearchCaseSensitive", Any(true));
        int replaced = 0;
        for (const auto& [search, replacement] : replacements) {
            if (search.isEmpty())
                continue;
            bool found = false;
            for (QString& text : texts)
                if (text.contains(search)) {
                    text.replace(search, replacement);
                    found = true;
                }
            if (!found)
                continue;
            for (QString& text : shapeTexts) {
                replaced += int(text.count(search));
                text.replace(search, replacement);
            }
            descriptor->setSearchString(ToOUString(search));
            descriptor->setReplaceString(ToOUString(replacement));
            replaced += int(replaceable->replaceAll(Reference<css::util::XSearchDescriptor>(descriptor, UNO_QUERY_THROW)));
        }
        // A shape's own text is written back whole, once, when it changed.
        for (int i = 0; i < shapeTexts.size(); ++i)
            if (shapeTexts.at(i) != originalShapeTexts.at(i))
                stories.shapes.at(i)->setString(ToOUString(shapeTexts.at(i)));
        return replaced;
    });
}

void OfficeDocument::SetStoriesFont(const QString& fontName)
{
    TEZDESK_TEXT_DOCUMENT_CALL("Fonts") {
        const EditLock lock(m_impl->component);
        const Stories& stories = StoriesOf(*m_impl);
        for (const auto* list : {&stories.replaceable, &stories.shapes, &stories.notes})
            for (const Reference<XText>& text : *list)
                SetWholeTextFont(text, fontName);
        for (const Reference<css::text::XTextTable>& table : stories.tables)
            SetTableFont(table, fontName);
    });
}

QStringList OfficeDocument::StoryRunFonts() const
{
    TEZDESK_TEXT_DOCUMENT_CALL("Run fonts") {
        const Stories& stories = StoriesOf(*m_impl);
        QSet<QString> fonts;
        for (const auto* list : {&stories.replaceable, &stories.shapes, &stories.notes})
            for (const Reference<XText>& text : *list)
                CollectRunFonts(text, fonts);
        QStringList sorted(fonts.begin(), fonts.end());
        sorted.sort();
        return sorted;
    });
}

#undef TEZDESK_TEXT_DOCUMENT_CALL

}  // namespace office
