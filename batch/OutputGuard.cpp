#include "batch/OutputGuard.h"

#include "batch/frmOutputSetting.h"
#include "core/Err.h"
#include "core/OutputReplaceRule.h"
#include "platform/Form.h"
#include "platform/ProgramFolder.h"

void CheckOutputReplaceable(const QString& output)
{
    QStringList allowed{ProgramFolder()};
    if (IsFormLoaded<FrmOutputSetting>())
        allowed << frmOutputSetting().strDir;
    const QString refusal = OutputReplaceRefusal(output, allowed);
    if (!refusal.isEmpty())
        throw RuntimeError(errPathFileAccess, refusal);
}
