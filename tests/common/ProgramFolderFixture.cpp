#include "common/ProgramFolderFixture.h"

#include "common/FileBytes.h"

#include "app/Composition.h"
#include "app/StartUp.h"

#include "batch/WindowLoadedFlags.h"
#include "batch/frmOutputSetting.h"
#include "core/EndProcess.h"
#include "core/Globals.h"
#include "core/Log.h"
#include "core/OfficeAccess.h"
#include "core/SchedulerTick.h"
#include "core/dlgAbout.h"
#include "core/dlgProgress.h"
#include "core/frmMain.h"
#include "database/frmDBConv.h"
#include "platform/App.h"
#include "platform/ModalScript.h"
#include "platform/ProgramFolder.h"
#include "core/LoadedTableList.h"
#include "core/TableListFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QEvent>
#include <QFile>

namespace {
// Every test program has the windows, hooks and project parts of the composed program, also
// where a test loads a window without starting the program first.
const bool kComposed = (ComposeProgram(), true);
} // namespace

void ResetProgramState()
{
    ResetProcessEnd();
    gvPrjFile.clear();
    gvMsg.clear();
    gbSchedRun = false;
    gbOutputSettingOK = false;
    gbDocConvLoaded = gbXlsConvLoaded = gbPptConvLoaded = false;
    gbHtmlConvLoaded = gbPathConvLoaded = gbSpecConvLoaded = false;
    gbDBConvLoaded = false;
    glPCTCount = 0;
    ghPCT.assign(2, 0);
    glPCTStatus.assign(2, 0);
    giCurPCT = -1;
    ClearKeptListLines();
    gbRunLog = false;
    gsLogFile.clear();
    gsErrFile.clear();
    SetAppTitle(QStringLiteral("tezdesk"));
    ScheduleDueCheckHook() = nullptr;
}

ProgramFolderFixture::ProgramFolderFixture()
{
    m_hadHome = qEnvironmentVariableIsSet("TEZDESK_HOME");
    m_oldHome = qgetenv("TEZDESK_HOME");
    m_oldCurrent = QDir::currentPath();
    // Whether an office runs on this machine (other test programs start theirs in parallel)
    // is no part of a program test: the windows see none unless a test says otherwise.
    Office().DetectWord = Office().DetectExcel = Office().DetectPowerPoint = [] { return false; };
    if (!m_dir.isValid())
        return;
    qputenv("TEZDESK_HOME", QFile::encodeName(folder()));
    FillProgramFolder(folder(), InstalledDataFolder());
}

ProgramFolderFixture::~ProgramFolderFixture()
{
    stop();
    ResetProgramState();
    StartUpLibrary() = StartUpEntries();
    QDir::setCurrent(m_oldCurrent);
    if (m_hadHome)
        qputenv("TEZDESK_HOME", m_oldHome);
    else
        qunsetenv("TEZDESK_HOME");
}

QString ProgramFolderFixture::folder() const { return QDir::cleanPath(m_dir.path()); }

QString ProgramFolderFixture::path(const QString& name) const { return folder() + QLatin1Char('/') + name; }

void ProgramFolderFixture::writeFile(const QString& name, const QByteArray& bytes) const
{
    WriteFileBytes(path(name), bytes);
}

QByteArray ProgramFolderFixture::readFile(const QString& name) const { return ReadFileBytes(path(name)); }

FrmMain& ProgramFolderFixture::start()
{
    stop();
    ResetProgramState();
    ComposeProgram();
    return LoadForm<FrmMain>();
}

void ProgramFolderFixture::stop()
{
    if (!IsFormLoaded<FrmMain>())
        return;
    ModalScript quiet; // whatever a window asks while it unloads gets the safe answer
    UnloadForm<DlgProgress>();
    UnloadForm<DlgAbout>();
    UnloadAllWindows();
    FrmMain* main = FormSlot<FrmMain>().data();
    FormSlot<FrmMain>().clear();
    delete main;
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}
