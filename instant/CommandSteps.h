#pragma once
// How the instant window's commands treat failures: a failing step is skipped and the
// command goes on; a conversion the library refuses is written to the error log.
#include <QString>

#include <functional>

// Runs one step of a command; a step that fails is skipped.
void Step(const std::function<void()>& step);

// Runs one library conversion. A nonzero result or a thrown failure is written to the
// error log under the procedure's name, with a beep; returns true on success.
bool Converted(const QString& procName, const std::function<int()>& call);
