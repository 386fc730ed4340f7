#pragma once
// An unattended (scheduled) run. While one is alive gbSchedRun is set and every modal
// question is answered without waiting: the question is written to the run log and
// answered with the choice that loses nothing (OK, Cancel, or No where there is no Cancel;
// a file or folder dialog is cancelled, an own dialog is left unconfirmed).
// Set gbSchedRun only through this guard.
#include "platform/Modal.h"

class UnattendedRun {
public:
    UnattendedRun();
    ~UnattendedRun();
    UnattendedRun(const UnattendedRun&) = delete;
    UnattendedRun& operator=(const UnattendedRun&) = delete;

private:
    bool m_wasSchedRun;
    modal::Handler m_previous;
};

// The answer an unattended run gives to a request (also logs it).
modal::Answer AnswerUnattended(const modal::Request& request);
