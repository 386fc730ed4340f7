#pragma once
// One running copy per program folder: the first copy holds a lock file there for its
// whole life; a second copy fails to take it and learns that one runs. A folder that cannot
// hold the lock file (read-only, missing and not creatable, a leftover lock that cannot be
// replaced) is told apart from a running copy.
#include <QLockFile>
#include <QString>
#include <memory>

class SingleInstance {
public:
    enum class Outcome {
        Acquired,          // this process is the only copy and holds the lock
        AnotherCopyRuns,   // a live process holds the lock
        FolderNotWritable, // the lock file cannot be made in the folder
    };

    explicit SingleInstance(const QString& folder);
    // Takes the lock unless it is already held by this object.
    Outcome take();
    // True when this process is the only copy (it now holds the lock).
    bool acquire() { return take() == Outcome::Acquired; }
    // True when another copy holds the lock.
    bool PrevInstance() { return take() == Outcome::AnotherCopyRuns; }

private:
    // True when the lock file names a process that is still alive.
    bool holderIsAlive() const;

    std::unique_ptr<QLockFile> m_lock;
    bool m_held = false;
};
