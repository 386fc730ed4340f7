#include "instant/CommandSteps.h"

#include "core/Err.h"
#include "core/Log.h"

void Step(const std::function<void()>& step)
{
    try {
        step();
    } catch (...) {
    }
}

bool Converted(const QString& procName, const std::function<int()>& call)
{
    int result = 0;
    try {
        result = call();
    } catch (...) {
        ErrorLog(procName);
        return false;
    }
    if (result == 0)
        return true;
    Err().Number = result;
    Err().Description = QStringLiteral("Return : %1").arg(result);
    ErrorLog(procName);
    return false;
}
