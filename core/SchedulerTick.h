#pragma once
// The scheduler's tick on the main window: when a tick may act, and the due check it drives.
#include <QString>

#include <functional>

class QWidget;

// The due check a tick drives with the time ("hh:mm") and the weekday ("1" Monday ... "7"
// Sunday). Start-up puts the schedule window's check here once the program runs; until then a
// tick has nothing to check.
using ScheduleDueCheck = std::function<void(const QString& time, const QString& weekday)>;
ScheduleDueCheck& ScheduleDueCheckHook();

// A tick acts only when nothing else holds the program: no message box, file dialog, own
// dialog or context menu is up, no run shows the progress dialog, no project is being read
// and no one else has disabled the main window. Otherwise it waits for the next tick; a tick
// refused during a project load comes again as soon as the load ends.
bool SchedulerTickAllowed(const QWidget& mainWindow);

// What brings a refused tick back (the main window sets it to a queued tick of its own).
std::function<void()>& RefusedTickRunner();

// Alive while a project file is read into the windows.
class ProjectLoadInProgress {
public:
    ProjectLoadInProgress();
    ~ProjectLoadInProgress();
    ProjectLoadInProgress(const ProjectLoadInProgress&) = delete;
    ProjectLoadInProgress& operator=(const ProjectLoadInProgress&) = delete;
    static bool active();
};
