#pragma once
// How far a long piece of work has got, told by the work (a scan of the
// archive) to whoever listens on the same thread, and the long work itself
// as the objects that do it declare it (Lavoro): a manager installed by the
// desktop shows a busy cursor and the progress and keeps the windows painted.
// Without a listener a report costs one test; without a manager a Lavoro
// does nothing, so the scans stay usable with no screen at all.

#include <QPointer>
#include <QString>
#include <QtGlobal>
#include <functional>
#include <optional>

class QObject;

namespace Avanzamento {

using Ascoltatore = std::function<void(qint64 fatto, qint64 totale)>;

// Listens for its lifetime; the previous listener, if any, comes back after.
class Ascolto {
public:
    explicit Ascolto(Ascoltatore ascoltatore);
    ~Ascolto();
    Ascolto(const Ascolto &) = delete;
    Ascolto &operator=(const Ascolto &) = delete;

private:
    Ascoltatore m_ascoltatore;
    Ascoltatore *m_precedente;
};

// Reports `fatto` units of work done out of `totale`.
void Segnala(qint64 fatto, qint64 totale);

// Shows long work on behalf of the object that does it (a window, or an
// object that belongs to one).
class Gestore {
public:
    virtual ~Gestore() = default;
    virtual void Inizio(QObject *chi, const QString &testo) = 0;
    virtual void Avanza(QObject *chi, int percento) = 0;
    virtual void Fine(QObject *chi) = 0;
};
// The text of a scan of the archive.
QString LetturaArchivio();

// nullptr: no manager.
void InstallaGestore(Gestore *gestore);

// A long piece of work for its lifetime: started and ended with the manager,
// and every new whole percent the work reports passed on to it.
class Lavoro {
public:
    Lavoro(QObject *chi, const QString &testo);
    ~Lavoro();
    Lavoro(const Lavoro &) = delete;
    Lavoro &operator=(const Lavoro &) = delete;

private:
    void Avanza(qint64 fatto, qint64 totale);

    QPointer<QObject> m_chi;
    Gestore *m_gestore = nullptr;
    int m_percento = -1;
    std::optional<Ascolto> m_ascolto;
};

} // namespace Avanzamento
