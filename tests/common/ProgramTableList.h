#pragma once
// Vocabulary tables a test puts into the program's table list (ghPCT, glPCTStatus) and the
// library's, and takes out again.
#include "core/Globals.h"
#include "core/LoadedTableList.h"
#include "core/mTezC.h"

#include <vector>

namespace test_tables {

class ProgramTableList {
public:
    // Appends the loaded table h with its status in the program's list (the library's own
    // status of the table is left as it is).
    void Add(int32_t h, int32_t status)
    {
        m_tables.push_back(h);
        ghPCT[glPCTCount] = h;
        glPCTStatus[glPCTCount] = status;
        ++glPCTCount;
        EnsureTableRoom();
    }
    // Unloads every table added and leaves the program's list empty.
    void Drop()
    {
        for (int32_t h : m_tables)
            _TezUnloadPCT(ghStmt, h);
        m_tables.clear();
        glPCTCount = 0;
        ghPCT.assign(2, 0);
        glPCTStatus.assign(2, 0);
    }

private:
    std::vector<int32_t> m_tables;
};

}  // namespace test_tables
