#include "batch/CheckPCTOK.h"

#include "core/LoadedTableList.h"
#include "core/mTezC.h"

#include <algorithm>

bool CheckPCTOK()
{
    const int32_t count = std::min<int32_t>(glPCTCount, static_cast<int32_t>(std::min(ghPCT.size(), glPCTStatus.size())));
    for (int32_t i = 0; i < count; ++i) {
        if (!PCTStatusInUse(glPCTStatus[i]))
            continue;
        int32_t items = 0;
        _TezPCTGetItemNum(ghPCT[i], &items);
        if (items > 0)
            return true;
    }
    return false;
}
