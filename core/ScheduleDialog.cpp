#include "core/ScheduleDialog.h"

namespace {
ScheduleDialogAccessor& Accessor()
{
    static ScheduleDialogAccessor accessor = nullptr;
    return accessor;
}
} // namespace

void RegisterScheduleDialog(ScheduleDialogAccessor dialog) { Accessor() = dialog; }

ScheduleDialog* TheScheduleDialog() { return Accessor() ? &Accessor()() : nullptr; }
