#pragma once
// One flag per file-list window, set when the window is first loaded and never reset:
// the project writer saves only the parts of windows that were loaded.
extern bool gbDocConvLoaded;
extern bool gbXlsConvLoaded;
extern bool gbPptConvLoaded;
extern bool gbHtmlConvLoaded;
extern bool gbPathConvLoaded;
extern bool gbSpecConvLoaded;
