#pragma once
// The office's own process: started directly (never through a launcher script), with the
// program's private profile and pipe, ended by the program. It dies with the thread that
// started it, so it never outlives the program.
#include <QString>
#include <QStringList>

#include <atomic>

#include <sys/types.h>

namespace office {

class OfficeProcess {
public:
    OfficeProcess() = default;
    ~OfficeProcess();
    OfficeProcess(const OfficeProcess&) = delete;
    OfficeProcess& operator=(const OfficeProcess&) = delete;

    // Starts program (a full path, which is also argv[0]) with the arguments. The variables
    // named in dropVariables are not passed on; the ones in setVariables ("NAME=value") are.
    // Throws OfficeError(StartFailed) when the process cannot be created.
    void Start(const QString& program, const QStringList& arguments, const QStringList& dropVariables,
               const QStringList& setVariables);
    // Whether the process is still alive (reaps it when it has ended).
    bool IsAlive();
    // The exit code once it has ended normally; -1 while alive or after a signal.
    int ExitCode() const { return m_exitCode; }
    // Waits up to timeoutMs for the process to end by itself; true when it did.
    bool WaitForExit(int timeoutMs);
    // Ends the process at once (SIGKILL) and reaps it.
    void Kill();
    // Sends SIGKILL without waiting; safe from another thread.
    void KillAsync() const;
    pid_t Pid() const { return m_pid; }

private:
    std::atomic<pid_t> m_pid = 0;
    int m_exitCode = -1;
    std::atomic<bool> m_reaped = true;
};

}  // namespace office
