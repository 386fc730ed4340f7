#include "schedule/ScheduleClock.h"

std::function<QDateTime()>& ScheduleClock()
{
    static std::function<QDateTime()> clock;
    return clock;
}

QDateTime ScheduleNow()
{
    return ScheduleClock() ? ScheduleClock()() : QDateTime::currentDateTime();
}
