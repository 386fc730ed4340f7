#include "platform/data/SecretStore.h"

#include <QEventLoop>
#include <QHash>
#include <QTimer>
#include <qt6keychain/keychain.h>

namespace data {

namespace {

const QString kService = QStringLiteral("tezdesk database connections");

bool gMemoryStore = false;

QHash<QString, QString>& MemoryStore()
{
    static QHash<QString, QString> store;
    return store;
}

// Runs a keychain job to its end (the job reports through the event loop), 10 s at most.
bool RunJob(QKeychain::Job& job)
{
    job.setAutoDelete(false);
    QEventLoop loop;
    QObject::connect(&job, &QKeychain::Job::finished, &loop, &QEventLoop::quit);
    QTimer::singleShot(10000, &loop, &QEventLoop::quit);
    job.start();
    loop.exec();
    return job.error() == QKeychain::NoError;
}

} // namespace

void UseMemorySecretStore(bool on)
{
    gMemoryStore = on;
    MemoryStore().clear();
}

bool SecretStoreAvailable()
{
    if (gMemoryStore)
        return true;
    // The secret stores of a desktop session are reached over its message bus.
    return !qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS") && !qEnvironmentVariableIsSet("TEZDESK_NO_SECRET_STORE");
}

bool StorePassword(const QString& key, const QString& password)
{
    if (!SecretStoreAvailable())
        return false;
    if (gMemoryStore) {
        MemoryStore().insert(key, password);
        return true;
    }
    QKeychain::WritePasswordJob job(kService);
    job.setInsecureFallback(false);
    job.setKey(key);
    job.setTextData(password);
    return RunJob(job);
}

bool FindPassword(const QString& key, QString& password)
{
    if (!SecretStoreAvailable())
        return false;
    if (gMemoryStore) {
        if (!MemoryStore().contains(key))
            return false;
        password = MemoryStore().value(key);
        return true;
    }
    QKeychain::ReadPasswordJob job(kService);
    job.setInsecureFallback(false);
    job.setKey(key);
    if (!RunJob(job))
        return false;
    password = job.textData();
    return true;
}

void ForgetPassword(const QString& key)
{
    if (!SecretStoreAvailable())
        return;
    if (gMemoryStore) {
        MemoryStore().remove(key);
        return;
    }
    QKeychain::DeletePasswordJob job(kService);
    job.setKey(key);
    RunJob(job);
}

QString PasswordKey(const QString& server, const QString& database, const QString& user)
{
    return server + QLatin1Char('\x1f') + database + QLatin1Char('\x1f') + user;
}

} // namespace data
