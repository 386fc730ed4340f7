#pragma once
// Program-wide initialisation done by the main window's start-up.
#include <QString>

#include <cstdint>
#include <functional>

// First 20 characters of the login name, and the computer name.
extern QString gsUserName;
extern QString gsComputerName;

// Log paths and trimming, user and computer name, the start lines of the run log, and the
// program folder as the current folder. A failing step is logged and the next one runs.
void InitMain();

// Unloads every window the program may have loaded, in the shut-down order, ignoring
// failures; a window that was never loaded costs nothing.
void UnloadAllWindows();

// The conversion-library entries that start-up calls. They are the library's own unless a
// test puts others in their place (to see how start-up answers a result code).
struct StartUpEntries {
    // Empty when the library loads, otherwise why it does not.
    std::function<QString()> LoadError;
    std::function<int32_t(int32_t*)> CreateEnv;
    std::function<int32_t(int32_t, int32_t*, int32_t)> CreateStmt;
    std::function<int32_t(int32_t, int32_t, const char*, int32_t, int32_t)> LoadCCT;
    std::function<int32_t(int32_t, const char*)> LoadLST;
    StartUpEntries();
};
StartUpEntries& StartUpLibrary();
