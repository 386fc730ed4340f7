#include "vocabulary/NoEscapeDialog.h"

#include <QKeyEvent>

void NoEscapeDialog::cmdCancel_Click()
{
    m_ok = false;
    reject();
}

void NoEscapeDialog::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}
