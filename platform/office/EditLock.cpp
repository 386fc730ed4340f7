#include "platform/office/EditLock.h"

#include <com/sun/star/document/XUndoManagerSupplier.hpp>

namespace office {

EditLock::EditLock(const Reference<css::lang::XComponent>& component)
    : m_model(component, css::uno::UNO_QUERY)
{
    if (m_model.is())
        m_model->lockControllers();
    try {
        Reference<css::document::XUndoManagerSupplier> undo(component, css::uno::UNO_QUERY);
        if (undo.is())
            m_undo = undo->getUndoManager();
        if (m_undo.is())
            m_undo->lock();
    } catch (...) {
        if (m_model.is())
            m_model->unlockControllers();
        throw;
    }
}

EditLock::~EditLock()
{
    // The office may have gone meanwhile: the caller already reports that failure.
    try {
        if (m_undo.is())
            m_undo->unlock();
    } catch (const css::uno::Exception&) {
    }
    try {
        if (m_model.is())
            m_model->unlockControllers();
    } catch (const css::uno::Exception&) {
    }
}

}  // namespace office
