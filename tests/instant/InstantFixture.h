#pragma once
// The whole program started in a temporary program folder (generated tables, the shipped
// vocabulary list), with the instant window made the current window.
#include "common/ProgramFolderFixture.h"
#include "core/EndProcess.h"
#include "core/frmMain.h"
#include "core/mTezC.h"
#include "instant/frmOnlineConv.h"
#include "platform/ModalScript.h"

class InstantFixture {
public:
    InstantFixture()
    {
        ModalScript startUp;
        m_program.start();
        m_started = !ProcessEnded() && startUp.asked().isEmpty() && ghStmt != 0;
        if (m_started)
            frmMain().MenuProc(QStringLiteral("IDM_WINDOW_ONLINECONVERT"));
    }

    // The program started without a question and the instant window is current.
    bool ready() const { return m_started && frmMain().ActiveForm == &frmOnlineConv(); }

private:
    ProgramFolderFixture m_program;
    bool m_started = false;
};
