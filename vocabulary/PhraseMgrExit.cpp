// Leaving the vocabulary manager: the library's table list is rebuilt in the displayed
// order with the displayed statuses and saved to PCTS.LST.
#include "vocabulary/frmPhraseMgr.h"

#include "core/Log.h"
#include "core/mTezC.h"
#include "core/UnreadableLines.h"
#include "platform/FlexGrid.h"
#include "platform/MsgBox.h"
#include "platform/ProgramFolder.h"
#include "resources/StringTable.h"
#include "core/LoadedTableList.h"
#include "core/TableListFile.h"
#include "vocabulary/PhraseMgrSupport.h"
#include "core/PhraseText.h"

#include <QFileInfo>
#include <QStringList>

#include <vector>

void FrmPhraseMgr::TellTablesNotSaved(const QStringList& kept, const QStringList& lost)
{
    if (!kept.isEmpty())
        MsgBox(LoadResString(1104).arg(kept.join(QChar(10))), vbExclamation, LoadResString(8009));
    for (const QString& text : lost)
        MsgBox(LoadResString(1007) + QChar(10) + text, vbExclamation, LoadResString(8009));
}

int16_t FrmPhraseMgr::ExitPhraseMgr()
{
    if (!bManagerLoaded)
        return 0;
    try {
        const QStringList paths = LoadedTablePaths();

        // Each table leaves the library's list with its changes written. One whose changes
        // could not be written stays loaded with them and is written at the next leave.
        std::vector<bool> stays(static_cast<std::size_t>(paths.size()), false);
        QStringList notSaved;
        QStringList lost;
        for (int32_t i = 0; i < paths.size(); ++i) {
            int32_t result = 0;
            const TableUnload unload = UnloadTable(ghPCT[static_cast<std::size_t>(i)], &result);
            if (unload == TableUnload::NotSaved) {
                stays[static_cast<std::size_t>(i)] = true;
                notSaved << paths.at(i);
            } else if (unload == TableUnload::NotSavedLost) {
                lost << paths.at(i) + QChar(10) + ReturnText(result);
            }
        }

        QStringList refused;
        QList<int32_t> handles;
        for (int32_t i = 0; i < paths.size(); ++i) {
            if (stays[static_cast<std::size_t>(i)]) {
                handles << ghPCT[static_cast<std::size_t>(i)];
                continue;
            }
            QString path = paths.at(i);
            if (QFileInfo(path).isRelative())
                path = PathJoin(ProgramFolder(), path);
            int32_t hPct = 0;
            const int32_t r = _TezLoadPCT(ghStmt, PathToBytes(path).constData(), &hPct);
            if (r != 0 && r != TEZ_WARN_PARTIAL) {
                refused << TableRefusedText(path, r);
                KeepTableListEntry(TableListPath(), i, path, glPCTStatus[i]);
                handles << 0;
                continue;
            }
            _TezSetPCTStatus(hPct, glPCTStatus[i]);
            handles << hPct;
        }
        for (int32_t i = 0; i < handles.size(); ++i)
            ghPCT[i] = handles.at(i);
        // A table that could not be loaded again is no longer in the library's list: it
        // leaves the program's list too, instead of staying there with a dead handle, and
        // the list file keeps its line.
        for (int32_t i = static_cast<int32_t>(handles.size()) - 1; i >= 0; --i) {
            if (handles.at(i) != 0)
                continue;
            const bool shown = giCurPCT == i;
            RemoveTableEntry(i);
            if (lstPCT->Rows() > i + 1)
                lstPCT->RemoveItem(i + 1);
            if (shown)
                EmptyList(lstPhrase);
        }
        TellTablesNotSaved(notSaved, lost);
        for (const QString& text : refused)
            MsgBox(text, vbCritical, LoadResString(8009));
        for (int32_t i = 0; i < glPCTCount; ++i)
            TellUnreadableLines(ghPCT[static_cast<std::size_t>(i)], LoadResString(8009));

        const int32_t r = SaveTableList();
        if (r != 0)
            MsgBox(LoadResString(1007) + QChar(10) + ReturnText(r), vbExclamation, LoadResString(8009));
        return static_cast<int16_t>(r);
    } catch (...) {
        ErrorLog(QStringLiteral("ExitPhraseMgr"));
        return -1;
    }
}
