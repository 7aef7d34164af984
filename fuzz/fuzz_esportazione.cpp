// The export from archive bytes to the document: the grid loads one row per
// whole record, each cell the trimmed field, and the document written from
// the stored bytes (the fast path the export takes) is byte for byte the one
// written from the decoded cell texts. Each record is followed by a copy
// carrying another record's payee fields, so that payees come back, alike or
// nearly, as in a household's archive; the grid is read in one part or two.
#include "ArchivioFuzz.h"
#include "output/DocumentoExcel.h"
#include "output/ModelloRegistro.h"
#include "platform/Testo.h"
#include "register/Archivio.h"

#include <QBuffer>
#include <array>
#include <cstdlib>
#include <cstring>
#include <limits>

namespace {

// The input's records, each followed by a copy with the payee fields (length
// byte and bytes) of the record `passo` places on.
QByteArray Composto(const uint8_t *dati, size_t n, quint8 passo)
{
    static constexpr std::array<Campo, 5> kBeneficiario = {Campo::Fornitore, Campo::CodFisc, Campo::Codice,
                                                           Campo::Tipologia, Campo::Servizi};
    const qint64 schede = ArchivioFuzz::Schede(n);
    QByteArray archivio;
    for (qint64 r = 0; r < schede; ++r) {
        TScheda s = ArchivioFuzz::Scheda(dati, r);
        archivio.append(s.byte.data(), TScheda::Dimensione);
        const TScheda altra = ArchivioFuzz::Scheda(dati, (r + passo) % schede);
        for (Campo c : kBeneficiario)
            std::memcpy(s.byte.data() + TScheda::Offset(c), altra.byte.data() + TScheda::Offset(c),
                        size_t(TScheda::Capacita(c) + 1));
        archivio.append(s.byte.data(), TScheda::Dimensione);
    }
    return archivio;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *dati, size_t n)
{
    const QByteArrayView coda = ArchivioFuzz::Coda(dati, n);
    const QByteArray archivio = Composto(dati, n, ArchivioFuzz::Parametro(coda, 1));
    const auto *byte = reinterpret_cast<const uint8_t *>(archivio.constData());
    const QString percorso = ArchivioFuzz::Scrivi(byte, size_t(archivio.size()));
    const quint8 perParte = ArchivioFuzz::Parametro(coda, 2);
    ImpostaSchedePerParte(perParte == 0 ? std::numeric_limits<qint64>::max() : qint64(perParte % 4));
    ModelloRegistro m;
    if (!m.Carica(percorso))
        std::abort();
    const qint64 righe = ArchivioFuzz::Schede(size_t(archivio.size()));
    if (m.NumeroRighe() != righe || m.rowCount() != righe)
        std::abort();
    const auto &colonne = ModelloRegistro::Colonne();
    for (qint64 r = 0; r < righe; ++r) {
        const TScheda s = ArchivioFuzz::Scheda(byte, r);
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
        const quint8 p = ArchivioFuzz::Parametro(coda, 0);
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
