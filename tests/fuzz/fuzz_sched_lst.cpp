// The schedule list file: any bytes read as Sched.lst, written back and read again.
#include "ProgramFuzz.h"

#include "schedule/SchedLstFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::application();
    const QString path = fuzz::writeFile("Sched.lst", data, size);
    const QList<ScheduleRow> rows = ReadSchedLst(path);
    WriteSchedLst(path, rows);
    ReadSchedLst(path);
    return 0;
}
