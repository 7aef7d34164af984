#include "output/ModelloRegistro.h"

#include "output/DocumentoExcel.h"
#include "platform/Avanzamento.h"
#include "platform/Testo.h"
#include "register/Archivio.h"

#include <QFileInfo>
#include <algorithm>
#include <array>
#include <cstring>

const std::array<ModelloRegistro::Colonna, ModelloRegistro::NumeroColonne> &ModelloRegistro::Colonne()
{
    static const std::array<Colonna, NumeroColonne> c{{
        {"colNum", QStringLiteral("N."), 60, true, Campo::NumDoc},
        {"colNumDoc", QStringLiteral("Documento n."), 160, false, Campo::NumDoc},
        {"colDataDoc", QStringLiteral("Data emissione"), 150, false, Campo::DataDoc},
        {"colFornitore", QStringLiteral("Beneficiario"), 250, false, Campo::Fornitore},
        {"colCodFisc", QStringLiteral("Codice fiscale"), 200, false, Campo::CodFisc},
        {"colData", QStringLiteral("Data operazione"), 150, true, Campo::Data},
        {"colCodice", QStringLiteral("Codice prodotto o servizio"), 200, true, Campo::Codice},
        {"colTipologia", QStringLiteral("Tipologia"), 250, true, Campo::Tipologia},
        {"colServizi", QStringLiteral("Prodotto o servizio"), 250, true, Campo::Servizi},
        {"colDettagli", QStringLiteral("Dettagli"), 350, false, Campo::Dettagli},
        {"colDovuto", QStringLiteral("Totale dovuto"), 150, false, Campo::Dovuto},
        {"colAcconto", QStringLiteral("Acconto"), 150, false, Campo::Acconto},
        {"colSaldo", QStringLiteral("Saldo"), 150, false, Campo::Saldo},
        {"colNote", QStringLiteral("Note"), 350, false, Campo::Note},
        {"colDaSaldare", QStringLiteral("Conto da saldare"), 150, false, Campo::DaSaldare},
    }};
    return c;
}

ModelloRegistro::ModelloRegistro(QObject *parent) : QAbstractTableModel(parent) {}

bool ModelloRegistro::Carica(const QString &percorsoArchivio)
{
    // The old rows go first, so that old and new never fill memory together.
    // The new ones are filled aside and shown at once: the view, repainted
    // while the work goes on, never meets a half-filled model.
    beginResetModel();
    m_contenuto = Contenuto{};
    m_modifiche.clear();
    endResetModel();
    // The archive is read in two parts at once, each filling its own rows
    // and blocks; the second's are put after the first's at the end.
    std::array<Contenuto, 2> parti;
    const size_t schede = size_t(QFileInfo(percorsoArchivio).size() / TScheda::Dimensione);
    for (Contenuto &c : parti)
        c.righe.reserve(schede); // set aside, taken only as written

    qint64 inizioSeconda = 0; // the first record of the second part

    // The grid's screen waits with the user while the archive is read.
    const Avanzamento::Lavoro lavoro(QObject::parent(), Avanzamento::LetturaArchivio());
    bool ok = true;
    try {
        // Where each field lies in a record, looked up once for the whole pass.
        std::array<std::pair<int, int>, kCampi> posti; // offset of the length byte, capacity
        for (int k = 0; k < kCampi; ++k) {
            const Campo campo = Colonne()[size_t(k + 1)].campo;
            posti[size_t(k)] = {TScheda::Offset(campo), TScheda::Capacita(campo)};
            // The strided copy below reads up to a stride past each field: in
            // every build, a record layout that leaves no such room stops here
            // (the first test that loads a grid) rather than reading beyond.
            if (posti[size_t(k)].first + 1 + posti[size_t(k)].second + kPasso > TScheda::Dimensione)
                qFatal("griglia: il campo %d e' troppo vicino alla fine della scheda", k);
        }
        const auto riga = [&posti](Contenuto &nuovo, const TScheda &s) {
            std::array<QByteArrayView, kCampi> t;
            qsizetype totale = 0;
            for (size_t k = 0; k < t.size(); ++k) {
                const auto [offset, capacita] = posti[k];
                const char *d = s.byte.data() + offset + 1;
                // Trimmed as Testo::TrimByte does, without a call per field.
                int a = 0, z = std::min(int(static_cast<unsigned char>(s.byte[size_t(offset)])), capacita);
                while (a < z && static_cast<unsigned char>(d[a]) <= 32)
                    ++a;
                while (z > a && static_cast<unsigned char>(d[z - 1]) <= 32)
                    --z;
                t[k] = QByteArrayView(d + a, z - a);
                totale += t[k].size();
            }
            Riga r;
            char *o = nuovo.Spazio(totale, r.inizio);
            for (size_t k = 0; k < t.size(); ++k) {
                // In whole strides: the record goes on well past each of
                // these fields and the room has a stride to spare, and the
                // next field overwrites what went beyond.
                for (qsizetype i = 0; i < t[k].size(); i += kPasso)
                    std::memcpy(o + i, t[k].data() + i, kPasso);
                o += t[k].size();
                r.lunghezza[k] = quint8(t[k].size());
            }
            nuovo.righe.push_back(r);
        };
        // Each part fills blocks of fresh memory of its own, which costs more
        // than half a small archive's reading saves: two parts only from
        // some tens of thousands of records.
        constexpr int kFattore = 64;
        ScorriArchivioInParti(
            percorsoArchivio,
            [&](int parte, const TScheda *schede, qint64 quante, qint64 primo) {
                Contenuto &nuovo = parti[size_t(parte)];
                if (parte == 1 && nuovo.righe.empty())
                    inizioSeconda = primo;
                for (qint64 k = 0; k < quante; ++k)
                    riga(nuovo, schede[k]);
            },
            kFattore);
    } catch (const ErroreArchivio &) {
        ok = false;
    }
    // After a failed read the rows read so far stay, as one reading in one go
    // would leave them: the second part's only if the first is whole.
    if (qint64(parti[0].righe.size()) != inizioSeconda)
        parti[1] = Contenuto{};
    Contenuto nuovo = std::move(parti[0]);
    nuovo.Accoda(std::move(parti[1]));
    nuovo.righe.shrink_to_fit();
    beginResetModel();
    m_contenuto = std::move(nuovo);
    endResetModel();
    return ok;
}

void ModelloRegistro::Contenuto::Accoda(Contenuto &&altro)
{
    // The other part's offsets count from its own first block.
    const qsizetype spostamento = qsizetype(blocchi.size()) * kBlocco;
    for (Blocco &b : altro.blocchi)
        blocchi.push_back(std::move(b));
    if (!altro.blocchi.empty())
        libero = altro.libero;
    righe.reserve(righe.size() + altro.righe.size());
    for (Riga r : altro.righe) {
        r.inizio += spostamento;
        righe.push_back(r);
    }
    altro = Contenuto{};
}

ModelloRegistro::Blocco ModelloRegistro::NuovoBlocco()
{
    // On large pages where the system offers them on request: filling the
    // grid then takes a page fault per 2 MiB instead of one per 4 KiB.
    return Blocco(static_cast<char *>(Memoria::Prendi(size_t(kBlocco))),
                  [](void *p) { Memoria::Rendi(p, size_t(kBlocco)); });
}

char *ModelloRegistro::Contenuto::Spazio(qsizetype byte, qsizetype &inizio)
{
    // A row never straddles two blocks; blocks are never moved or copied.
    if (blocchi.empty() || kBlocco - libero < byte + kPasso) {
        blocchi.push_back(NuovoBlocco());
        libero = 0;
    }
    inizio = qsizetype(blocchi.size() - 1) * kBlocco + libero;
    char *o = blocchi.back().get() + libero;
    libero += byte;
    return o;
}

QString ModelloRegistro::Cella(qint64 riga, int colonna) const
{
    if (riga < 0 || riga >= NumeroRighe() || colonna < 0 || colonna >= NumeroColonne)
        return QString();
    if (!m_modifiche.isEmpty()) {
        const auto it = m_modifiche.constFind(Chiave(riga, colonna));
        if (it != m_modifiche.constEnd())
            return *it;
    }
    if (colonna == 0)
        return QString::number(riga + 1);
    const QByteArrayView b = Byte(riga, colonna);
    return Testo::DecodificaCp1252(b.data(), b.size());
}

QByteArrayView ModelloRegistro::Byte(qint64 riga, int colonna) const
{
    const Riga &r = m_contenuto.righe[size_t(riga)];
    qsizetype inizio = r.inizio;
    for (int k = 0; k < colonna - 1; ++k)
        inizio += r.lunghezza[size_t(k)];
    const char *blocco = m_contenuto.blocchi[size_t(inizio / kBlocco)].get();
    return QByteArrayView(blocco + inizio % kBlocco, r.lunghezza[size_t(colonna - 1)]);
}

void ModelloRegistro::AggiungiRigaEsportata(std::string &documento, qint64 riga) const
{
    if (riga < 0 || riga >= NumeroRighe())
        return;
    // The row's fields lie one after the other: walked once, not looked up per cell.
    const Riga &r = m_contenuto.righe[size_t(riga)];
    const char *p = m_contenuto.blocchi[size_t(r.inizio / kBlocco)].get() + r.inizio % kBlocco;
    for (int colonna = 1; colonna < NumeroColonne; ++colonna) {
        const QByteArrayView b(p, r.lunghezza[size_t(colonna - 1)]);
        p += b.size();
        if (!m_modifiche.isEmpty() && m_modifiche.contains(Chiave(riga, colonna)))
            DocumentoExcel::AggiungiCella(documento, colonna, Cella(riga, colonna));
        else
            DocumentoExcel::AggiungiCellaCp1252(documento, colonna, b);
    }
}

int ModelloRegistro::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_contenuto.righe.size());
}

int ModelloRegistro::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : NumeroColonne;
}

QVariant ModelloRegistro::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole))
        return QVariant();
    return Cella(index.row(), index.column());
}

QVariant ModelloRegistro::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0
        || section >= NumeroColonne)
        return QAbstractTableModel::headerData(section, orientation, role);
    return Colonne()[size_t(section)].titolo;
}

Qt::ItemFlags ModelloRegistro::flags(const QModelIndex &index) const
{
    Qt::ItemFlags f = QAbstractTableModel::flags(index);
    if (index.isValid() && !Colonne()[size_t(index.column())].solaLettura)
        f |= Qt::ItemIsEditable;
    return f;
}

bool ModelloRegistro::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (!index.isValid() || role != Qt::EditRole || !(flags(index) & Qt::ItemIsEditable))
        return false;
    m_modifiche.insert(Chiave(index.row(), index.column()), value.toString());
    emit dataChanged(index, index, {Qt::DisplayRole, Qt::EditRole});
    return true;
}
