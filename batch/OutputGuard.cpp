#include "batch/OutputGuard.h"

#include "batch/frmOutputSetting.h"
#include "core/Err.h"
#include "core/OutputReplaceRule.h"
#include "platform/Form.h"
#include "platform/ProgramFolder.h"

#include <QFileInfo>

void CheckOutputReplaceable(const QString& output)
{
    // A new output replaces nothing (the folders allowed need not be found then).
    const QFileInfo info(output);
    if (!info.exists() && !info.isSymLink())
        return;
    QStringList allowed{ProgramFolder()};
    if (IsFormLoaded<FrmOutputSetting>())
        allowed << frmOutputSetting().strDir;
    const QString refusal = OutputReplaceRefusal(output, allowed);
    if (!refusal.isEmpty())
        throw RuntimeError(errPathFileAccess, refusal);
}
