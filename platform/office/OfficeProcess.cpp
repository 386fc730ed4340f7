#include "platform/office/OfficeProcess.h"

#include "platform/office/OfficeError.h"

#include <QElapsedTimer>
#include <QThread>

#include <csignal>
#include <cstring>
#include <vector>

#include <fcntl.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace office {

namespace {

// The environment for the child: ours, without the dropped names, with the set ones.
std::vector<QByteArray> ChildEnvironment(const QStringList& dropVariables, const QStringList& setVariables)
{
    QStringList names = dropVariables;
    for (const QString& assignment : setVariables)
        names.append(assignment.section(QLatin1Char('='), 0, 0));
    std::vector<QByteArray> env;
    for (char** e = environ; e && *e; ++e) {
        const QByteArray entry(*e);
        const QString name = QString::fromLocal8Bit(entry.left(entry.indexOf('=')));
        if (!names.contains(name))
            env.push_back(entry);
    }
    for (const QString& assignment : setVariables)
        env.push_back(assignment.toLocal8Bit());
    return env;
}

std::vector<char*> Pointers(std::vector<QByteArray>& items)
{
    std::vector<char*> pointers;
    for (QByteArray& item : items)
        pointers.push_back(item.data());
    pointers.push_back(nullptr);
    return pointers;
}

}  // namespace

OfficeProcess::~OfficeProcess()
{
    if (IsAlive())
        Kill();
}

void OfficeProcess::Start(const QString& program, const QStringList& arguments, const QStringList& dropVariables,
                          const QStringList& setVariables)
{
    if (IsAlive())
        Kill();
    std::vector<QByteArray> args{program.toLocal8Bit()};
    for (const QString& a : arguments)
        args.push_back(a.toLocal8Bit());
    std::vector<QByteArray> env = ChildEnvironment(dropVariables, setVariables);
    std::vector<char*> argv = Pointers(args);
    std::vector<char*> envp = Pointers(env);
    const pid_t parent = getpid();

    const pid_t pid = fork();
    if (pid < 0)
        throw OfficeError(OfficeFailure::StartFailed,
                          QStringLiteral("Cannot start the office: %1").arg(QString::fromLocal8Bit(strerror(errno))));
    if (pid == 0) {
        // Only async-signal-safe calls from here to exec.
        signal(SIGPIPE, SIG_DFL);
        prctl(PR_SET_PDEATHSIG, SIGKILL);
        if (getppid() != parent)
            _exit(127);
        setpgid(0, 0);
        const int devNull = open("/dev/null", O_RDWR);
        if (devNull >= 0) {
            dup2(devNull, 0);
            dup2(devNull, 1);
            dup2(devNull, 2);
        }
        close_range(3, ~0U, 0);
        execve(argv[0], argv.data(), envp.data());
        _exit(127);
    }
    m_pid = pid;
    m_exitCode = -1;
    m_reaped = false;
}

bool OfficeProcess::IsAlive()
{
    if (m_reaped)
        return false;
    int status = 0;
    const pid_t r = waitpid(m_pid, &status, WNOHANG);
    if (r == 0)
        return true;
    m_reaped = true;
    m_exitCode = (r == m_pid && WIFEXITED(status)) ? WEXITSTATUS(status) : -1;
    return false;
}

bool OfficeProcess::WaitForExit(int timeoutMs)
{
    QElapsedTimer timer;
    timer.start();
    while (IsAlive()) {
        if (timer.elapsed() >= timeoutMs)
            return false;
        QThread::msleep(20);
    }
    return true;
}

void OfficeProcess::Kill()
{
    if (m_reaped)
        return;
    ::kill(m_pid, SIGKILL);
    int status = 0;
    waitpid(m_pid, &status, 0);
    m_reaped = true;
    m_exitCode = -1;
}

void OfficeProcess::KillAsync() const
{
    const pid_t pid = m_pid;
    if (pid > 0 && !m_reaped)
        ::kill(pid, SIGKILL);
}

}  // namespace office
