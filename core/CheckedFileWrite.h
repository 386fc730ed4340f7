#pragma once
// A file written whole or not at all: the bytes go to a temporary ".tezc-XXXXXX" in the
// target's folder, every write, the flush to the disk and the close are checked, and only
// then is the temporary renamed over the target. Until then (and after any failure) a file
// already at the target is untouched; the temporary is removed when the object ends
// uncommitted. Paths are native file names (bytes), so that any name can be written.
#include <QByteArray>
#include <QString>

#include <sys/types.h>

class CheckedFileWrite {
public:
    // BeforeRename: the data reaches the disk before the rename. NewName: the target is a
    // name no file has (the caller's own temporary), written in place and not flushed: the
    // caller makes it durable and moves it into place (DurableOutputs).
    enum class Flush { BeforeRename, NewName };
    // The file gets mode when it is new (-1: 0666 less the umask, as a new file of cp);
    // a file it replaces keeps its own mode. Throws RuntimeError when the temporary cannot
    // be made (errDiskFull when the disk is full).
    explicit CheckedFileWrite(const QByteArray& nativeTarget, int mode = -1, Flush flush = Flush::BeforeRename);
    ~CheckedFileWrite();
    CheckedFileWrite(const CheckedFileWrite&) = delete;
    CheckedFileWrite& operator=(const CheckedFileWrite&) = delete;

    // Throws RuntimeError naming the target when a write fails.
    void write(const char* data, qsizetype size);
    void write(const QByteArray& bytes) { write(bytes.constData(), bytes.size()); }
    // Flushes, closes and renames over the target; throws RuntimeError when any step fails
    // (the temporary is then gone, the target as it was).
    void commit();

private:
    [[noreturn]] void fail(int error);

    QByteArray m_target;
    QByteArray m_temporary;
    int m_fd = -1;
    int m_mode = -1;
    Flush m_flush = Flush::BeforeRename;
};

// The name of the temporaries CheckedFileWrite (and the conversion library) make.
bool IsOwnTemporaryName(const QByteArray& name);

// The mode a new output gets: mode (or 0666 when -1) less the umask.
mode_t NewFileModeLessUmask(int mode = -1);
// The process's umask, read without changing it (safe beside threads that make files).
mode_t ProcessUmask();

// A path as the RuntimeError texts show it.
QString ShownPath(const QByteArray& nativePath);
