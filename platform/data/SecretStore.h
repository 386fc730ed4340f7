#pragma once
// Stored passwords in the desktop's secret store. Where no secret store runs (no desktop
// session), nothing is stored and nothing is found: the program asks again.
#include <QString>

namespace data {

// True when a secret store can be reached.
bool SecretStoreAvailable();
// Stores the password under the key; false when it could not be stored.
bool StorePassword(const QString& key, const QString& password);
// The password stored under the key; false when there is none.
bool FindPassword(const QString& key, QString& password);
void ForgetPassword(const QString& key);

// Tests: keep passwords in this process's memory in place of the desktop's store.
void UseMemorySecretStore(bool on);

// The key of a saved connection's password: server, database and login.
QString PasswordKey(const QString& server, const QString& database, const QString& user);

} // namespace data
