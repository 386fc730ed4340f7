#pragma once
// Outputs that threads write under temporary names beside their targets, made safe on the
// disk many at a time: the file systems that hold them are flushed once (syncfs), only then
// is each temporary renamed over its target, and the file systems are flushed once more
// before the outputs count as written. So a power cut at any moment leaves each target as it
// was or as the complete new file, never shorter or empty, at the cost of two flushes per
// group instead of one per file.
#include <QByteArray>
#include <QString>

#include <map>
#include <mutex>
#include <sys/types.h>
#include <vector>

class DurableOutputs {
public:
    struct Entry {
        QByteArray temporary; // ".tezc-XXXXXX" beside the target, written and closed by then
        QByteArray target;
        int newMode = -1;     // permissions when the target is new (-1: 0666), less the umask
        dev_t device = 0;     // the file system holding both
        QString failure;      // null while the entry is good; then why it failed
    };

    DurableOutputs() = default;
    ~DurableOutputs();
    DurableOutputs(const DurableOutputs&) = delete;
    DurableOutputs& operator=(const DurableOutputs&) = delete;

    // A free temporary name beside target for a writer to rename its complete file onto, and
    // its file system, which is watched from now on (so that a write error of what goes there
    // is reported by the flush). Raises RuntimeError naming the target when its folder cannot
    // be opened.
    Entry reserve(const QByteArray& target);
    // The same without the name, which the writer's thread gives the entry with
    // nameTemporary just before it writes.
    Entry reserveUnnamed(const QByteArray& target);
    static void nameTemporary(Entry& entry);

    // Makes the good entries their targets, in their order (a later entry for the same target
    // wins), each safely on the disk; sets the failure of each that could not be, whose
    // temporary is then gone and whose target stays as it was where the failure came before
    // the rename.
    void commit(std::vector<Entry*>& entries);

    // Removes an entry's temporary (an entry that is not committed).
    static void discard(const Entry& entry);

private:
    int deviceFd(dev_t device) const;

    mutable std::mutex m_lock;
    std::map<dev_t, int> m_devices;          // an open folder of each file system written
    std::map<QByteArray, dev_t> m_folders;   // the file system of each folder written
};
