// The export from archive bytes to the document: the grid loads one row per
// whole record, each cell the trimmed field, and the document written from
// the stored bytes (the fast path the export takes) is byte for byte the one
// written from the decoded cell texts.
#include "ArchivioFuzz.h"
#include "output/DocumentoExcel.h"
#include "output/ModelloRegistro.h"
#include "platform/Testo.h"

#include <QBuffer>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *dati, size_t n)
{
    const QString percorso = ArchivioFuzz::Scrivi(dati, n);
    ModelloRegistro m;
    if (!m.Carica(percorso))
        std::abort();
    const qint64 righe = ArchivioFuzz::Schede(n);
    if (m.NumeroRighe() != righe || m.rowCount() != righe)
        std::abort();
    const auto &colonne = ModelloRegistro::Colonne();
    for (qint64 r = 0; r < righe; ++r) {
        const TScheda s = ArchivioFuzz::Scheda(dati, r);
        if (m.Cella(r, 0) != QString::number(r + 1))
            std::abort();
        for (int c = 1; c < ModelloRegistro::NumeroColonne; ++c)
            if (m.Cella(r, c) != Testo::Trim(s.Testo(colonne[size_t(c)].campo)))
                std::abort();
    }

    QByteArray veloce;
    QBuffer b(&veloce);
    b.open(QIODevice::WriteOnly);
    const bool scritto = DocumentoExcel::Scrivi(b, m.NumeroRighe(), [&m](std::string &d, qint64 r) {
        if (r < 0 || r >= m.NumeroRighe())
            std::abort();
        m.AggiungiRigaEsportata(d, r);
    });
    if (!scritto)
        std::abort();
    const QByteArray lento = DocumentoExcel::Documento(m.NumeroRighe(), [&m](qint64 r, int c) { return m.Cella(r, c); });
    if (veloce != lento || veloce.contains('\n') || veloce.contains('\r'))
        std::abort();

    // An edited cell goes out as typed; the others stay as loaded.
    if (righe > 0) {
        const quint8 p = ArchivioFuzz::Parametro(ArchivioFuzz::Coda(dati, n), 0);
        const int c = 1 + p % (ModelloRegistro::NumeroColonne - 1);
        if (!colonne[size_t(c)].solaLettura) {
            const QString nuovo = m.Cella(0, c) + QStringLiteral(" <&>\u20AC\u0100");
            m.setData(m.index(0, c), nuovo);
            if (m.Cella(0, c) != nuovo)
                std::abort();
            std::string atteso;
            DocumentoExcel::AggiungiCella(atteso, c, nuovo);
            std::string riga;
            m.AggiungiRigaEsportata(riga, 0);
            if (riga.find(atteso) == std::string::npos)
                std::abort();
        }
    }
    return 0;
}
