// Laying a report's bands out on pages.

#include "platform/report/Report.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double Tolleranza = 1e-6;

// Whole lines of a text that fit above the cut, counted from the text's top.
qsizetype RigheSopra(const OggettoReport &o, double taglio)
{
    const double k = std::floor((taglio - o.mm.top()) / o.Passo() + Tolleranza);
    return std::clamp<qsizetype>(qsizetype(k), 0, o.NumeroRighe());
}

// Where a band may be cut within the given space: never through a line of text.
double PuntoDiTaglio(const BandaReport &b, double spazio)
{
    double taglio = spazio;
    for (const OggettoReport &o : b.oggetti) {
        if (o.genere != OggettoReport::Genere::Testo)
            continue;
        if (o.mm.top() < taglio - Tolleranza && o.mm.bottom() > taglio + Tolleranza) {
            const double k = std::floor((taglio - o.mm.top()) / o.Passo() + Tolleranza);
            taglio = std::min(taglio, o.mm.top() + k * o.Passo());
        }
    }
    return taglio;
}

// Splits a band at the cut: what stays on this page, and what goes on.
std::pair<BandaReport, BandaReport> Dividi(const BandaReport &b, double taglio)
{
    BandaReport sopra = b;
    BandaReport sotto = b;
    sopra.oggetti.clear();
    sotto.oggetti.clear();
    sopra.altezza = taglio;
    sotto.altezza = b.altezza - taglio;

    for (const OggettoReport &o : b.oggetti) {
        if (o.mm.bottom() <= taglio + Tolleranza) {
            sopra.oggetti.append(o);
        } else if (o.mm.top() >= taglio - Tolleranza) {
            OggettoReport giu = o;
            giu.mm.translate(0, -taglio);
            sotto.oggetti.append(giu);
        } else {
            OggettoReport su = o;
            OggettoReport giu = o;
            su.mm.setBottom(taglio);
            giu.mm = QRectF(o.mm.left(), 0, o.mm.width(), o.mm.bottom() - taglio);
            if (o.genere == OggettoReport::Genere::Testo) {
                const qsizetype k = RigheSopra(o, taglio);
                su.SvuotaRighe();
                giu.SvuotaRighe();
                for (qsizetype i = 0; i < o.NumeroRighe(); ++i)
                    (i < k ? su : giu).AggiungiRiga(o.Righe().at(i));
            }
            sopra.oggetti.append(su);
            sotto.oggetti.append(giu);
        }
    }
    return {sopra, sotto};
}

class Impaginatore {
public:
    explicit Impaginatore(const PaginaReport &d) : m_design(d) { NuovaPagina(); }

    void Oggetti(const QList<OggettoReport> &oggetti)
    {
        for (OggettoReport o : oggetti) {
            o.mm.translate(m_design.margini.left(), m_design.margini.top());
            m_pagine.last().oggetti.append(o);
        }
    }

    void Banda(BandaReport resto)
    {
        for (;;) {
            const double spazio = Fondo() - m_y;
            if (resto.altezza <= spazio + Tolleranza) {
                Piazza(resto);
                return;
            }
            if (resto.divisibile) {
                const double taglio = PuntoDiTaglio(resto, spazio);
                if (taglio > Tolleranza) {
                    auto [sopra, sotto] = Dividi(resto, taglio);
                    Piazza(sopra);
                    NuovaPagina();
                    resto = sotto;
                    continue;
                }
            }
            if (m_y > m_design.margini.top() + Tolleranza) {
                NuovaPagina();
                continue;
            }
            // Taller than an empty page and not divisible: the paper's edge cuts it.
            Piazza(resto);
            return;
        }
    }

    QList<PaginaPreparata> Pagine() const { return m_pagine; }

private:
    double Fondo() const { return m_design.Carta().height() - m_design.margini.bottom(); }

    void NuovaPagina()
    {
        PaginaPreparata p;
        p.carta = m_design.Carta();
        p.orientamento = m_design.orientamento;
        p.margini = m_design.margini;
        m_pagine.append(p);
        m_y = m_design.margini.top();
    }

    void Piazza(const BandaReport &b)
    {
        const double x = m_design.margini.left();
        const double larghezza = m_design.Carta().width() - m_design.margini.left() - m_design.margini.right();
        PaginaPreparata &p = m_pagine.last();
        p.bande.append({b.nome, QRectF(x, m_y, larghezza, b.altezza)});
        for (OggettoReport o : b.oggetti) {
            o.mm.translate(x, m_y);
            p.oggetti.append(o);
        }
        m_y += b.altezza;
    }

    const PaginaReport &m_design;
    QList<PaginaPreparata> m_pagine;
    double m_y = 0.0;
};

} // namespace

void Report::Prepara()
{
    m_preparate.clear();
    for (const PaginaReport &design : std::as_const(m_pagine)) {
        Impaginatore imp(design);
        imp.Oggetti(design.oggetti);
        QList<BandaReport> bande = design.bande;
        std::stable_sort(bande.begin(), bande.end(), [](const BandaReport &a, const BandaReport &b) {
            return a.genere < b.genere;
        });
        for (const BandaReport &b : std::as_const(bande))
            imp.Banda(b);
        m_preparate.append(imp.Pagine());
    }
}
