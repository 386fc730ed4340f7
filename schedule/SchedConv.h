#pragma once
// The unattended run of one saved project: the project is read into the windows, their lists
// emptied first so that it runs exactly its own rows, and the Run command goes to each window
// whose list holds rows, with every question answered unseen.
#include <QString>

// True when the project was read and every window's run that it needed succeeded; false when
// the file is missing or unreadable, a run failed, or a window with rows has no run to send.
bool SchedConv(const QString& projectPath);
