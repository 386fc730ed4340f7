#pragma once
// Inside the office layer only: whether a drawing shape is a chart, told by the class of
// the object it embeds.
#include "platform/office/UnoSession.h"

#include <com/sun/star/beans/XPropertySet.hpp>
#include <com/sun/star/beans/XPropertySetInfo.hpp>

namespace office {

inline bool IsChartShape(const Reference<css::uno::XInterface>& shape)
{
    Reference<css::beans::XPropertySet> properties(shape, css::uno::UNO_QUERY);
    if (!properties.is() || !properties->getPropertySetInfo()->hasPropertyByName("CLSID"))
        return false;
    rtl::OUString classId;
    properties->getPropertyValue("CLSID") >>= classId;
    return classId.equalsIgnoreAsciiCase("12DCAE26-281F-416F-A234-C3086127382E");
}

}  // namespace office
