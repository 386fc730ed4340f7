#pragma once
// Program-wide state shared by the subsystems.
#include <QString>

// Path of the current project file ("" when none is current).
extern QString gvPrjFile;
// The shared message text composed before a message box, status line or log line.
extern QString gvMsg;
// True only while a scheduled project runs unattended.
extern bool gbSchedRun;
// True once the output settings were confirmed since start-up, or a project was read.
extern bool gbOutputSettingOK;
