#include "core/UnreadableLines.h"

#include "core/PhraseText.h"
#include "core/mTezC.h"
#include "platform/MsgBox.h"
#include "resources/StringTable.h"

#include <QSet>

std::function<int32_t(int32_t)>& UnreadableLineCount()
{
    static std::function<int32_t(int32_t)> count = TezPCTBadLineCount;
    return count;
}

void TellUnreadableLines(int32_t hPct, const QString& title)
{
    static QSet<QString> told;
    const int32_t lines = UnreadableLineCount()(hPct);
    if (lines <= 0)
        return;
    const QString path = PCTGetPath(hPct);
    if (told.contains(path))
        return;
    told.insert(path);
    MsgBox(LoadResString(1103).arg(path).arg(lines), vbExclamation + vbOKOnly, title);
}
