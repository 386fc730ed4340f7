#pragma once
// Start-up and shut-down of the program: the main window's load and unload handlers, and
// the program-wide initialisation they do.
#include <QString>

#include <cstdint>
#include <functional>

class FrmMain;

// First 20 characters of the login name, and the computer name.
extern QString gsUserName;
extern QString gsComputerName;

// Log paths and trimming, user and computer name, the start lines of the run log, and the
// program folder as the current folder. A failing step is logged and the next one runs.
void InitMain();

// The start-up sequence (the main window's load handler) and the shut-down sequence (its
// unload handler; cancel keeps the program running).
void StartUp(FrmMain& main);
void ShutDown(FrmMain& main, int& cancel);

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
