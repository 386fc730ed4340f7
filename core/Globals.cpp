#include "core/Globals.h"

QString gvPrjFile;
QString gvMsg;
bool gbSchedRun = false;
bool gbOutputSettingOK = false;
