#include "batch/CheckPCTOK.h"

#include "core/LoadedTableList.h"
#include "core/mTezC.h"

#include <algorithm>

bool CheckPCTOK()
{
    // The in-use mark is the library's table status: the vocabulary manager's table list shows
    // it and writes every change of it there, and it holds also while the manager was never
    // opened. Which table the manager shows does not matter.
    const int32_t count = std::min<int32_t>(glPCTCount, static_cast<int32_t>(ghPCT.size()));
    for (int32_t i = 0; i < count; ++i) {
        int32_t status = 0;
        if (_TezGetPCTStatus(ghPCT[i], &status) != 0 || !PCTStatusInUse(status))
            continue;
        int32_t items = 0;
        _TezPCTGetItemNum(ghPCT[i], &items);
        if (items > 0)
            return true;
    }
    return false;
}
