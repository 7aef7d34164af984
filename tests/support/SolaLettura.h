#pragma once
// Makes a file unwritable for the lifetime of the object, also when the tests
// run as root (which ignores permission bits): the bits are cleared first and,
// if the file can still be opened for writing, it is marked immutable.

#include <QFile>
#include <QString>

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <unistd.h>

class SolaLettura {
public:
    explicit SolaLettura(const QString &percorso) : m_percorso(percorso)
    {
        QFile::setPermissions(m_percorso, QFileDevice::ReadOwner | QFileDevice::ReadGroup
                                              | QFileDevice::ReadOther);
        if (Scrivibile())
            m_immutabile = Immutabile(true);
    }
    ~SolaLettura()
    {
        if (m_immutabile)
            Immutabile(false);
        QFile::setPermissions(m_percorso, QFileDevice::ReadOwner | QFileDevice::WriteOwner
                                              | QFileDevice::ReadGroup | QFileDevice::ReadOther);
    }
    SolaLettura(const SolaLettura &) = delete;
    SolaLettura &operator=(const SolaLettura &) = delete;

    // False where the file system lets nothing stop a write (the test then skips).
    bool Riuscita() const { return !Scrivibile(); }

private:
    bool Scrivibile() const
    {
        QFile f(m_percorso);
        return f.open(QIODevice::ReadWrite);
    }
    bool Immutabile(bool attiva) const
    {
        const int fd = ::open(QFile::encodeName(m_percorso).constData(), O_RDONLY);
        if (fd < 0)
            return false;
        int flags = 0;
        bool ok = ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
        if (ok) {
            flags = attiva ? (flags | FS_IMMUTABLE_FL) : (flags & ~FS_IMMUTABLE_FL);
            ok = ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
        }
        ::close(fd);
        return ok;
    }

    QString m_percorso;
    bool m_immutabile = false;
};
