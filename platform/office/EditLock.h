#pragma once
// A text document being edited through the office: while the lock lasts, its views and
// layout wait (the office lays the document out once, when the lock ends) and no edit goes
// onto its undo stack. Inside the office layer only.
#include "platform/office/UnoSession.h"

#include <com/sun/star/frame/XModel.hpp>
#include <com/sun/star/document/XUndoManager.hpp>

namespace office {

class EditLock {
public:
    explicit EditLock(const Reference<css::lang::XComponent>& component);
    ~EditLock();
    EditLock(const EditLock&) = delete;
    EditLock& operator=(const EditLock&) = delete;

private:
    Reference<css::frame::XModel> m_model;
    Reference<css::document::XUndoManager> m_undo;
};

}  // namespace office
