#pragma once
// The program's one office process, shared by every kind of document and by the
// word-processor operations. Started on first use, restarted when it died; it ends when the
// last kind that holds it quits, after a while without use when nothing holds it, and at the
// latest when the program ends.
#include "platform/office/OfficeSuite.h"

namespace office_session {

// The program's office (created, not started, on first use).
office::OfficeSuite& ProgramOffice();
// Replaces the settings the program's office starts with (the old office is stopped).
void SetProgramOfficeSettings(const office::OfficeSettings& settings);
// Stops the program's office now.
void StopProgramOffice();

// Which kinds of document hold the office.
enum class Holder { Word = 1, Excel = 2, PowerPoint = 4 };
void Hold(Holder holder);
// Releases a hold; stops the office when none is left.
void Release(Holder holder);
bool IsHeld();

// Called after a use of the office outside any hold: it is stopped after idleMs without use.
void StopWhenIdle();
void SetIdleStopMs(int idleMs);

}  // namespace office_session
