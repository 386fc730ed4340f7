// Counts of a text document's images and laid-out pages, to compare documents.
#include "platform/office/OfficeDocument.h"
#include "platform/office/UnoSession.h"

#include <com/sun/star/beans/PropertyValue.hpp>
#include <com/sun/star/container/XIndexAccess.hpp>
#include <com/sun/star/text/XTextGraphicObjectsSupplier.hpp>
#include <com/sun/star/view/XRenderable.hpp>

namespace office {

using css::uno::UNO_QUERY_THROW;

int OfficeDocument::ImageCount() const
{
    if (!IsOpen())
        throw OfficeError(OfficeFailure::NotRunning, QStringLiteral("The document is no longer open: ") + Path());
    return m_impl->suite->Call(OfficeFailure::CallFailed, QStringLiteral("Images of ") + Path(), [&] {
        Reference<css::text::XTextGraphicObjectsSupplier> images(m_impl->component, UNO_QUERY_THROW);
        return int(Reference<css::container::XIndexAccess>(images->getGraphicObjects(), UNO_QUERY_THROW)->getCount());
    });
}

int OfficeDocument::PageCount() const
{
    if (!IsOpen())
        throw OfficeError(OfficeFailure::NotRunning, QStringLiteral("The document is no longer open: ") + Path());
    return m_impl->suite->Call(OfficeFailure::CallFailed, QStringLiteral("Pages of ") + Path(), [&] {
        Reference<css::view::XRenderable> renderable(m_impl->component, UNO_QUERY_THROW);
        return int(renderable->getRendererCount(css::uno::Any(m_impl->component),
                                                css::uno::Sequence<css::beans::PropertyValue>()));
    });
}

}  // namespace office
