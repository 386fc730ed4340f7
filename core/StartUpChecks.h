#pragma once
// The start-up checks that can end the program before anything else runs: one copy per
// program folder, and a conversion library that loads. Each says what is wrong itself.
#include <QString>

class SingleInstance;

// Exit code of a program that could not start (a second copy ends with 0).
constexpr int kStartFailedExitCode = 1;

// Takes the program folder's lock. When another copy runs, says so (message 1001); when the
// folder cannot hold the lock file, says that the folder cannot be written, naming it. False
// in both cases, with the exit code the process is to end with in exitCode.
bool TakeProgramFolder(SingleInstance& instance, const QString& folder, const QString& title, int& exitCode);

// Says that the conversion library cannot be loaded, naming it and the loader's reason.
void ReportLibraryNotLoaded(const QString& reason, const QString& title);
