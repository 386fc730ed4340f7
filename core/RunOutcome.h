#pragma once
// How a work window tells the outcome of its last Run (IDM_FILE_RUN) to the one who sent it,
// above all the scheduler's unattended project run. A window whose Run exists derives from
// RunOutcomeReport besides WorkWindow and sets its outcome at the end of every run; a window
// that does not derive from it has no run the scheduler can send.
enum class RunOutcome {
    NotRun,    // no run since the window was loaded
    Succeeded, // every row the run took was converted
    Failed,    // a row failed, or the run stopped before its end
};

class RunOutcomeReport {
public:
    virtual ~RunOutcomeReport() = default;
    // The outcome of the window's last IDM_FILE_RUN.
    virtual RunOutcome LastRunOutcome() const = 0;
};
