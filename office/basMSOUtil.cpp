#include "office/basMSOUtil.h"

#include "core/Globals.h"
#include "core/Log.h"
#include "office/OfficeFailure.h"
#include "office/OfficeServices.h"
#include "office/OfficeSession.h"
#include "platform/office/UserOffice.h"

#include <QCoreApplication>

office::OfficeSuite* gWordApp = nullptr;
office::OfficeSuite* gExcelApp = nullptr;
office::OfficeSuite* gPPTApp = nullptr;

namespace {

using office_session::Holder;

void ProcessMessages() { QCoreApplication::processEvents(); }

// Runs one operation of this module: a failure is written to the error log under the
// operation's name and gives false.
template <class F>
bool Trapped(const char* name, F&& operation)
{
    try {
        try {
            return operation();
        } catch (const office::OfficeError& e) {
            RaiseOfficeError(e);
        }
    } catch (...) {
        ErrorLog(QString::fromLatin1(name));
        return false;
    }
}

// Starts the program's office (or joins the running one) and holds it for the kind. A start
// that fails holds nothing, so that no hold keeps a later office from ending.
office::OfficeSuite* StartHeld(Holder holder)
{
    office::OfficeSuite& suite = office_session::ProgramOffice();
    office_session::Hold(holder);
    try {
        suite.Start();
    } catch (...) {
        office_session::Release(holder);
        throw;
    }
    return &suite;
}

// Ends the kind's hold; the office ends with the last hold.
void EndHold(Holder holder, office::OfficeSuite*& app)
{
    office_session::Release(holder);
    app = nullptr;
}

}  // namespace

bool DetectWord()
{
    return Trapped("DetectWord", [] { return office::UserOfficeRunning(); });
}

bool DetectExcel()
{
    return Trapped("DetectExcel", [] { return office::UserOfficeRunning(); });
}

bool DetectPowerPoint()
{
    return Trapped("DetectPowerPoint", [] { return office::UserOfficeRunning(); });
}

bool InitWordApp()
{
    return Trapped("InitWordApp", [] {
        ProcessMessages();
        gWordApp = StartHeld(Holder::Word);
        ProcessMessages();
        gvMsg = gWordApp->ProductName();
        return true;
    });
}

bool InitExcelApp()
{
    return Trapped("InitExcelApp", [] {
        ProcessMessages();
        gExcelApp = StartHeld(Holder::Excel);
        ProcessMessages();
        return true;
    });
}

bool InitPowerPointApp()
{
    return Trapped("InitPowerPointApp", [] {
        ProcessMessages();
        ProcessMessages();
        gPPTApp = StartHeld(Holder::PowerPoint);
        ProcessMessages();
        return true;
    });
}

bool ExitWordApp()
{
    return Trapped("ExitWordApp", [] {
        EndHold(Holder::Word, gWordApp);
        ProcessMessages();
        return true;
    });
}

bool ExitExcelApp()
{
    return Trapped("ExitExcelApp", [] {
        if (gExcelApp)
            gExcelApp->CloseAll(office::DocumentKind::Spreadsheet);
        ProcessMessages();
        EndHold(Holder::Excel, gExcelApp);
        ProcessMessages();
        return true;
    });
}

bool ExitPowerPointApp()
{
    return Trapped("ExitPowerPointApp", [] {
        if (gPPTApp)
            gPPTApp->CloseAll(office::DocumentKind::Presentation);
        EndHold(Holder::PowerPoint, gPPTApp);
        ProcessMessages();
        return true;
    });
}
