#pragma once
// True while a batch run works. The run turns the event loop while its worker converts, so
// the main window's commands, the list windows' commands and drops and the scheduler tick
// check this flag and do nothing while it is set.
extern bool gbBatchRunning;

// Sets gbBatchRunning for its lifetime (restoring the previous value).
class BatchRunningScope {
public:
    BatchRunningScope();
    ~BatchRunningScope();
    BatchRunningScope(const BatchRunningScope&) = delete;
    BatchRunningScope& operator=(const BatchRunningScope&) = delete;

private:
    bool m_previous;
};
