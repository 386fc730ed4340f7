#include "vocabulary/dlgSearchPhraseSupport.h"

#include "core/mTezC.h"
#include "platform/FlexGrid.h"
#include "resources/StringTable.h"

void SetupPhraseResultGrid(FlexGrid* lst)
{
    struct Column {
        int header;
        int width;
    };
    static constexpr Column columns[] = {{5001, 800}, {5002, 500}, {5004, 1200}, {5003, 1200}, {5005, 8000}};
    lst->setFixedRows(0);
    lst->setRows(1);
    lst->setCols(5);
    for (int c = 0; c < 5; ++c) {
        lst->setColWidth(c, columns[c].width);
        lst->setTextMatrix(0, c, LoadResString(columns[c].header));
    }
}

void WriteItemBack(int32_t hPct, int32_t index, bool inUse, const std::optional<QByteArray>& trad,
                   const std::optional<QByteArray>& simp)
{
    _TezPCTEnableItem(hPct, index, inUse ? -1 : 0);
    // A term the library cannot take leaves the item's terms as they were.
    if (trad && simp)
        _TezPCTModifyItem(hPct, index, trad->constData(), simp->constData());
}
