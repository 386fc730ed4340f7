// The pages of a presentation beyond its slides' top shapes: masters, their notes pages and
// the handout master; the members of groups at any depth; every cell of a table. A page's
// texts are read in one guarded call and its changes written in one more.
#include "platform/office/OfficeDocument.h"

#include "platform/office/UnoSession.h"

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
#include <vector>

namespace office {

namespace {

using css::uno::UNO_QUERY;
using css::uno::UNO_QUERY_THROW;
using PageId = OfficeDocument::PageId;
using PageKind = OfficeDocument::PageKind;
using PageText = OfficeDocument::PageText;

Reference<css::container::XIndexAccess> Slides(const Reference<css::lang::XComponent>& component)
{
    return Reference<css::container::XIndexAccess>(
        Reference<css::drawing::XDrawPagesSupplier>(component, UNO_QUERY_THROW)->getDrawPages(), UNO_QUERY_THROW);
}

Reference<css::container::XIndexAccess> Masters(const Reference<css::lang::XComponent>& component)
{
    return Reference<css::container::XIndexAccess>(
        Reference<css::drawing::XMasterPagesSupplier>(component, UNO_QUERY_THROW)->getMasterPages(), UNO_QUERY_THROW);
}

Reference<css::drawing::XDrawPage> NotesOf(const Reference<css::drawing::XDrawPage>& page)
{
    return Reference<css::presentation::XPresentationPage>(page, UNO_QUERY_THROW)->getNotesPage();
}

Reference<css::drawing::XDrawPage> PageOf(const Reference<css::lang::XComponent>& component, PageId page)
{
    Reference<css::drawing::XDrawPage> result;
    switch (page.kind) {
    case PageKind::Slide:
    case PageKind::SlideNotes:
        Slides(component)->getByIndex(page.index) >>= result;
        break;
    case PageKind::Master:
    case PageKind::MasterNotes:
        Masters(component)->getByIndex(page.index) >>= result;
        break;
    case PageKind::HandoutMaster:
        result = Reference<css::presentation::XHandoutMasterSupplier>(component, UNO_QUERY_THROW)->getHandoutMasterPage();
        break;
    }
    if (result.is() && (page.kind == PageKind::SlideNotes || page.kind == PageKind::MasterNotes))
        result = NotesOf(result);
    if (!result.is())
        throw css::uno::RuntimeException("no such page");
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

void AppendText(const Reference<css::uno::XInterface>& object, const PageText& where, QList<PageText>& texts)
{
    Reference<css::text::XText> text(object, UNO_QUERY);
    if (!text.is())
        return;
    PageText entry = where;
    entry.text = ToQString(text->getString());
    if (!entry.text.isEmpty())
        texts.append(entry);
}

void CollectTexts(const Reference<css::container::XIndexAccess>& shapes, const QList<int>& path, QList<PageText>& texts)
{
    for (sal_Int32 i = 0, n = shapes->getCount(); i < n; ++i) {
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
        case kShapeFormControl:
            break;
        case kShapeGroup:
            CollectTexts(Reference<css::container::XIndexAccess>(shape, UNO_QUERY_THROW), where.path, texts);
            break;
        case OfficeDocument::kShapeTable: {
            const Reference<css::table::XTable> table = TableOf(shape);
            for (sal_Int32 row = 0, rows = table->getRowCount(); row < rows; ++row)
                for (sal_Int32 column = 0, columns = table->getColumnCount(); column < columns; ++column) {
                    where.row = int(row);
                    where.column = int(column);
                    AppendText(table->getCellByPosition(column, row), where, texts);
                }
            break;
        }
        default:
            AppendText(shape, where, texts);
        }
    }
}

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
    TEZDESK_DOCUMENT_CALL(QStringLiteral("Masters")) { return int(Masters(m_impl->component)->getCount()); });
}

QString OfficeDocument::SlideName(int slide) const
{
    TEZDESK_DOCUMENT_CALL(QStringLiteral("Slide name")) {
        return ToQString(Reference<css::container::XNamed>(PageOf(m_impl->component, {PageKind::Slide, slide}), UNO_QUERY_THROW)
                             ->getName());
    });
}

void OfficeDocument::SetSlideName(int slide, const QString& name)
{
    TEZDESK_DOCUMENT_CALL(QStringLiteral("Slide name")) {
        Reference<css::container::XNamed>(PageOf(m_impl->component, {PageKind::Slide, slide}), UNO_QUERY_THROW)
            ->setName(ToOUString(name));
    });
}

int OfficeDocument::UngroupPageGroups(PageId page)
{
    TEZDESK_DOCUMENT_CALL(QStringLiteral("Groups of ") + PageName(page)) {
        const Reference<css::drawing::XDrawPage> drawPage = PageOf(m_impl->component, page);
        Reference<css::container::XIndexAccess> shapes(drawPage, UNO_QUERY_THROW);
        std::vector<Reference<css::drawing::XShapeGroup>> groups;
        for (sal_Int32 i = 0, n = shapes->getCount(); i < n; ++i) {
            const Reference<css::drawing::XShape> shape = ShapeAt(shapes, i);
            if (shape.is() && TypeCodeOfShapeType(ShapeTypeOf(shape), shape) == kShapeGroup)
                groups.emplace_back(shape, UNO_QUERY_THROW);
        }
        if (groups.empty())
            return 0;
        Reference<css::drawing::XShapeGrouper> grouper(drawPage, UNO_QUERY_THROW);
        for (const auto& group : groups)
            grouper->ungroup(group);
        return int(groups.size());
    });
}

QList<OfficeDocument::PageText> OfficeDocument::PageTexts(PageId page) const
{
    TEZDESK_DOCUMENT_CALL(QStringLiteral("Texts of ") + PageName(page)) {
        QList<PageText> texts;
        CollectTexts(Reference<css::container::XIndexAccess>(PageOf(m_impl->component, page), UNO_QUERY_THROW), {}, texts);
        return texts;
    });
}

void OfficeDocument::SetPageTexts(PageId page, const QList<PageText>& texts, const QString& fontName)
{
    if (texts.isEmpty() || (fontName.isEmpty() && std::all_of(texts.begin(), texts.end(), [](const PageText& t) {
                                return t.text.isNull();
                            })))
        return;
    TEZDESK_DOCUMENT_CALL(QStringLiteral("Texts of ") + PageName(page)) {
        const Reference<css::drawing::XDrawPage> drawPage = PageOf(m_impl->component, page);
        for (const PageText& where : texts) {
            const Reference<css::text::XText> text = TextAt(drawPage, where);
            if (!where.text.isNull())
                text->setString(ToOUString(where.text));
            if (!fontName.isEmpty())
                SetFont(text, fontName);
        }
    });
}

QStringList OfficeDocument::PageTextFonts(PageId page, const QList<PageText>& texts) const
{
    TEZDESK_DOCUMENT_CALL(QStringLiteral("Fonts of ") + PageName(page)) {
        const Reference<css::drawing::XDrawPage> drawPage = PageOf(m_impl->component, page);
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
