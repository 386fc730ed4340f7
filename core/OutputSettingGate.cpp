#include "core/OutputSettingGate.h"

#include "core/Globals.h"

namespace {
OutputSettingDialog& Dialog()
{
    static OutputSettingDialog dialog;
    return dialog;
}
} // namespace

void RegisterOutputSettingDialog(OutputSettingDialog dialog) { Dialog() = std::move(dialog); }

bool PassOutputSettingGate()
{
    if (gbOutputSettingOK)
        return true;
    if (!Dialog() || !Dialog()())
        return false;
    gbOutputSettingOK = true;
    return true;
}
