#include "platform/SystemInfo.h"

#include <QSysInfo>

#include <pwd.h>
#include <unistd.h>

QString LoginUserName()
{
    if (const passwd* pw = getpwuid(geteuid()))
        return QString::fromLocal8Bit(pw->pw_name);
    return qEnvironmentVariable("USER");
}

QString ComputerName() { return QSysInfo::machineHostName(); }
