#pragma once
// The conversion library as the vocabulary tests set it up: an environment with the
// conversion tables installed with the build, or a statement that has none; and the
// program's table list emptied.
#include "common/LoadGeneratedTables.h"
#include "core/mTezC.h"
#include "platform/CodePage.h"
#include "core/LoadedTableList.h"

#include <QByteArray>
#include <QDir>
#include <QList>
#include <QString>

#include <cstdint>
#include <vector>

// One item as the library holds it: its 8-bit terms and its status.
struct RawItem {
    QByteArray trad;
    QByteArray simp;
    int32_t status = 0;
    bool operator==(const RawItem& o) const { return trad == o.trad && simp == o.simp && status == o.status; }
};

// Every item of a loaded table, in table order.
inline QList<RawItem> TableItems(int32_t h)
{
    QList<RawItem> out;
    int32_t count = 0;
    _TezPCTGetItemNum(h, &count);
    for (int32_t i = 0; i < count; ++i) {
        std::vector<char> trad(400, '\0');
        std::vector<char> simp(400, '\0');
        int32_t tradLen = 399;
        int32_t simpLen = 399;
        RawItem item;
        _TezPCTGetItem(h, i, trad.data(), &tradLen, simp.data(), &simpLen, &item.status);
        item.trad = QByteArray(trad.data());
        item.simp = QByteArray(simp.data());
        out << item;
    }
    return out;
}

// Creates a table at path through the library and inserts the items (each with trad, simp
// and status) in order; returns its handle, 0 when the library could not create it.
template <class Item>
int32_t NewTableWithItems(const QString& path, const QList<Item>& items)
{
    int32_t h = 0;
    if (_TezNewPCT(ghStmt, ToSystemCodePage(path).constData(), &h) != 0)
        return 0;
    for (int i = 0; i < items.size(); ++i)
        _TezPCTInsertItem(h, i, ToSystemCodePage(items[i].trad).constData(), ToSystemCodePage(items[i].simp).constData(),
                          items[i].status);
    return h;
}

// Empties the program's table list (no table loaded, none current).
inline void ClearLoadedTables()
{
    glPCTCount = 0;
    ghPCT.assign(2, 0);
    glPCTStatus.assign(2, 0);
    giCurPCT = -1;
}

// A new statement in a new environment without conversion tables: it can neither encode
// nor convert a term.
inline int32_t NewStatementWithoutTables()
{
    int32_t env = 0;
    int32_t stmt = 0;
    _TezCreateEnv(&env);
    _TezCreateStmt(env, &stmt, 1000);
    return stmt;
}
