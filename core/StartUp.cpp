// Start-up and shut-down of the program: the main window's load and unload handlers.
#include "core/StartUp.h"

#include "batch/FileTypes.h"
#include "batch/dlgHtmlSelect.h"
#include "batch/frmChangeOutput.h"
#include "batch/frmDocConv.h"
#include "batch/frmHtmlConv.h"
#include "core/frmOutputSetting.h"
#include "batch/frmPathConv.h"
#include "batch/frmPptConv.h"
#include "batch/frmSpecConv.h"
#include "batch/frmXlsConv.h"
#include "core/EndProcess.h"
#include "core/Err.h"
#include "core/FileUtil.h"
#include "core/Globals.h"
#include "core/GridPictures.h"
#include "core/Log.h"
#include "core/ProjectFile.h"
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
#include "vocabulary/dlgPhraseDetectDir.h"
#include "vocabulary/frmPhraseMgr.h"

#include <QAction>
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

} // namespace

StartUpEntries::StartUpEntries()
    : CreateEnv(_TezCreateEnv)
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

bool FrmMain::OpenConversionLibrary()
{
    StartUpLibrary().CreateEnv(&ghEnv);
    return StartUpLibrary().CreateStmt(ghEnv, &ghStmt, 1000) == 0;
}

bool FrmMain::LoadConversionTables()
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
        MsgBox(where + LoadResString(1002) + ReturnCodeText(rc), vbCritical + vbOKOnly, Caption());
        return false;
    }
    return true;
}

bool FrmMain::LoadTableList()
{
    glPCTCount = 0;
    gbPCTListLoaded = false;
    ghPCT.assign(2, 0);
    glPCTStatus.assign(2, 0);
    const QString list = PathJoin(ProgramFolder(), QStringLiteral("PCTS.LST"));
    const int32_t rc = StartUpLibrary().LoadLST(ghStmt, ToSystemCodePage(list).constData());
    if (rc == 0) {
        int32_t count = 0;
        _TezGetPCTNum(ghStmt, &count);
        glPCTCount = count;
        ReDimPreserveTables(glPCTCount + 1);
        for (int32_t i = 0; i < glPCTCount; ++i)
            _TezGetPCT(ghStmt, i, &ghPCT[static_cast<std::size_t>(i)]);
        gbPCTListLoaded = true;
        return true;
    }
    if (rc == TEZ_ERR_LIMIT) {
        MsgBox(LoadResString(1003), vbCritical + vbOKOnly, Caption());
        return false;
    }
    MsgBox(LoadResString(1004) + ReturnCodeText(rc), vbCritical + vbOKOnly, Caption());
    return true;
}

void FrmMain::Form_Load()
{
    m_instance = std::make_unique<SingleInstance>(ProgramFolder());
    if (m_instance->PrevInstance()) {
        MsgBox(LoadResString(1001), vbCritical + vbOKOnly, Caption());
        m_instance.reset();
        hide();
        EndProcess();
        return;
    }
    InitMain();
    InitFileTypes();
    SetAppTitle(LoadResString(8001));
    // The Word window is to be the current one; it is loaded at the end of start-up.
    FuncToolbarButton(QStringLiteral("DocConv"))->setChecked(true);
    show();

    if (!OpenConversionLibrary() || !LoadConversionTables()) {
        hide();
        m_instance.reset();
        EndProcess();
        return;
    }
    LoadGridPictures();
    LoadForm<FrmOutputSetting>();
    if (!LoadTableList())
        return; // limited running state: no project, no work window

    dlgPrjFile.Filter = QStringLiteral("WSP Files (*.wsp)|*.wsp|WPP Files (*.wpp)|*.wpp|");
    dlgPrjFile.InitDir = ProgramFolder();
    dlgPrjFile.Flags = cdlOFNHideReadOnly;
    dlgPrjFile.DefaultExt = QStringLiteral("wsp");

    SetProjectPath(PathJoin(ProgramFolder(), QStringLiteral("default.wsp")));
    if (QFileInfo::exists(gvPrjFile))
        PrjFileShow(gvPrjFile);

    if (!ActiveForm)
        ActiveForm = &frmDocConv();
    ActiveForm->ShowMenu();
    ActiveForm->show();
    frmClient_Resize();
}

void UnloadAllWindows()
{
    UnloadInOrder<FrmOnlineConv, FrmHtmlConv, FrmDocConv, FrmPhraseMgr, FrmOutputSetting, FrmChangeOutput,
                  DlgHtmlSelect, DlgPhraseDetectDir, FrmXlsConv, FrmPptConv, FrmPathConv, FrmSchedule, FrmDBConv>();
}

void FrmMain::Form_Unload(int& cancel)
{
    if (!gvPrjFile.isEmpty()) {
        if (IsFormLoaded<FrmOnlineConv>() && frmOnlineConv().bFileChanged) {
            const int answer = MsgBox(LoadResString(2001), vbYesNoCancel + vbQuestion, LoadResString(8002));
            if (answer == vbCancel || (answer == vbYes && !frmOnlineConv().SaveToFile())) {
                cancel = 1;
                return;
            }
        }
        OfferProjectSave();
        if (IsFormLoaded<FrmOnlineConv>())
            frmOnlineConv().bFileChanged = false;
        if (gbPCTListLoaded && IsFormLoaded<FrmPhraseMgr>())
            frmPhraseMgr().ExitPhraseMgr();
        if (IsFormLoaded<FrmOnlineConv>())
            frmOnlineConv().ExitOnlineConv();
    }
    ActiveForm = nullptr;
    UnloadAllWindows();
    IgnoringFailure([] { WriteLog(QStringLiteral("    ---") + AppTitle() + QStringLiteral(" Ended.") + QStringLiteral("---    ")); });
    m_instance.reset();
    EndProcess();
}
