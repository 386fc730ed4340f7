#include "core/WorkWindow.h"

#include "core/WorkWindowTable.h"
#include "core/frmMain.h"

#include "resources/Pictures.h"

#include <QAction>
#include <QToolBar>

WorkWindow::WorkWindow(QWidget* parent)
    : QWidget(parent)
{
}

QToolBar* WorkWindow::NewCommandToolbar(const QString& name)
{
    auto* toolbar = new QToolBar(this);
    toolbar->setObjectName(name);
    toolbar->setIconSize(QSize(24, 24));
    return toolbar;
}

QAction* WorkWindow::AddCommandButton(QToolBar* toolbar, const QString& key, const QString& tooltip,
                                      const QString& command)
{
    QAction* button = toolbar->addAction(LoadToolbarIcon(key), QString());
    button->setObjectName(key);
    button->setToolTip(tooltip);
    connect(button, &QAction::triggered, this, [this, command] { MenuProc(command); });
    return button;
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
