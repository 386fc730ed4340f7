#pragma once
// What the office converter tests share before their first case: the program's office with a
// private profile in the test's folder, a main window, a library statement and the tables
// built with the program.
#include "common/LoadGeneratedTables.h"

#include "core/Globals.h"
#include "core/frmMain.h"
#include "core/mTezC.h"
#include "office/OfficeSession.h"
#include "platform/office/OfficeSuite.h"

#include <QTemporaryDir>

namespace office_tests {

inline void StartConverterTests(const QTemporaryDir& dir)
{
    office::OfficeSettings settings = office::DefaultOfficeSettings();
    settings.profileDir = dir.filePath(QStringLiteral("profile"));
    office_session::SetProgramOfficeSettings(settings);
    if (!IsFormLoaded<FrmMain>())
        FormSlot<FrmMain>() = new FrmMain;
    _TezCreateEnv(&ghEnv);
    _TezCreateStmt(ghEnv, &ghStmt, 1000);
    LoadGeneratedTables(ghEnv);
}

}  // namespace office_tests
