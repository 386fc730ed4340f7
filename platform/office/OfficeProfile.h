#pragma once
// The private profile of the program's office: settings written before its first start.
#include <QString>

namespace office {

// Makes sure the profile folder holds the program's settings: no document locking (the
// program's office never competes with a user's for a file), no auto-save, no recovery,
// and a last-used version above any installed one, so that no start counts as the first
// after an upgrade (which runs seconds of graphics self-tests at every start otherwise).
// Returns false when the folder cannot be written.
bool PrepareOfficeProfile(const QString& profileDir);

}  // namespace office
