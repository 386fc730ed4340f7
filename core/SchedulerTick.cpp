#include "core/SchedulerTick.h"

#include "core/dlgProgress.h"
#include "platform/Modal.h"

#include <QWidget>

ScheduleDueCheck& ScheduleDueCheckHook()
{
    static ScheduleDueCheck check;
    return check;
}

bool SchedulerTickAllowed(const QWidget& mainWindow)
{
    return !modal::isWaiting() && !IsFormLoaded<DlgProgress>() && mainWindow.isEnabled();
}
