#pragma once
// The local time as the scheduler reads it; tests put a clock of their own here.
#include <QDateTime>

#include <functional>

std::function<QDateTime()>& ScheduleClock();
QDateTime ScheduleNow();
