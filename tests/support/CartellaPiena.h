#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <csignal>
#include <sys/mount.h>
#include <sys/resource.h>

// A folder with little room: a tmpfs of 64 KiB (or the size given, as tmpfs
// takes it: "256k", "2m") mounted on it (the tests run as root). Where
// mounting is refused, the process may not write files larger than 64 KiB,
// which fails a write the same way.
class CartellaPiena {
public:
    explicit CartellaPiena(const QString &cartella, const QByteArray &dimensione = "64k")
        : m_cartella(QFile::encodeName(cartella))
    {
        m_montata = ::mount("tmpfs", m_cartella.constData(), "tmpfs", 0, ("size=" + dimensione).constData()) == 0;
        if (!m_montata) {
            m_segnale = std::signal(SIGXFSZ, SIG_IGN);
            ::getrlimit(RLIMIT_FSIZE, &m_limite);
            rlimit piccolo = m_limite;
            piccolo.rlim_cur = 64 * 1024;
            ::setrlimit(RLIMIT_FSIZE, &piccolo);
        }
    }
    ~CartellaPiena()
    {
        if (m_montata)
            ::umount2(m_cartella.constData(), MNT_DETACH);
        else {
            ::setrlimit(RLIMIT_FSIZE, &m_limite);
            std::signal(SIGXFSZ, m_segnale);
        }
    }
    // True when the tmpfs is there: a write then fails with ENOSPC (with
    // EFBIG under the size limit).
    bool Montata() const { return m_montata; }
    CartellaPiena(const CartellaPiena &) = delete;
    CartellaPiena &operator=(const CartellaPiena &) = delete;

private:
    QByteArray m_cartella;
    bool m_montata = false;
    rlimit m_limite{};
    void (*m_segnale)(int) = SIG_DFL;
};
