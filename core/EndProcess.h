#pragma once
// Ending the process. The program ends from inside its main window's load and unload
// handlers; the end is recorded here and the event loop is told to finish, so that the
// caller returns normally and main() returns. Tests read the record instead of dying.

// Records that the process is to end with this code and stops the running event loop.
// The caller returns at once after calling it.
void EndProcess(int code = 0);

// True once EndProcess was called (until ResetProcessEnd).
bool ProcessEnded();
int ProcessExitCode();

// Forgets an earlier EndProcess (tests that start the program again in one process).
void ResetProcessEnd();
