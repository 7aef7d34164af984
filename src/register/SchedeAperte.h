#pragma once
// The archive held open by a view that reads its records back only when they
// are shown (a result list), a block of records at a time: the rows shown, a
// print or a find in the list walk them in file order.

#include "register/Scheda.h"

#include <QString>
#include <memory>
#include <mutex>

class SchedeAperte {
public:
    // Nothing when the file cannot be opened.
    static std::shared_ptr<SchedeAperte> Apri(const QString &percorso);
    ~SchedeAperte();
    SchedeAperte(const SchedeAperte &) = delete;
    SchedeAperte &operator=(const SchedeAperte &) = delete;

    // Calls usa(scheda, errore) with record indice as the file holds it now,
    // or with nullptr when the file no longer reaches it (errore false) or
    // could not be read there (errore true). Copies of a view share the
    // file: one call at a time.
    template <class Usa>
    decltype(auto) Con(qint64 indice, Usa &&usa)
    {
        const std::lock_guard<std::mutex> guardia(m_mutex);
        const TScheda *s = Scheda(indice);
        return usa(s, s == nullptr && m_errore);
    }

private:
    explicit SchedeAperte(int fd) : m_fd(fd) {}
    const TScheda *Scheda(qint64 indice);

    int m_fd;
    std::mutex m_mutex;
    std::unique_ptr<char[]> m_blocco;
    qint64 m_primo = 0;
    qint64 m_quante = 0;
    bool m_errore = false; // the last read failed
};
