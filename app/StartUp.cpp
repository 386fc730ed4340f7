// Start-up and shut-down of the program: the main window's load and unload handlers.
#include "app/StartUp.h"

#include "batch/dlgFontMap.h"
#include "batch/dlgHtmlSelect.h"
#include "batch/frmChangeOutput.h"
#include "batch/frmDocConv.h"
#include "batch/frmHtmlConv.h"
#include "batch/frmOutputSetting.h"
#include "batch/frmPathConv.h"
#include "batch/frmPptConv.h"
#include "batch/frmSpecConv.h"
#include "batch/frmXlsConv.h"
#include "core/EndProcess.h"
#include "core/Err.h"
#include "core/FileTypes.h"
#include "core/FileUtil.h"
#include "core/Globals.h"
#include "core/GridPictures.h"
#include "core/LoadedTableList.h"
#include "core/Log.h"
#include "core/MainWindowHooks.h"
#include "core/ProjectFile.h"
#include "core/SchedulerTick.h"
#include "core/StartUpChecks.h"
#include "core/WorkWindow.h"
#include "core/frmMain.h"
#include "core/mTezC.h"
#include "database/frmDBConv.h"
#include "instant/frmOnlineConv.h"
#include "platform/App.h"
#include "platform/CodePage.h"
#include "platform/MsgBox.h"
#include "platform/ProgramFolder.h"
#include "platform/SingleInstance.h"
#include "resources/StringTable.h"
#include "schedule/frmSchedule.h"
#include "core/LoadedTableList.h"
#include "core/TableListFile.h"
#include "core/UnreadableLines.h"
#include "vocabulary/dlgPhraseDetectDir.h"
#include "vocabulary/frmPhraseMgr.h"

#include <QAction>
#include <QTimer>
#include <QDir>
#include <QFileInfo>

QString gsUserName;
QString gsComputerName;

namespace {

// Runs one step of a procedure that logs a failure under its name and goes on.
template <class Step>
void LoggedStep(const QString& procName, Step step)
{
    try {
        step();
    } catch (...) {
        ErrorLog(procName);
    }
}

template <class Step>
void IgnoringFailure(Step step)
{
    try {
        step();
    } catch (...) {
    }
}

// Unloads the windows one after another; a failing unload does not stop the others.
template <class... Forms>
void UnloadInOrder()
{
    (IgnoringFailure([] { UnloadForm<Forms>(); }), ...);
}

// The conversion tables in the order of their library slots.
struct ConversionTable {
    QString fileName;
    bool fatal;
    bool pathInMessage;
};

QList<ConversionTable> ConversionTables()
{
    return {
        {LoadResString(3001), true, true},
        {LoadResString(3002), true, true},
        {QStringLiteral("TD-TU.CCT"), false, false},
        {QStringLiteral("SD-SU.CCT"), false, false},
        {QStringLiteral("TD-SU.CCT"), false, false},
        {QStringLiteral("SD-TU.CCT"), false, false},
        {QStringLiteral("TU-SU.CCT"), false, false},
        {QStringLiteral("SU-TU.CCT"), false, false},
        {QStringLiteral("TU-TD.CCT"), false, false},
        {QStringLiteral("SU-SD.CCT"), true, false},
    };
}

QString ReturnCodeText(int32_t code)
{
    return QStringLiteral("\nReturn : ") + QString::number(code);
}

// Runs start-up steps that call the library; a library that cannot be loaded, or lacks an
// entry, is reported by name and the steps count as failed.
template <class Steps>
bool WithConversionLibrary(const QString& title, Steps steps)
{
    try {
        return steps();
    } catch (const RuntimeError& e) {
        if (e.number() != errDllLoad && e.number() != errDllEntry)
            throw;
        ReportLibraryNotLoaded(e.description(), title);
        return false;
    }
}

} // namespace

StartUpEntries::StartUpEntries()
    : LoadError(TezLibraryLoadError)
    , CreateEnv(_TezCreateEnv)
    , CreateStmt(_TezCreateStmt)
    , LoadCCT(_TezLoadCCT)
    , LoadLST(_TezLoadLST)
{
}

StartUpEntries& StartUpLibrary()
{
    static StartUpEntries entries;
    return entries;
}

void InitMain()
{
    const QString folder = ProgramFolder();
    LoggedStep(QStringLiteral("InitMain"), [] { gbRunLog = false; });
    LoggedStep(QStringLiteral("InitMain"), [&] {
        gsLogFile = PathJoin(folder, AppExeName() + QStringLiteral(".LOG"));
        CheckLogFileSize(200);
    });
    LoggedStep(QStringLiteral("InitMain"), [&] {
        gsErrFile = PathJoin(folder, AppExeName() + QStringLiteral(".ERR"));
        CheckErrFileSize(100);
    });
    LoggedStep(QStringLiteral("InitMain"), [] {
        gsUserName = GetLoginUserName().left(20);
        gsComputerName = GetThisComputerName();
    });
    LoggedStep(QStringLiteral("InitMain"), [] {
        WriteLog(QStringLiteral("*******") + AppTitle() + QStringLiteral(" Started.") + QStringLiteral("*******"));
        WriteLog(QStringLiteral("       UserName: ") + gsUserName);
        WriteLog(QStringLiteral("   ComputerName: ") + gsComputerName);
    });
    LoggedStep(QStringLiteral("InitMain"), [&] {
        if (!QDir::setCurrent(folder))
            Err().Raise(errPathNotFound);
    });
}

namespace {

// Start-up steps that can end the process; false when it ended.
bool OpenConversionLibrary(FrmMain& main)
{
    const QString notLoaded = StartUpLibrary().LoadError();
    if (!notLoaded.isEmpty()) {
        ReportLibraryNotLoaded(notLoaded, main.Caption());
        return false;
    }
    StartUpLibrary().CreateEnv(&ghEnv);
    return StartUpLibrary().CreateStmt(ghEnv, &ghStmt, 1000) == 0;
}

bool LoadConversionTables(FrmMain& main)
{
    const QString folder = ProgramFolder();
    const QList<ConversionTable> tables = ConversionTables();
    for (int32_t slot = 0; slot < tables.size(); ++slot) {
        const ConversionTable& table = tables[slot];
        const QString path = PathJoin(folder, table.fileName);
        const int32_t rc = StartUpLibrary().LoadCCT(ghEnv, slot, ToSystemCodePage(path).constData(), 0, 0);
        if (rc == 0 || !table.fatal)
            continue;
        const QString where = table.pathInMessage ? path + QStringLiteral(" ") : QString();
        MsgBox(where + LoadResString(1002) + ReturnCodeText(rc), vbCritical + vbOKOnly, main.Caption());
        return false;
    }
    return true;
}

bool LoadTableList(FrmMain& main)
{
    glPCTCount = 0;
    ghPCT.assign(2, 0);
    glPCTStatus.assign(2, 0);
    const QString list = PathJoin(ProgramFolder(), QStringLiteral("PCTS.LST"));
    const TableListLoad load = LoadTableListFile(list, StartUpLibrary().LoadLST);
    if (load.result == TEZ_ERR_LIMIT) {
        MsgBox(LoadResString(1003), vbCritical + vbOKOnly, main.Caption());
        return false;
    }
    ReportTableListLoad(load, list, main.Caption());
    for (int32_t i = 0; i < glPCTCount; ++i)
        TellUnreadableLines(ghPCT[static_cast<std::size_t>(i)], main.Caption());
    return true;
}

} // namespace

void StartUp(FrmMain& main)
{
    main.SingleInstanceLock = std::make_unique<SingleInstance>(ProgramFolder());
    int refusedExitCode = 0;
    if (!TakeProgramFolder(*main.SingleInstanceLock, ProgramFolder(), main.Caption(), refusedExitCode)) {
        main.SingleInstanceLock.reset();
        main.hide();
        EndProcess(refusedExitCode);
        return;
    }
    InitMain();
    InitFileTypes();
    SetAppTitle(LoadResString(8001));
    // The Word window is to be the current one; it is loaded at the end of start-up.
    main.FuncToolbarButton(QStringLiteral("DocConv"))->setChecked(true);
    main.show();

    if (!WithConversionLibrary(main.Caption(),
                               [&main] { return OpenConversionLibrary(main) && LoadConversionTables(main); })) {
        main.hide();
        main.SingleInstanceLock.reset();
        EndProcess(kStartFailedExitCode);
        return;
    }
    LoadGridPictures();
    LoadForm<FrmOutputSetting>();
    if (!LoadTableList(main))
        return; // limited running state: no project, no work window

    main.dlgPrjFile.Filter = QStringLiteral("WSP Files (*.wsp)|*.wsp|WPP Files (*.wpp)|*.wpp|");
    main.dlgPrjFile.Flags = cdlOFNHideReadOnly;
    main.dlgPrjFile.DefaultExt = QStringLiteral("wsp");

    main.SetProjectPath(PathJoin(ProgramFolder(), QStringLiteral("default.wsp")));
    if (QFileInfo::exists(gvPrjFile))
        PrjFileShow(gvPrjFile);

    if (!main.ActiveForm)
        main.ActiveForm = &frmDocConv();
    main.ActiveForm->ShowMenu();
    main.ActiveForm->show();
    main.frmClient_Resize();

    // The scheduler runs only in a program that started completely.
    ScheduleDueCheckHook() = [](const QString& time, const QString& weekday) {
        frmSchedule().ChkSchedPrj(time, weekday);
    };
    main.Timer1->start();
}

void UnloadAllWindows()
{
    UnloadInOrder<FrmOnlineConv, FrmHtmlConv, FrmDocConv, FrmPhraseMgr, FrmOutputSetting, FrmChangeOutput,
                  DlgHtmlSelect, DlgPhraseDetectDir, FrmXlsConv, FrmPptConv, FrmPathConv, FrmSchedule, FrmDBConv>();
    UnloadInOrder<DlgFontMap>();
}

void ShutDown(FrmMain& main, int& cancel)
{
    if (!gvPrjFile.isEmpty()) {
        if (IsFormLoaded<FrmOnlineConv>() && frmOnlineConv().bFileChanged) {
            const int answer = MsgBox(LoadResString(2001), vbYesNoCancel + vbQuestion, LoadResString(8002));
            if (answer == vbCancel || (answer == vbYes && !frmOnlineConv().SaveToFile())) {
                cancel = 1;
                return;
            }
        }
        main.OfferProjectSave();
        if (IsFormLoaded<FrmOnlineConv>())
            frmOnlineConv().bFileChanged = false;
        RunLeaveOperations(); // ExitPhraseMgr, ExitOnlineConv
    }
    main.ActiveForm = nullptr;
    UnloadAllWindows();
    IgnoringFailure([] { WriteLog(QStringLiteral("    ---") + AppTitle() + QStringLiteral(" Ended.") + QStringLiteral("---    ")); });
    main.SingleInstanceLock.reset();
    EndProcess();
}
