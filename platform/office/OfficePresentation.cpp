// The pages of a presentation beyond its slides' top shapes: masters, their notes pages and
// the handout master; the members of groups at any depth; every cell of a table. A page's
// texts are read in one guarded call and its changes written in one more.
#include "platform/office/ChangedSpans.h"
#include "platform/office/OfficeDocument.h"

#include "platform/office/TextSpans.h"
#include "platform/office/UnoSession.h"

#include <com/sun/star/beans/XMultiPropertySet.hpp>
#include <com/sun/star/beans/XPropertySet.hpp>
#include <com/sun/star/container/XIndexAccess.hpp>
#include <com/sun/star/container/XNamed.hpp>
#include <com/sun/star/drawing/XDrawPage.hpp>
#include <com/sun/star/drawing/XDrawPagesSupplier.hpp>
#include <com/sun/star/drawing/XMasterPagesSupplier.hpp>
#include <com/sun/star/drawing/XShape.hpp>
#include <com/sun/star/drawing/XShapeGroup.hpp>
#include <com/sun/star/drawing/XShapeGrouper.hpp>
#include <com/sun/star/presentation/XHandoutMasterSupplier.hpp>
#include <com/sun/star/presentation/XPresentationPage.hpp>
#include <com/sun/star/table/XTable.hpp>
#include <com/sun/star/text/XText.hpp>
#include <com/sun/star/text/XTextCursor.hpp>

#include <algorithm>
#include <map>
#include <set>
#include <utility>
#include <vector>

namespace office {

namespace {

using css::uno::UNO_QUERY;
using css::uno::UNO_QUERY_THROW;
using PageId = OfficeDocument::PageId;
using PageKind = OfficeDocument::PageKind;
using PageText = OfficeDocument::PageText;

Reference<css::drawing::XDrawPage> NotesOf(const Reference<css::drawing::XDrawPage>& page)
{
    return Reference<css::presentation::XPresentationPage>(page, UNO_QUERY_THROW)->getNotesPage();
}

}  // namespace

// The pages of one presentation as they were found, each looked up in the office once.
struct PresentationPages {
    Reference<css::container::XIndexAccess> slides;
    Reference<css::container::XIndexAccess> masters;
    std::map<std::pair<int, int>, Reference<css::drawing::XDrawPage>> pages;
    // The slides whose last text walk met no chart or other embedded object.
    std::set<int> slidesWithoutObjects;
};

namespace {

PresentationPages& PagesOf(OfficeDocument::Impl& document)
{
    if (!document.presentationPages)
        document.presentationPages = std::make_shared<PresentationPages>();
    return *document.presentationPages;
}

const Reference<css::container::XIndexAccess>& Slides(OfficeDocument::Impl& document)
{
    PresentationPages& pages = PagesOf(document);
    if (!pages.slides.is())
        pages.slides.set(Reference<css::drawing::XDrawPagesSupplier>(document.component, UNO_QUERY_THROW)->getDrawPages(),
                         UNO_QUERY_THROW);
    return pages.slides;
}

const Reference<css::container::XIndexAccess>& Masters(OfficeDocument::Impl& document)
{
    PresentationPages& pages = PagesOf(document);
    if (!pages.masters.is())
        pages.masters.set(
            Reference<css::drawing::XMasterPagesSupplier>(document.component, UNO_QUERY_THROW)->getMasterPages(),
            UNO_QUERY_THROW);
    return pages.masters;
}

Reference<css::drawing::XDrawPage> FindPage(OfficeDocument::Impl& document, PageId page)
{
    Reference<css::drawing::XDrawPage> result;
    switch (page.kind) {
    case PageKind::Slide:
    case PageKind::SlideNotes:
        Slides(document)->getByIndex(page.index) >>= result;
        break;
    case PageKind::Master:
    case PageKind::MasterNotes:
        Masters(document)->getByIndex(page.index) >>= result;
        break;
    case PageKind::HandoutMaster:
        result = Reference<css::presentation::XHandoutMasterSupplier>(document.component, UNO_QUERY_THROW)
                     ->getHandoutMasterPage();
        break;
    }
    if (result.is() && (page.kind == PageKind::SlideNotes || page.kind == PageKind::MasterNotes))
        result = NotesOf(result);
    if (!result.is())
        throw css::uno::RuntimeException("no such page");
    return result;
}

// The page, looked up in the office the first time only.
Reference<css::drawing::XDrawPage> PageOf(OfficeDocument::Impl& document, PageId page)
{
    const std::pair<int, int> key{int(page.kind), page.kind == PageKind::HandoutMaster ? 0 : page.index};
    PresentationPages& pages = PagesOf(document);
    const auto found = pages.pages.find(key);
    if (found != pages.pages.end())
        return found->second;
    Reference<css::drawing::XDrawPage> result = FindPage(document, page);
    pages.pages.emplace(key, result);
    return result;
}

Reference<css::drawing::XShape> ShapeAt(const Reference<css::container::XIndexAccess>& shapes, sal_Int32 index)
{
    Reference<css::drawing::XShape> shape;
    shapes->getByIndex(index) >>= shape;
    return shape;
}

// The shape's type name (read through the descriptor interface, marked deprecated and still
// the one that names a shape's type).
QString ShapeTypeOf(const Reference<css::drawing::XShape>& shape)
{
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    return ToQString(shape->getShapeType());
#pragma GCC diagnostic pop
}

Reference<css::table::XTable> TableOf(const Reference<css::drawing::XShape>& shape)
{
    return Reference<css::table::XTable>(
        Reference<css::beans::XPropertySet>(shape, UNO_QUERY_THROW)->getPropertyValue("Model"), UNO_QUERY_THROW);
}

// The shape's type code; embedded objects (charts among them) and groups by their own codes,
// a shape of the presentation's layout as a placeholder.
int PresentationTypeCode(const QString& type, const Reference<css::drawing::XShape>& shape)
{
    if (type.endsWith(QLatin1String("TableShape")))
        return OfficeDocument::kShapeTable;
    const int code = TypeCodeOfShapeType(type, shape);
    if (code == kShapeChart || code == kShapeEmbeddedOLEObject || code == kShapeGroup)
        return code;
    if (type.startsWith(QLatin1String("com.sun.star.presentation.")))
        return OfficeDocument::kShapePlaceholder;
    return code;
}

// A text found on a page, with the office's object that holds it.
struct FoundText {
    PageText where;
    Reference<css::text::XText> text;
};

// What a walk over a page finds: its texts and the groups lying directly on it.
struct PageFinds {
    std::vector<FoundText> texts;
    std::vector<Reference<css::drawing::XShapeGroup>> groups;
    bool objects = false;  // a chart or another embedded object met
};

void AppendText(const Reference<css::uno::XInterface>& object, const PageText& where, PageFinds& finds)
{
    Reference<css::text::XText> text(object, UNO_QUERY);
    if (!text.is())
        return;
    FoundText found{where, text};
    found.where.text = ToQString(text->getString());
    if (!found.where.text.isEmpty())
        finds.texts.push_back(std::move(found));
}

// The texts of the shapes from first up to (not including) last, at any depth.
void CollectTexts(const Reference<css::container::XIndexAccess>& shapes, sal_Int32 first, sal_Int32 last,
                  const QList<int>& path, PageFinds& finds)
{
    for (sal_Int32 i = first; i < last; ++i) {
        const Reference<css::drawing::XShape> shape = ShapeAt(shapes, i);
        if (!shape.is())
            continue;
        PageText where;
        where.path = path;
        where.path.append(int(i));
        const QString type = ShapeTypeOf(shape);
        where.typeCode = PresentationTypeCode(type, shape);
        switch (where.typeCode) {
        case kShapeChart:
        case kShapeEmbeddedOLEObject:
            finds.objects = true;
            break;
        case kShapeFormControl:
            break;
        case kShapeGroup: {
            if (path.isEmpty())
                finds.groups.emplace_back(shape, UNO_QUERY_THROW);
            const Reference<css::container::XIndexAccess> members(shape, UNO_QUERY_THROW);
            CollectTexts(members, 0, members->getCount(), where.path, finds);
            break;
        }
        case OfficeDocument::kShapeTable: {
            const Reference<css::table::XTable> table = TableOf(shape);
            for (sal_Int32 row = 0, rows = table->getRowCount(); row < rows; ++row)
                for (sal_Int32 column = 0, columns = table->getColumnCount(); column < columns; ++column) {
                    where.row = int(row);
                    where.column = int(column);
                    AppendText(table->getCellByPosition(column, row), where, finds);
                }
            break;
        }
        default:
            AppendText(shape, where, finds);
        }
    }
}

// Gives a text the font, Western and Asian, in one call where the text takes both at once.
void SetTextFont(const Reference<css::text::XText>& text, const QString& fontName)
{
    Reference<css::beans::XMultiPropertySet> properties(text, UNO_QUERY);
    if (!properties.is()) {
        SetFont(text, fontName);
        return;
    }
    const rtl::OUString names[] = {"CharFontName", "CharFontNameAsian"};
    const css::uno::Any font(ToOUString(fontName));
    const css::uno::Any values[] = {font, font};
    properties->setPropertyValues(css::uno::Sequence<rtl::OUString>(names, 2), css::uno::Sequence<css::uno::Any>(values, 2));
}

// Writes a changed text stretch by stretch (before: the text as read; convert converts the
// text once more where it holds fields) and gives it the font.
void WriteText(const Reference<css::text::XText>& text, const QString& before, const PageText& change,
               const QString& fontName, const TextConversion& convert = {})
{
    if (change.leave)
        return;
    if (!change.text.isNull())
        WriteConvertedText(text, before, change.text, convert);
    if (!fontName.isEmpty())
        SetTextFont(text, fontName);
}

void WriteText(const Reference<css::text::XText>& text, TextModel model, const QString& before, const PageText& change,
               const QString& fontName, const TextConversion& convert)
{
    if (change.leave)
        return;
    if (!change.text.isNull())
        WriteConvertedText(text, std::move(model), before, change.text, convert);
    if (!fontName.isEmpty())
        SetTextFont(text, fontName);
}

// Shapes read and written in one guarded call by RewritePageTexts: enough that the guard's
// own cost does not count, few enough that no call comes near the office's time limit.
constexpr sal_Int32 kShapesPerCall = 200;

// The text at the place a PageText names.
Reference<css::text::XText> TextAt(const Reference<css::drawing::XDrawPage>& page, const PageText& where)
{
    Reference<css::container::XIndexAccess> shapes(page, UNO_QUERY_THROW);
    Reference<css::drawing::XShape> shape;
    for (int k = 0; k < where.path.size(); ++k) {
        shape = ShapeAt(shapes, where.path.at(k));
        if (k + 1 < where.path.size())
            shapes = Reference<css::container::XIndexAccess>(shape, UNO_QUERY_THROW);
    }
    if (where.row >= 0)
        return Reference<css::text::XText>(TableOf(shape)->getCellByPosition(where.column, where.row), UNO_QUERY_THROW);
    return Reference<css::text::XText>(shape, UNO_QUERY_THROW);
}

}  // namespace

#define TEZDESK_DOCUMENT_CALL(what)                                                                                  \
    if (!IsOpen())                                                                                                   \
        throw OfficeError(OfficeFailure::NotRunning, QStringLiteral("The document is no longer open: ") + Path()); \
    return m_impl->suite->Call(OfficeFailure::CallFailed, what + QStringLiteral(" of ") + Path(), [&]

int OfficeDocument::MasterCount() const
{
    TEZDESK_DOCUMENT_CALL(QStringLiteral("Masters")) { return int(Masters(*m_impl)->getCount()); });
}

QString OfficeDocument::SlideName(int slide) const
{
    TEZDESK_DOCUMENT_CALL(QStringLiteral("Slide name")) {
        return ToQString(Reference<css::container::XNamed>(PageOf(*m_impl, {PageKind::Slide, slide}), UNO_QUERY_THROW)
                             ->getName());
    });
}

void OfficeDocument::SetSlideName(int slide, const QString& name)
{
    TEZDESK_DOCUMENT_CALL(QStringLiteral("Slide name")) {
        Reference<css::container::XNamed>(PageOf(*m_impl, {PageKind::Slide, slide}), UNO_QUERY_THROW)
            ->setName(ToOUString(name));
    });
}

QList<OfficeDocument::PageText> OfficeDocument::PageTexts(PageId page) const
{
    TEZDESK_DOCUMENT_CALL(QStringLiteral("Texts of ") + PageName(page)) {
        const Reference<css::container::XIndexAccess> shapes(PageOf(*m_impl, page), UNO_QUERY_THROW);
        PageFinds finds;
        CollectTexts(shapes, 0, shapes->getCount(), {}, finds);
        QList<PageText> texts;
        for (const FoundText& found : finds.texts)
            texts.append(found.where);
        return texts;
    });
}

void OfficeDocument::RewritePageTexts(PageId page, const std::function<void(QList<PageText>&)>& rewrite,
                                      const QString& fontName, bool dissolveGroups)
{
    if (!IsOpen())
        throw OfficeError(OfficeFailure::NotRunning, QStringLiteral("The document is no longer open: ") + Path());
    OfficeSuite::Impl& suite = *m_impl->suite;
    const QString what = QStringLiteral("Texts of %1 of %2").arg(PageName(page), Path());
    Reference<css::drawing::XDrawPage> drawPage;
    const sal_Int32 count = suite.Call(OfficeFailure::CallFailed, what, [&] {
        drawPage = PageOf(*m_impl, page);
        return drawPage->getCount();
    });
    const Reference<css::container::XIndexAccess> shapes(drawPage, UNO_QUERY);
    std::vector<Reference<css::drawing::XShapeGroup>> groups;
    bool objects = false;
    if (page.kind == PageKind::Slide)
        PagesOf(*m_impl).slidesWithoutObjects.erase(page.index);
    for (sal_Int32 first = 0; first < count; first += kShapesPerCall) {
        suite.Call(OfficeFailure::CallFailed, what, [&] {
            PageFinds finds;
            CollectTexts(shapes, first, std::min(count, first + kShapesPerCall), {}, finds);
            groups.insert(groups.end(), finds.groups.begin(), finds.groups.end());
            objects = objects || finds.objects;
            if (finds.texts.empty())
                return;
            QList<PageText> texts;
            texts.reserve(qsizetype(finds.texts.size()));
            for (const FoundText& found : finds.texts)
                texts.append(found.where);
            rewrite(texts);
            if (texts.size() != qsizetype(finds.texts.size()))
                throw css::uno::RuntimeException("the rewritten texts do not match the texts read");
            // Every changed text's model is read before any text is written.
            std::vector<TextModel> models(finds.texts.size());
            for (qsizetype k = 0; k < texts.size(); ++k)
                if (!texts.at(k).leave && !texts.at(k).text.isNull() && texts.at(k).text != finds.texts.at(size_t(k)).where.text)
                    models[size_t(k)] = ModelOfText(finds.texts.at(size_t(k)).text);
            for (qsizetype k = 0; k < texts.size(); ++k) {
                const PageText& read = finds.texts.at(size_t(k)).where;
                const auto convert = [&](const QString& text) {
                    QList<PageText> again{read};
                    again.first().text = text;
                    rewrite(again);
                    return again.value(0).leave ? QString() : again.value(0).text;
                };
                WriteText(finds.texts.at(size_t(k)).text, std::move(models[size_t(k)]), read.text, texts.at(k), fontName, convert);
            }
        });
    }
    if (page.kind == PageKind::Slide && !objects)
        PagesOf(*m_impl).slidesWithoutObjects.insert(page.index);
    if (!dissolveGroups || groups.empty())
        return;
    suite.Call(OfficeFailure::CallFailed, QStringLiteral("Groups of %1 of %2").arg(PageName(page), Path()), [&] {
        const Reference<css::drawing::XShapeGrouper> grouper(drawPage, UNO_QUERY_THROW);
        for (const auto& group : groups)
            grouper->ungroup(group);
    });
}

void OfficeDocument::SetPageTexts(PageId page, const QList<PageText>& texts, const QString& fontName)
{
    if (texts.isEmpty() || (fontName.isEmpty() && std::all_of(texts.begin(), texts.end(), [](const PageText& t) {
                                return t.text.isNull();
                            })))
        return;
    TEZDESK_DOCUMENT_CALL(QStringLiteral("Texts of ") + PageName(page)) {
        const Reference<css::drawing::XDrawPage> drawPage = PageOf(*m_impl, page);
        for (const PageText& where : texts) {
            const Reference<css::text::XText> text = TextAt(drawPage, where);
            WriteText(text, where.text.isNull() ? QString() : ToQString(text->getString()), where, fontName);
        }
    });
}

QStringList OfficeDocument::PageTextFonts(PageId page, const QList<PageText>& texts) const
{
    TEZDESK_DOCUMENT_CALL(QStringLiteral("Fonts of ") + PageName(page)) {
        const Reference<css::drawing::XDrawPage> drawPage = PageOf(*m_impl, page);
        QStringList fonts;
        for (const PageText& where : texts) {
            const Reference<css::text::XText> text = TextAt(drawPage, where);
            const Reference<css::text::XTextCursor> cursor = text->createTextCursor();
            cursor->gotoStart(false);
            cursor->goRight(1, true);
            rtl::OUString font;
            Reference<css::beans::XPropertySet>(cursor, UNO_QUERY_THROW)->getPropertyValue("CharFontName") >>= font;
            fonts.append(ToQString(font));
        }
        return fonts;
    });
}

bool OfficeDocument::SlideMayHoldCharts(int slide) const
{
    return !IsOpen() || !m_impl->presentationPages || m_impl->presentationPages->slidesWithoutObjects.count(slide) == 0;
}

QStringList OfficeDocument::PageRunStyles(PageId page) const
{
    TEZDESK_DOCUMENT_CALL(QStringLiteral("Run styles of ") + PageName(page)) {
        const Reference<css::container::XIndexAccess> shapes(PageOf(*m_impl, page), UNO_QUERY_THROW);
        PageFinds finds;
        CollectTexts(shapes, 0, shapes->getCount(), {}, finds);
        QStringList runs;
        for (const FoundText& found : finds.texts)
            runs += RunStylesOf(found.text);
        return runs;
    });
}

QString OfficeDocument::PageName(PageId page)
{
    switch (page.kind) {
    case PageKind::Slide: return QStringLiteral("slide %1").arg(page.index + 1);
    case PageKind::SlideNotes: return QStringLiteral("notes of slide %1").arg(page.index + 1);
    case PageKind::Master: return QStringLiteral("master %1").arg(page.index + 1);
    case PageKind::MasterNotes: return QStringLiteral("notes master %1").arg(page.index + 1);
    case PageKind::HandoutMaster: return QStringLiteral("handout master");
    }
    return QString();
}

#undef TEZDESK_DOCUMENT_CALL

}  // namespace office
