#pragma once
// One headless office process owned by the program, reached over its own pipe with a
// private profile: a user's own running office is never used or disturbed. Every call
// into the office is guarded by a watchdog; a call that does not return in time ends the
// office process and fails, and the next load starts a fresh office. The office is also
// restarted after a number of documents, since it grows with each one.
//
// Start it from the thread that uses it (the process is tied to that thread's life).
#include "platform/office/OfficeDocument.h"

#include <QString>

#include <chrono>
#include <memory>

namespace office {

struct OfficeSettings {
    // The office's program folder (holds soffice.bin and the type libraries).
    QString programDir;
    // Private profile folder; empty: a temporary folder of this process.
    QString profileDir;
    std::chrono::milliseconds startTimeout{60000};
    std::chrono::milliseconds callTimeout{120000};
    // Restart the office after this many loaded documents.
    int documentsPerProcess = 300;
};

// Settings with the office installation the program was built against.
OfficeSettings DefaultOfficeSettings();

// Guarded calls into the office (each a group of cross-process calls) and the time spent in them.
struct CallStatistics {
    long calls = 0;
    double seconds = 0;
};

class OfficeSuite {
public:
    explicit OfficeSuite(OfficeSettings settings = DefaultOfficeSettings());
    // Ends the office process without talking to it.
    ~OfficeSuite();
    OfficeSuite(const OfficeSuite&) = delete;
    OfficeSuite& operator=(const OfficeSuite&) = delete;

    // Starts the office and connects to it; does nothing while it runs. Throws
    // OfficeError(StartFailed) when it cannot be started or does not answer in time.
    void Start();
    // Asks the office to end, and ends its process when it does not; never throws.
    void Stop();
    // Whether the office process is alive and connected.
    bool IsRunning() const;
    // The office's process id, 0 when none runs.
    long ProcessId() const;
    // The office's product name and version as it reports them ("" when unknown).
    QString ProductName() const;

    // Loads a document hidden, with no macro run, no link update and no question asked (an
    // encrypted document fails). Starts the office first when none runs or it is due for a
    // restart. Throws OfficeError: FileMissing, LoadFailed, WrongFormat (loaded as another
    // kind or through a filter not of that kind), TimedOut.
    OfficeDocument Load(const QString& path, DocumentKind kind);
    // Closes every document of the kind that is still open; returns how many.
    int CloseAll(DocumentKind kind);

    // Documents loaded since the office process started.
    int DocumentsLoaded() const;
    // Office processes this object has started so far, restarts included.
    int Starts() const;
    void SetCallTimeout(std::chrono::milliseconds limit);
    CallStatistics Statistics() const;

    struct Impl;

private:
    OfficeDocument LoadInto(const QString& path, DocumentKind kind);
    std::shared_ptr<Impl> m_impl;
};

}  // namespace office
