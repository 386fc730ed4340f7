#pragma once
// The schedule window as the folder-tree window's schedule command shows it: placed over the
// main window and shown modally. The scheduler's window implements it and the composition
// registers it, so that the batch windows reach it without knowing the scheduler.
class QWidget;

class ScheduleDialog {
public:
    virtual ~ScheduleDialog() = default;
    // The window to place over the main window before ShowDlg.
    virtual QWidget& DialogWindow() = 0;
    // Shows the window modally; true when it was closed with OK.
    virtual bool ShowDlg() = 0;
};

// The accessor of the schedule dialog (loads the window on first use).
using ScheduleDialogAccessor = ScheduleDialog& (*)();
void RegisterScheduleDialog(ScheduleDialogAccessor dialog);
// The registered schedule dialog; nullptr when the program has none.
ScheduleDialog* TheScheduleDialog();

// The folder-tree window's schedule command: stops the scheduler's timer, places the schedule
// window over the main window (its left edge and width; top 600 twips below the top of the
// client area, height that of the client area and 400 twips), shows it until it closes and
// starts the timer again. Does nothing when the program has no schedule window.
void ShowScheduleDialogOverMainWindow();
