#include "batch/OfficeRunHolds.h"

#include "core/OfficeAccess.h"

OfficeRunHolds::~OfficeRunHolds()
{
    for (std::function<void()>& exit : m_exits)
        if (exit)
            exit();
}

void OfficeRunHolds::HoldOnce(Kind kind)
{
    if (!m_tried[kind])
        Hold(kind);
}

bool OfficeRunHolds::Hold(Kind kind)
{
    if (m_exits[kind])
        return true;
    m_tried[kind] = true;
    OfficeServices& office = Office();
    const std::function<bool()>& init = kind == Word ? office.InitWordApp
                                        : kind == Excel ? office.InitExcelApp
                                                        : office.InitPowerPointApp;
    if (!init())
        return false;
    m_exits[kind] = kind == Word ? office.ExitWordApp : kind == Excel ? office.ExitExcelApp : office.ExitPowerPointApp;
    return true;
}
