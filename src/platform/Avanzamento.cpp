#include "platform/Avanzamento.h"

namespace Avanzamento {

namespace {
thread_local Ascoltatore *g_corrente = nullptr;
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

} // namespace Avanzamento
