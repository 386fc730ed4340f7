#include "core/EndProcess.h"

#include <QCoreApplication>

namespace {
bool g_ended = false;
int g_code = 0;
} // namespace

void EndProcess(int code)
{
    g_ended = true;
    g_code = code;
    if (QCoreApplication::instance())
        QCoreApplication::exit(code);
}

bool ProcessEnded() { return g_ended; }
int ProcessExitCode() { return g_code; }

void ResetProcessEnd()
{
    g_ended = false;
    g_code = 0;
}
