#pragma once
// A real, small file system for tests of full disks: a 64 KiB tmpfs mounted on a temporary
// folder (root only; mounted() is false where the test may not mount, and the test skips).
// fill() takes every free block, so that the next write of any file fails with ENOSPC.
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include <fcntl.h>
#include <sys/mount.h>
#include <unistd.h>

class SmallFileSystem {
public:
    SmallFileSystem()
    {
        if (m_dir.isValid() && ::geteuid() == 0)
            m_mounted = ::mount("tmpfs", QFile::encodeName(m_dir.path()).constData(), "tmpfs", 0, "size=64k") == 0;
    }
    ~SmallFileSystem()
    {
        if (m_mounted)
            ::umount2(QFile::encodeName(m_dir.path()).constData(), MNT_DETACH);
    }
    SmallFileSystem(const SmallFileSystem&) = delete;
    SmallFileSystem& operator=(const SmallFileSystem&) = delete;

    bool mounted() const { return m_mounted; }
    QString path(const QString& name) const { return m_dir.filePath(name); }
    // The names in the file system but the filler.
    QStringList names() const
    {
        QStringList list = QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden);
        list.removeAll(QStringLiteral("filler"));
        return list;
    }

    void fill() const
    {
        const int fd = ::open(QFile::encodeName(path(QStringLiteral("filler"))).constData(), O_WRONLY | O_CREAT | O_APPEND, 0644);
        if (fd < 0)
            return;
        const QByteArray block(4096, 'x');
        while (::write(fd, block.constData(), static_cast<size_t>(block.size())) > 0) {
        }
        while (::write(fd, "x", 1) > 0) {
        }
        ::close(fd);
    }

private:
    QTemporaryDir m_dir;
    bool m_mounted = false;
};

#define SKIP_UNLESS_MOUNTED(fs) \
    if (!(fs).mounted()) \
        QSKIP("needs root to mount a 64 KiB tmpfs (mount -t tmpfs -o size=64k)")
