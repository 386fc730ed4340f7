#include "core/SchedulerTick.h"

#include "core/BatchRunning.h"
#include "core/dlgProgress.h"
#include "platform/Modal.h"

#include <QWidget>

namespace {
int& LoadDepth()
{
    static int depth = 0;
    return depth;
}

// A tick was refused while a project was read.
bool& TickRefusedDuringLoad()
{
    static bool refused = false;
    return refused;
}
} // namespace

ScheduleDueCheck& ScheduleDueCheckHook()
{
    static ScheduleDueCheck check;
    return check;
}

std::function<void()>& RefusedTickRunner()
{
    static std::function<void()> runner;
    return runner;
}

bool SchedulerTickAllowed(const QWidget& mainWindow)
{
    if (ProjectLoadInProgress::active()) {
        TickRefusedDuringLoad() = true;
        return false;
    }
    return !gbBatchRunning && !modal::isWaiting() && !IsFormLoaded<DlgProgress>() && mainWindow.isEnabled();
}

ProjectLoadInProgress::ProjectLoadInProgress() { ++LoadDepth(); }

ProjectLoadInProgress::~ProjectLoadInProgress()
{
    if (--LoadDepth() == 0 && TickRefusedDuringLoad()) {
        TickRefusedDuringLoad() = false;
        if (RefusedTickRunner())
            RefusedTickRunner()();
    }
}

bool ProjectLoadInProgress::active() { return LoadDepth() > 0; }
