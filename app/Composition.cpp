#include "app/Composition.h"

#include "app/StartUp.h"
#include "batch/ProjectParts.h"
#include "batch/frmDocConv.h"
#include "batch/frmHtmlConv.h"
#include "batch/frmPathConv.h"
#include "batch/frmPptConv.h"
#include "batch/frmSpecConv.h"
#include "batch/frmOutputSetting.h"
#include "batch/frmXlsConv.h"
#include "core/LoadedTableList.h"
#include "core/MainWindowHooks.h"
#include "core/OfficeAccess.h"
#include "core/OutputSettingGate.h"
#include "core/ProjectDBList.h"
#include "core/ProjectPart.h"
#include "core/ScheduleDialog.h"
#include "core/WorkWindowTable.h"
#include "database/DBProjectPart.h"
#include "database/frmDBConv.h"
#include "instant/frmOnlineConv.h"
#include "office/OfficeServices.h"
#include "schedule/frmSchedule.h"
#include "vocabulary/TableMarkProjectPart.h"
#include "vocabulary/frmPhraseMgr.h"

namespace {

void RegisterWorkWindows()
{
    RegisterWorkWindow(QStringLiteral("frmDocConv"), [] () -> WorkWindow& { return frmDocConv(); });
    RegisterWorkWindow(QStringLiteral("frmXlsConv"), [] () -> WorkWindow& { return frmXlsConv(); });
    RegisterWorkWindow(QStringLiteral("frmPptConv"), [] () -> WorkWindow& { return frmPptConv(); });
    RegisterWorkWindow(QStringLiteral("frmHtmlConv"), [] () -> WorkWindow& { return frmHtmlConv(); });
    RegisterWorkWindow(QStringLiteral("frmPathConv"), [] () -> WorkWindow& { return frmPathConv(); });
    RegisterWorkWindow(QStringLiteral("frmDBConv"), [] () -> WorkWindow& { return frmDBConv(); });
    RegisterWorkWindow(QStringLiteral("frmSpecConv"), [] () -> WorkWindow& { return frmSpecConv(); });
    RegisterWorkWindow(QStringLiteral("frmOnlineConv"), [] () -> WorkWindow& { return frmOnlineConv(); });
    RegisterWorkWindow(QStringLiteral("frmPhraseMgr"), [] () -> WorkWindow& { return frmPhraseMgr(); });
    RegisterWorkWindow(QStringLiteral("frmSchedule"), [] () -> WorkWindow& { return frmSchedule(); });
    // The folder-tree window's schedule command shows the schedule window as a dialog.
    RegisterScheduleDialog([] () -> ScheduleDialog& { return frmSchedule(); });
}

void RegisterMainWindowHooks()
{
    RegisterOutputSettingDialog([] { return frmOutputSetting().ShowDlg(); });
    MainWindowHooks& hooks = MainHooks();
    hooks.startUp = StartUp;
    hooks.shutDown = ShutDown;
    // A window that was never loaded has nothing to leave.
    hooks.leaveOperations.push_back([] {
        if (IsFormLoaded<FrmPhraseMgr>())
            frmPhraseMgr().ExitPhraseMgr();
    });
    hooks.leaveOperations.push_back([] {
        if (IsFormLoaded<FrmOnlineConv>())
            frmOnlineConv().ExitOnlineConv();
    });
}

// In the order the project file holds them: the table count comes first in the header and
// the table lines after the options; the output settings open the option lines; the HTML
// extensions end the HTML window's option line; the database line closes the options.
void RegisterProjectParts()
{
    RegisterProjectPart(TableMarkProjectPart());
    RegisterProjectPart(OutputSettingProjectPart());
    RegisterProjectPart(DocListProjectPart());
    RegisterProjectPart(XlsListProjectPart());
    RegisterProjectPart(PptListProjectPart());
    RegisterProjectPart(HtmlListProjectPart());
    RegisterProjectPart(HtmlExtProjectPart());
    RegisterProjectPart(SpecListProjectPart());
    RegisterProjectPart(FolderListProjectPart());
    RegisterProjectPart(DBProjectPart());
    SetProjectSideFilePart(&DBSideFilePart());
}

// The batch runs reach the Office layer through the core's table.
void RegisterOfficeServices()
{
    OfficeServices& office = Office();
    office.DetectWord = DetectWord;
    office.DetectExcel = DetectExcel;
    office.DetectPowerPoint = DetectPowerPoint;
    office.InitWordApp = InitWordApp;
    office.InitExcelApp = InitExcelApp;
    office.InitPowerPointApp = InitPowerPointApp;
    office.ExitWordApp = [] { ExitWordApp(); };
    office.ExitExcelApp = [] { ExitExcelApp(); };
    office.ExitPowerPointApp = [] { ExitPowerPointApp(); };
    office.WordSaveAsRtf = WordSaveAsRtf;
    office.WordSaveAsWord8 = WordSaveAsWord8;
    office.WordReplaceAllPhrases = WordReplaceAllPhrases;
    office.WordReplaceTablePhrases = WordReplaceTablePhrases;
    office.WordClearFindFormatting = WordClearFindFormatting;
    office.RtfIntermediatePath = RtfIntermediatePath;
    office.ConvertDOC = ConvertDOC;
    office.ConvertXLS = ConvertXLS;
    office.ConvertPPT = ConvertPPT;
}

} // namespace

void ComposeProgram()
{
    static bool composed = false;
    if (composed)
        return;
    composed = true;
    RegisterWorkWindows();
    RegisterMainWindowHooks();
    RegisterProjectParts();
    RegisterOfficeServices();
}
