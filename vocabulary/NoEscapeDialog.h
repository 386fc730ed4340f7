#pragma once
// A dialog that Escape does not cancel: it closes through its buttons or the close box.
// m_ok tells whether its OK button closed it.
#include "platform/Form.h"

#include <QDialog>

class QKeyEvent;

class NoEscapeDialog : public QDialog, public FormEvents {
    Q_OBJECT
public:
    // Leaves with m_ok false.
    void cmdCancel_Click();

protected:
    void keyPressEvent(QKeyEvent* event) override;

    bool m_ok = false;
};
