#pragma once
// A private PostgreSQL server for a test: initdb into a temporary folder, started with
// pg_ctl on a Unix socket in that folder (no TCP), password login for the user "tez".
// The server refuses to run as root; then it runs as the user "nobody" (runuser).
#include <QString>
#include <QTemporaryDir>

class PgServer {
public:
    PgServer();
    ~PgServer();
    PgServer(const PgServer&) = delete;
    PgServer& operator=(const PgServer&) = delete;

    // Creates the cluster and starts the server; false (with why()) when it cannot.
    bool start();
    // Starts the stopped server again on its cluster.
    bool restart() { return startServer(); }
    // Stops the server at once (as a crash would).
    void kill();
    bool running() const { return m_running; }
    QString why() const { return m_why; }

    // The socket folder, given to the data layer as the server.
    QString socketDir() const { return m_dir.path(); }
    int port() const { return 54329; }
    // "socketDir:port", as the connection dialog takes it.
    QString server() const;
    static QString user() { return QStringLiteral("tez"); }
    static QString password() { return QStringLiteral("pa;ss'w{d}"); }
    // Runs SQL through psql on the database; true on success.
    bool psql(const QString& database, const QString& sql, QString* output = nullptr) const;

private:
    bool startServer();
    bool run(const QStringList& command, QString* output = nullptr) const;
    QTemporaryDir m_dir;
    bool m_running = false;
    QString m_why;
};
