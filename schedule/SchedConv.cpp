#include "schedule/SchedConv.h"

#include "core/KeptWork.h"
#include "core/Log.h"
#include "core/ProjectFile.h"
#include "core/RunOutcome.h"
#include "core/UnattendedRun.h"
#include "core/WorkWindow.h"
#include "core/WorkWindowTable.h"
#include "core/frmMain.h"
#include "platform/FlexGrid.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace {
struct RunWindow {
    const char* formName;
    const char* gridName;
};

// In the order the project runs them; the text-file encoding window is not run.
constexpr RunWindow kRunWindows[] = {
    {"frmDocConv", "lstDoc"}, {"frmXlsConv", "lstXls"},     {"frmPptConv", "lstPpt"},
    {"frmHtmlConv", "lstHtml"}, {"frmDBConv", "lstTables"}, {"frmPathConv", "lstPath"},
};

void LogLine(const QString& text)
{
    // Written whether or not the run-log switch is on, like the unattended questions.
    if (!gsLogFile.isEmpty())
        WriteTEXT(TimeStamped(text), gsLogFile);
}

// Sends the window's Run when its list has rows; false when that run did not succeed.
bool RunWindowList(const RunWindow& target, const QString& project)
{
    // A window never loaded holds no rows, and loading it would change what the user's
    // project saves next.
    const QString formName = QString::fromUtf8(target.formName);
    const WorkWindowEntry* entry = WorkWindowByFormName(formName);
    if (!entry || !frmMain().frmClient->findChild<WorkWindow*>(formName, Qt::FindDirectChildrenOnly))
        return true;
    WorkWindow& window = WorkWindowForm(*entry);
    const auto* grid = window.findChild<FlexGrid*>(QString::fromUtf8(target.gridName));
    if (!grid || grid->Rows() < 2)
        return true;
    const auto* report = dynamic_cast<const RunOutcomeReport*>(&window);
    if (!report) {
        LogLine(QStringLiteral("SchedConv: ") + project + QStringLiteral(", ") + window.formName()
                + QStringLiteral(" has no run yet; its list is skipped"));
        return false;
    }
    window.MenuProc(QStringLiteral("IDM_FILE_RUN"));
    if (report->LastRunOutcome() == RunOutcome::Succeeded)
        return true;
    LogLine(QStringLiteral("SchedConv: ") + project + QStringLiteral(", ") + window.formName()
            + QStringLiteral(" run failed"));
    return false;
}
} // namespace

bool SchedConv(const QString& projectPath)
{
    const UnattendedRun unattended; // gbSchedRun, and no question waits for anyone
    bool succeeded = false;
    try {
        if (!QFileInfo(projectPath).isFile()) {
            LogLine(QStringLiteral("SchedConv: ") + projectPath + QStringLiteral(" not found"));
            return false;
        }
        frmMain().SetProjectPath(projectPath);
        // Reading leaves a list alone where the project has none: the project runs only its own.
        EmptyProjectLists();
        if (!PrjFileShow(projectPath)) {
            LogLine(QStringLiteral("SchedConv: ") + projectPath + QStringLiteral(" could not be read"));
            return false;
        }
        QCoreApplication::processEvents();
        succeeded = true;
        for (const RunWindow& target : kRunWindows) {
            if (!RunWindowList(target, projectPath))
                succeeded = false;
            QCoreApplication::processEvents();
        }
    } catch (...) {
        ErrorLogQuiet(QStringLiteral("SchedConv"));
        succeeded = false;
    }
    return succeeded;
}
