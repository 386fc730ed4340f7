#include "batch/WindowLoadedFlags.h"

bool gbDocConvLoaded = false;
bool gbXlsConvLoaded = false;
bool gbPptConvLoaded = false;
bool gbHtmlConvLoaded = false;
bool gbPathConvLoaded = false;
bool gbSpecConvLoaded = false;
