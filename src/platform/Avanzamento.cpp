#include "platform/Avanzamento.h"

#include <QObject>
#include <algorithm>

namespace Avanzamento {

namespace {
thread_local Ascoltatore *g_corrente = nullptr;
Gestore *g_gestore = nullptr;
} // namespace

Ascolto::Ascolto(Ascoltatore ascoltatore)
    : m_ascoltatore(std::move(ascoltatore)), m_precedente(g_corrente)
{
    g_corrente = &m_ascoltatore;
}

Ascolto::~Ascolto() { g_corrente = m_precedente; }

void Segnala(qint64 fatto, qint64 totale)
{
    if (g_corrente)
        (*g_corrente)(fatto, totale);
}

QString LetturaArchivio() { return QStringLiteral("Lettura dell'archivio in corso..."); }

void InstallaGestore(Gestore *gestore) { g_gestore = gestore; }

Lavoro::Lavoro(QObject *chi, const QString &testo) : m_chi(chi), m_gestore(g_gestore)
{
    if (!chi || !m_gestore)
        return;
    m_gestore->Inizio(chi, testo);
    m_ascolto.emplace([this](qint64 fatto, qint64 totale) { Avanza(fatto, totale); });
}

Lavoro::~Lavoro()
{
    if (!m_ascolto)
        return;
    m_ascolto.reset();
    m_gestore->Fine(m_chi);
}

void Lavoro::Avanza(qint64 fatto, qint64 totale)
{
    if (totale <= 0)
        return;
    // Only a new whole percent goes on: a report per block would be too many.
    const int percento = int(std::min<qint64>(100, fatto * 100 / totale));
    if (percento == m_percento)
        return;
    m_percento = percento;
    m_gestore->Avanza(m_chi, percento);
}

} // namespace Avanzamento
