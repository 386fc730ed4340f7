#pragma once
// What the main window calls of the program without knowing its windows: the start-up and
// shut-down sequences (its load and unload handlers), the leave operations that run before
// every window switch and at shut-down, and the scheduler's due check that its timer drives.
// The composition fills them in before the main window is loaded.
#include <QString>

#include <functional>
#include <vector>

class FrmMain;

struct MainWindowHooks {
    std::function<void(FrmMain&)> startUp;
    std::function<void(FrmMain&, int& cancel)> shutDown;
    // In the order they run (the vocabulary manager's, then the instant window's).
    std::vector<std::function<void()>> leaveOperations;
    // The current time ("hh:mm") and weekday ("1" Monday ... "7" Sunday).
    std::function<void(const QString& time, const QString& weekday)> checkSchedule;
};

MainWindowHooks& MainHooks();

// Runs every leave operation in its order.
void RunLeaveOperations();
