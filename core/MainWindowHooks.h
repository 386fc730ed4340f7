#pragma once
// What the main window calls of the program without knowing its windows: the start-up and
// shut-down sequences (its load and unload handlers) and the leave operations that run before
// every window switch and at shut-down. The composition fills them in before the main window
// is loaded. (The due check the timer drives is SchedulerTick.h's hook, which start-up sets
// once the program has started completely.)
#include <functional>
#include <vector>

class FrmMain;

struct MainWindowHooks {
    std::function<void(FrmMain&)> startUp;
    std::function<void(FrmMain&, int& cancel)> shutDown;
    // In the order they run (the vocabulary manager's, then the instant window's).
    std::vector<std::function<void()>> leaveOperations;
};

MainWindowHooks& MainHooks();

// Runs every leave operation in its order.
void RunLeaveOperations();
