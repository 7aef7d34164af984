#pragma once
// How far a long piece of work has got, told by the work (a scan of the
// archive) to whoever listens on the same thread: the screens listen to show
// a busy cursor and a progress indication and to keep their window painted.
// Without a listener a report costs one test.

#include <QtGlobal>
#include <functional>

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

} // namespace Avanzamento
