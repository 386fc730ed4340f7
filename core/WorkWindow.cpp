#include "core/WorkWindow.h"

#include "core/frmMain.h"

WorkWindow::WorkWindow(QWidget* parent)
    : QWidget(parent)
{
}

void WorkWindow::BecomeClientChild()
{
    QWidget* client = frmMain().frmClient;
    if (parentWidget() == client)
        return;
    const bool shown = isVisible();
    setParent(client);
    move(0, 0);
    resize(client->size());
    setVisible(shown);
}
