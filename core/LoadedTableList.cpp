#include "core/LoadedTableList.h"

#include "core/PhraseText.h"
#include "core/mTezC.h"

#include <cstddef>

int32_t glPCTCount = 0;
std::vector<int32_t> ghPCT(2, 0);
std::vector<int32_t> glPCTStatus(2, 0);
int16_t giCurPCT = -1;

void ReDimPreserveTables(int32_t last)
{
    const auto size = static_cast<std::size_t>(last < 0 ? 0 : last + 1);
    ghPCT.resize(size, 0);
    glPCTStatus.resize(size, 0);
}

void EnsureTableRoom()
{
    const auto needed = static_cast<std::size_t>(glPCTCount < 0 ? 0 : glPCTCount) + 1;
    if (ghPCT.size() < needed)
        ghPCT.resize(needed, 0);
    if (glPCTStatus.size() < needed)
        glPCTStatus.resize(needed, 0);
}

void RemoveTableEntry(int32_t index)
{
    if (index < 0 || index >= glPCTCount)
        return;
    for (int32_t j = index + 1; j < glPCTCount; ++j) {
        ghPCT[j - 1] = ghPCT[j];
        glPCTStatus[j - 1] = glPCTStatus[j];
    }
    ghPCT[glPCTCount - 1] = 0;
    glPCTStatus[glPCTCount - 1] = 0;
    --glPCTCount;
    if (giCurPCT == index)
        giCurPCT = -1;
    else if (giCurPCT > index)
        --giCurPCT;
}

bool HasCurrentTable()
{
    return giCurPCT >= 0 && giCurPCT < glPCTCount && static_cast<std::size_t>(giCurPCT) < ghPCT.size();
}

QStringList LoadedTablePaths()
{
    QStringList paths;
    for (int32_t j = 0; j < glPCTCount && static_cast<std::size_t>(j) < ghPCT.size(); ++j)
        paths << PCTGetPath(ghPCT[static_cast<std::size_t>(j)]);
    return paths;
}

int32_t FindLoadedTable(const QString& path) { return static_cast<int32_t>(LoadedTablePaths().indexOf(path)); }

QList<TableRowState> LoadedTableRows()
{
    const QStringList paths = LoadedTablePaths();
    const int32_t current = HasCurrentTable() ? giCurPCT : 0;
    QList<TableRowState> rows;
    for (int32_t i = 0; i < paths.size(); ++i) {
        int32_t status = 0;
        _TezGetPCTStatus(ghPCT[static_cast<std::size_t>(i)], &status);
        rows.push_back({paths.at(i), (PCTStatusInUse(status) ? 1 : 0) | (i == current ? 2 : 0)});
    }
    return rows;
}

TableUnload UnloadTable(int32_t hPct, int32_t* result)
{
    const int32_t r = _TezUnloadPCT(ghStmt, hPct);
    if (result)
        *result = r;
    // A handle the library does not know had nothing to write.
    if (r == 0 || r == TEZ_ERR_HANDLE)
        return TableUnload::Unloaded;
    int32_t status = 0;
    return _TezGetPCTStatus(hPct, &status) == 0 ? TableUnload::NotSaved : TableUnload::NotSavedLost;
}
