#pragma once
// Makes a file, or a folder, unwritable for the lifetime of the object, also
// when the tests run as root (which ignores permission bits): the bits are
// cleared first and, if it can still be written, it is marked immutable
// (nothing can then be written to the file or created in the folder).

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <unistd.h>

class SolaLettura {
public:
    explicit SolaLettura(const QString &percorso)
        : m_percorso(percorso), m_cartella(QFileInfo(percorso).isDir())
    {
        QFile::setPermissions(m_percorso, Lettura());
        if (Scrivibile())
            m_immutabile = Immutabile(true);
    }
    ~SolaLettura()
    {
        if (m_immutabile)
            Immutabile(false);
        QFile::setPermissions(m_percorso, Lettura() | QFileDevice::WriteOwner);
    }
    SolaLettura(const SolaLettura &) = delete;
    SolaLettura &operator=(const SolaLettura &) = delete;

    // False where the file system lets nothing stop a write (the test then skips).
    bool Riuscita() const { return !Scrivibile(); }

private:
    QFileDevice::Permissions Lettura() const
    {
        QFileDevice::Permissions p = QFileDevice::ReadOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther;
        if (m_cartella)
            p |= QFileDevice::ExeOwner | QFileDevice::ExeGroup | QFileDevice::ExeOther;
        return p;
    }
    bool Scrivibile() const
    {
        if (!m_cartella) {
            QFile f(m_percorso);
            return f.open(QIODevice::ReadWrite);
        }
        QFile prova(QDir(m_percorso).filePath(QStringLiteral(".prova-scrittura")));
        const bool creato = prova.open(QIODevice::WriteOnly);
        if (creato)
            prova.remove();
        return creato;
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
    bool m_cartella;
    bool m_immutabile = false;
};
