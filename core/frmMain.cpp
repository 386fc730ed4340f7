#include "core/frmMain.h"

#include "core/BatchRunning.h"
#include "core/Err.h"
#include "core/Globals.h"
#include "core/Log.h"
#include "core/MainWindowHooks.h"
#include "core/ProjectFile.h"
#include "core/WorkWindow.h"
#include "core/WorkWindowTable.h"
#include "core/Help.h"
#include "core/SchedulerTick.h"
#include "core/dlgAbout.h"
#include "platform/App.h"
#include "platform/MousePointer.h"
#include "platform/MsgBox.h"
#include "platform/ShellOpen.h"
#include "platform/SingleInstance.h"
#include "resources/Pictures.h"
#include "resources/StringTable.h"

#include <QAction>
#include <QCloseEvent>
#include <QDateTime>
#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QScreen>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>

namespace {
// The scheduler's due check compares times to the minute; a tick every 15 seconds never
// misses a minute.
constexpr int kTimerIntervalMs = 15000;
} // namespace

FrmMain& frmMain()
{
    return LoadForm<FrmMain>();
}

FrmMain::FrmMain()
{
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("Velmora"));
    setWindowIcon(ProgramIcon());
    BuildMenus();
    BuildToolbar();

    frmClient = new QWidget(this);
    frmClient->setObjectName(QStringLiteral("frmClient"));
    frmClient->installEventFilter(this);
    setCentralWidget(frmClient);

    StatusBar1 = statusBar();
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    StatusPanel1 = new QLabel(StatusBar1);
    StatusPanel1->setObjectName(QStringLiteral("StatusPanel1"));
    StatusBar1->addWidget(StatusPanel1, 1);

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(kTimerIntervalMs);
    connect(Timer1, &QTimer::timeout, this, &FrmMain::Timer1_Timer); // started by start-up
    // A tick refused during a project load comes again once the load has ended.
    RefusedTickRunner() = [this] {
        if (Timer1->isActive())
            QTimer::singleShot(0, this, &FrmMain::Timer1_Timer);
    };

    // The start size, kept inside the screen the window opens on (a large scale factor
    // leaves few logical pixels).
    QSize start(900, 620);
    if (const QScreen* shown = screen())
        start = start.boundedTo(shown->availableGeometry().size() * 0.9);
    resize(start);
}

FrmMain::~FrmMain() = default;

void FrmMain::Form_Load()
{
    if (MainHooks().startUp)
        MainHooks().startUp(*this);
}

void FrmMain::Form_Unload(int& cancel)
{
    if (MainHooks().shutDown)
        MainHooks().shutDown(*this, cancel);
}

QAction* FrmMain::Menu(const QString& name) const
{
    QAction* action = m_menuItems.value(name);
    if (!action)
        Err().Raise(errInvalidCall, QStringLiteral("No menu item ") + name);
    return action;
}

bool FrmMain::HasMenu(const QString& name) const { return m_menuItems.contains(name); }

QMenu* FrmMain::PopupMenu(const QString& name) const
{
    QMenu* menu = m_popups.value(name);
    if (!menu)
        Err().Raise(errInvalidCall, QStringLiteral("No context menu ") + name);
    return menu;
}

void FrmMain::ShowPopupMenu(const QString& name)
{
    PopupMenu(name)->exec(QCursor::pos());
}

QAction* FrmMain::FuncToolbarButton(const QString& key) const
{
    QAction* button = m_funcButtons.value(key);
    if (!button)
        Err().Raise(errInvalidCall, QStringLiteral("No toolbar button ") + key);
    return button;
}

QString FrmMain::Caption() const { return windowTitle(); }
void FrmMain::SetCaption(const QString& caption) { setWindowTitle(caption); }

void FrmMain::MenuProc(const QString& cmd)
{
    if (gbBatchRunning)
        return;
    if (cmd == QLatin1String("IDM_FILE_EXIT")) {
        close();
        return;
    }
    if (const WorkWindowEntry* entry = WorkWindowByCommand(cmd)) {
        SelectWindow(entry->number, WorkWindowForm(*entry));
        return;
    }
    if (cmd == QLatin1String("IDM_FILE_NEWPRJ"))
        NewProject();
    else if (cmd == QLatin1String("IDM_FILE_OPENPRJ"))
        OpenProject();
    else if (cmd == QLatin1String("IDM_FILE_SAVEPRJ"))
        SaveProject();
    else if (cmd == QLatin1String("IDM_FILE_SAVEASPRJ"))
        SaveAsProject();
    else if (cmd == QLatin1String("IDM_HELP_ABOUT"))
        ShowAbout();
    else if (cmd == QLatin1String("IDM_HELP_HELP"))
        ShowHelp();
    else
        ChildMenuProc(cmd);
}

void FrmMain::ChildMenuProc(const QString& cmd)
{
    // After a start-up that stopped at the table-list limit no work window is current.
    if (!ActiveForm)
        return;
    if (WorkWindowByFormName(ActiveForm->formName()))
        ActiveForm->MenuProc(cmd);
}

void FrmMain::SelectWindow(int number, WorkWindow& window)
{
    for (const WorkWindowEntry& entry : WorkWindowTable())
        if (entry.number == number)
            FuncToolbarButton(QString::fromUtf8(entry.key))->setChecked(true);
    SetActiveForm(window);
}

void FrmMain::FuncToolbar_ButtonClick(const QString& key)
{
    if (const WorkWindowEntry* entry = WorkWindowByKey(key))
        SetActiveForm(WorkWindowForm(*entry));
}

void FrmMain::SetActiveForm(WorkWindow& window)
{
    // The two leave operations (ExitPhraseMgr, ExitOnlineConv) run on every switch.
    RunLeaveOperations();
    if (ActiveForm)
        ActiveForm->hide();
    ActiveForm = &window;
    window.show();
    frmClient_Resize();
    if (WorkWindowByFormName(window.formName()))
        window.ShowMenu();
}

void FrmMain::frmClient_Resize()
{
    // The client area lies between the toolbar and the status bar (the window's layout
    // keeps it there); the current work window fills it.
    if (ActiveForm && ActiveForm->parentWidget() == frmClient)
        ActiveForm->setGeometry(0, 0, frmClient->width(), frmClient->height());
}

bool FrmMain::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == frmClient && event->type() == QEvent::Resize)
        frmClient_Resize();
    return QMainWindow::eventFilter(watched, event);
}

void FrmMain::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    frmClient_Resize();
}

void FrmMain::closeEvent(QCloseEvent* event)
{
    // Closing is unloading: the unload handler may refuse and keep the program running.
    event->ignore();
    // A batch run in progress keeps the program until it ends.
    if (gbBatchRunning)
        return;
    if (FormSlot<FrmMain>() == this)
        UnloadForm<FrmMain>();
}

void FrmMain::Timer1_Timer()
{
    // Inside a modal wait or during a run the tick does nothing; the running timer brings
    // the next one.
    if (!SchedulerTickAllowed(*this))
        return;
    const bool wasEnabled = isEnabled();
    try {
        setEnabled(false);
        Timer1->stop();
        const QDateTime now = QDateTime::currentDateTime();
        const QString time = now.toString(QStringLiteral("HH:mm"));
        const QString weekday = QString::number(now.date().dayOfWeek()); // Monday = 1
        SetMousePointer(vbHourglass);
        if (const ScheduleDueCheck& check = ScheduleDueCheckHook())
            check(time, weekday);
    } catch (...) {
        ErrorLogQuiet(QStringLiteral("Timer1_Timer"));
    }
    // The window and the timer always come back as the tick found them.
    try {
        SetMousePointer(vbDefault);
    } catch (...) {
    }
    setEnabled(wasEnabled);
    Timer1->start();
}

void FrmMain::SetProjectPath(const QString& path)
{
    gvPrjFile = path;
    SetCaption(AppTitle() + QStringLiteral(" - ") + gvPrjFile);
}

void FrmMain::OfferProjectSave()
{
    gvMsg = LoadResString(2004) + gvPrjFile + QStringLiteral("?");
    if (MsgBox(gvMsg, vbYesNo + vbQuestion) == vbYes)
        PrjFileSave(gvPrjFile);
}

QString FrmMain::AskNewProjectName()
{
    dlgPrjFile.DialogTitle = LoadResString(4026);
    dlgPrjFile.FileName.clear();
    dlgPrjFile.ShowSave();
    const QString name = dlgPrjFile.FileName;
    if (name.isEmpty())
        return QString();
    if (QFileInfo::exists(name)
        && MsgBox(LoadResString(2003) + QStringLiteral(" - ") + name, vbYesNo + vbQuestion) == vbNo)
        return QString();
    return name;
}

void FrmMain::NewProject()
{
    OfferProjectSave();
    const QString name = AskNewProjectName();
    if (name.isEmpty())
        return;
    ClearFileLists();
    SetProjectPath(name);
}

void FrmMain::OpenProject()
{
    OfferProjectSave();
    dlgPrjFile.DialogTitle = LoadResString(4027);
    dlgPrjFile.FileName.clear();
    dlgPrjFile.ShowOpen();
    const QString name = dlgPrjFile.FileName;
    if (name.isEmpty())
        return;
    SetProjectPath(name);
    PrjFileShow(gvPrjFile);
    if (ActiveForm)
        ActiveForm->ShowMenu();
}

void FrmMain::SaveProject()
{
    PrjFileSave(gvPrjFile);
}

void FrmMain::SaveAsProject()
{
    const QString name = AskNewProjectName();
    if (name.isEmpty())
        return;
    SetProjectPath(name);
    PrjFileSave(name);
}

void FrmMain::ShowHelp()
{
    // Without the file or a browser to show it, the user learns where the help lies.
    const QString path = QDir::toNativeSeparators(HelpFilePath());
    if (!QFileInfo::exists(path))
        MsgBox(QStringLiteral("找不到帮助文件：\n") + path, vbOKOnly + vbExclamation, Caption());
    else if (!ShellOpen(path))
        MsgBox(QStringLiteral("没有可以显示帮助的浏览器。帮助文件在：\n") + path + QStringLiteral("\n可以用任何网页浏览器打开它。"),
               vbOKOnly + vbInformation, Caption());
}
