#pragma once
// One running copy per program folder: the first copy holds a lock file there for its
// whole life; a second copy fails to take it and learns that one runs.
#include <QLockFile>
#include <QString>
#include <memory>

class SingleInstance {
public:
    explicit SingleInstance(const QString& folder);
    // True when this process is the only copy (it now holds the lock).
    bool acquire();
    // True when another copy holds the lock.
    bool PrevInstance() { return !acquire(); }

private:
    std::unique_ptr<QLockFile> m_lock;
    bool m_held = false;
};
