#pragma once
// The gate every conversion window passes before a run: the output settings dialog is shown
// until the user confirmed it once. The batch subsystem owns the dialog and the composition
// registers it, so that other windows (the database window) reach it without knowing batch.
#include <functional>

// Shows the output settings dialog; true when it was closed with OK.
using OutputSettingDialog = std::function<bool()>;
void RegisterOutputSettingDialog(OutputSettingDialog dialog);

// True when the output settings were confirmed (now or before); false after Cancel, or when
// no dialog is registered.
bool PassOutputSettingGate();
