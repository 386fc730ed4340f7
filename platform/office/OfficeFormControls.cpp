// The form controls on a sheet's drawing page: their kind (named as the Office forms name
// it), the caption a button, box or label shows, and the content of a text field.
#include "platform/office/OfficeDocument.h"

#include "platform/office/UnoSession.h"
#include "platform/office/WorkbookSheets.h"

#include <com/sun/star/awt/XControlModel.hpp>
#include <com/sun/star/beans/XPropertySet.hpp>
#include <com/sun/star/container/XNamed.hpp>
#include <com/sun/star/drawing/XControlShape.hpp>
#include <com/sun/star/lang/XServiceInfo.hpp>

#include <vector>

namespace office {

namespace {

using css::uno::Any;
using css::uno::UNO_QUERY;
using css::uno::UNO_QUERY_THROW;

// The control models by their service, with the Office forms' name of that kind. A model
// offers its own service and more general ones: the most particular come first.
struct ControlKind {
    const char* service;
    const char* progId;
};
constexpr ControlKind kControlKinds[] = {
    {"com.sun.star.form.component.CommandButton", "Forms.CommandButton.1"},
    {"com.sun.star.form.component.CheckBox", "Forms.CheckBox.1"},
    {"com.sun.star.form.component.RadioButton", "Forms.OptionButton.1"},
    {"com.sun.star.form.component.FixedText", "Forms.Label.1"},
    {"com.sun.star.form.component.TextField", "Forms.TextBox.1"},
};

QString ProgIdOf(const Reference<css::lang::XServiceInfo>& model)
{
    if (model.is())
        for (const ControlKind& kind : kControlKinds)
            if (model->supportsService(rtl::OUString::createFromAscii(kind.service)))
                return QString::fromLatin1(kind.progId);
    return QString();
}

struct Control {
    QString name;
    Reference<css::beans::XPropertySet> model;
};

std::vector<Control> ControlsOf(OfficeDocument::Impl& document, int sheet)
{
    std::vector<Control> controls;
    for (const SheetShape& sheetShape : CachedSheetShapes(document, sheet)) {
        // Only a control shape holds a control: other shapes cost no more calls.
        if (!sheetShape.type.endsWith("ControlShape"))
            continue;
        Reference<css::drawing::XControlShape> shape(sheetShape.shape, UNO_QUERY);
        if (!shape.is())
            continue;
        Reference<css::container::XNamed> named(shape, UNO_QUERY);
        controls.push_back({named.is() ? ToQString(named->getName()) : QString(),
                            Reference<css::beans::XPropertySet>(shape->getControl(), UNO_QUERY)});
    }
    return controls;
}

QString StringProperty(const Reference<css::beans::XPropertySet>& model, const char* name)
{
    rtl::OUString value;
    if (model.is() && model->getPropertySetInfo()->hasPropertyByName(rtl::OUString::createFromAscii(name)))
        model->getPropertyValue(rtl::OUString::createFromAscii(name)) >>= value;
    return ToQString(value);
}

void SetControlProperty(const std::vector<Control>& controls, int index, const char* name, const QString& value,
                        const QString& fontName)
{
    if (index < 0 || index >= int(controls.size()) || !controls.at(index).model.is())
        throw OfficeError(OfficeFailure::CallFailed, QStringLiteral("There is no form control %1").arg(index + 1));
    const Reference<css::beans::XPropertySet>& model = controls.at(index).model;
    model->setPropertyValue(rtl::OUString::createFromAscii(name), Any(ToOUString(value)));
    if (!fontName.isEmpty() && model->getPropertySetInfo()->hasPropertyByName("FontName"))
        model->setPropertyValue("FontName", Any(ToOUString(fontName)));
}

}  // namespace

#define TEZDESK_CONTROL_CALL(what) \
    if (!IsOpen())                 \
        throw OfficeError(OfficeFailure::NotRunning, QStringLiteral("The document is no longer open: ") + Path()); \
    return m_impl->suite->Call(OfficeFailure::CallFailed, QStringLiteral(what " of ") + Path(), [&]

QList<OfficeDocument::FormControl> OfficeDocument::SheetFormControls(int sheet) const
{
    TEZDESK_CONTROL_CALL("Form controls") {
        QList<FormControl> result;
        for (const Control& control : ControlsOf(*m_impl, sheet)) {
            FormControl entry;
            entry.name = control.name;
            entry.progId = ProgIdOf(Reference<css::lang::XServiceInfo>(control.model, UNO_QUERY));
            entry.caption = StringProperty(control.model, "Label");
            entry.text = StringProperty(control.model, "Text");
            result.append(entry);
        }
        return result;
    });
}

void OfficeDocument::SetSheetFormControlCaption(int sheet, int control, const QString& caption, const QString& fontName)
{
    TEZDESK_CONTROL_CALL("Form control caption") {
        SetControlProperty(ControlsOf(*m_impl, sheet), control, "Label", caption, fontName);
    });
}

void OfficeDocument::SetSheetFormControlText(int sheet, int control, const QString& text, const QString& fontName)
{
    TEZDESK_CONTROL_CALL("Form control text") {
        SetControlProperty(ControlsOf(*m_impl, sheet), control, "Text", text, fontName);
    });
}

#undef TEZDESK_CONTROL_CALL

}  // namespace office
