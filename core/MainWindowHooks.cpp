#include "core/MainWindowHooks.h"

MainWindowHooks& MainHooks()
{
    static MainWindowHooks hooks;
    return hooks;
}

void RunLeaveOperations()
{
    for (const auto& leave : MainHooks().leaveOperations)
        leave();
}
