#include "core/WorkWindow.h"

#include "core/WorkWindowTable.h"
#include "core/frmMain.h"

#include <QAction>

WorkWindow::WorkWindow(QWidget* parent)
    : QWidget(parent)
{
}

QAction* WorkWindow::MainMenu(const char* name) { return frmMain().Menu(QString::fromUtf8(name)); }

void WorkWindow::CheckWindowMenuItem(const char* command)
{
    for (const WorkWindowEntry& entry : WorkWindowTable())
        MainMenu(entry.menuCommand)->setChecked(qstrcmp(entry.menuCommand, command) == 0);
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
