#include "vocabulary/LoadedTableList.h"

#include <cstddef>

int32_t glPCTCount = 0;
std::vector<int32_t> ghPCT(2, 0);
std::vector<int32_t> glPCTStatus(2, 0);
int16_t giCurPCT = -1;
bool gbPCTListLoaded = false;

void ReDimPreserveTables(int32_t last)
{
    const auto size = static_cast<std::size_t>(last < 0 ? 0 : last + 1);
    ghPCT.resize(size, 0);
    glPCTStatus.resize(size, 0);
}
