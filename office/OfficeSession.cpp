#include "office/OfficeSession.h"

#include <QCoreApplication>
#include <QTimer>

#include <memory>

namespace office_session {

namespace {

struct Session {
    std::unique_ptr<office::OfficeSuite> office;
    office::OfficeSettings settings = office::DefaultOfficeSettings();
    int holders = 0;
    int idleStopMs = 60000;
    std::unique_ptr<QTimer> idleTimer;
};

Session& TheSession()
{
    static Session session;
    return session;
}

// At the program's end the office is asked to end while the UNO runtime is still alive,
// and let go of, so that nothing of it is left for the static destructors.
void StopAtExit()
{
    Session& s = TheSession();
    StopProgramOffice();
    s.office.reset();
    s.idleTimer.reset();
    s.holders = 0;
}

}  // namespace

office::OfficeSuite& ProgramOffice()
{
    Session& s = TheSession();
    if (!s.office) {
        s.office = std::make_unique<office::OfficeSuite>(s.settings);
        if (QCoreApplication::instance())
            qAddPostRoutine(StopAtExit);
    }
    return *s.office;
}

void SetProgramOfficeSettings(const office::OfficeSettings& settings)
{
    Session& s = TheSession();
    StopProgramOffice();
    s.office.reset();
    s.settings = settings;
}

void StopProgramOffice()
{
    Session& s = TheSession();
    if (s.idleTimer)
        s.idleTimer->stop();
    if (s.office)
        s.office->Stop();
}

void Hold(Holder holder)
{
    Session& s = TheSession();
    s.holders |= int(holder);
    if (s.idleTimer)
        s.idleTimer->stop();
}

void Release(Holder holder)
{
    Session& s = TheSession();
    s.holders &= ~int(holder);
    if (s.holders == 0)
        StopProgramOffice();
}

bool IsHeld() { return TheSession().holders != 0; }

void StopWhenIdle()
{
    Session& s = TheSession();
    if (s.holders != 0 || !QCoreApplication::instance())
        return;
    if (!s.idleTimer) {
        s.idleTimer = std::make_unique<QTimer>();
        s.idleTimer->setSingleShot(true);
        QObject::connect(s.idleTimer.get(), &QTimer::timeout, [] {
            if (!IsHeld())
                StopProgramOffice();
        });
    }
    s.idleTimer->start(s.idleStopMs);
}

void SetIdleStopMs(int idleMs) { TheSession().idleStopMs = idleMs; }

}  // namespace office_session
