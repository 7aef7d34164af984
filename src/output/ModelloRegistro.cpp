#include "output/ModelloRegistro.h"

#include "output/DocumentoExcel.h"
#include "platform/Avanzamento.h"
#include "platform/Testo.h"
#include "register/Archivio.h"
#include "register/ImprontaScheda.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <utility>

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

quint32 ModelloRegistro::ImprontaComuni(const TScheda &s)
{
    static const ImprontaScheda impronta(kCampiComuni);
    return impronta(s);
}

bool ModelloRegistro::Carica(const QString &percorsoArchivio)
{
    // The old rows go first, so that old and new never fill memory together.
    // The new ones are filled aside and shown at once: the view, repainted
    // while the work goes on, never meets a half-filled model.
    beginResetModel();
    m_blocchi.clear();
    m_righe.reset();
    m_numeroRighe = 0;
    m_modifiche.clear();
    endResetModel();
    // The archive is read in two parts at once, each filling blocks of its own
    // and the rows of its own records in the one table.
    std::array<Parte, 2> parti;
    Righe righe;
    std::array<qint64, 2> scritte{}; // rows each part wrote
    qint64 inizioSeconda = 0;        // the first record of the second part

    // The grid's screen waits with the user while the archive is read.
    const Avanzamento::Lavoro lavoro(QObject::parent(), Avanzamento::LetturaArchivio());
    bool ok = true;
    try {
        // Where each field lies in a record, looked up once for the whole pass.
        std::array<std::pair<int, int>, kCampi> posti; // offset of the length byte, capacity
        for (int k = 0; k < kCampi; ++k) {
            const Campo campo = Colonne()[size_t(k + 1)].campo;
            if (campo != Campo(k))
                qFatal("griglia: la colonna %d non mostra il campo %d", k + 1, k);
            posti[size_t(k)] = {TScheda::Offset(campo), TScheda::Capacita(campo)};
            // The strided copy and the fingerprint read up to a stride past each
            // field: in every build, a record layout that leaves no such room
            // stops here (the first test that loads a grid) rather than reading beyond.
            if (posti[size_t(k)].first + 1 + posti[size_t(k)].second + kPasso > TScheda::Dimensione)
                qFatal("griglia: il campo %d e' troppo vicino alla fine della scheda", k);
        }
        const auto riga = [&posti](Parte &parte, const TScheda &s, Riga &r) {
            std::array<QByteArrayView, kCampi> t;
            qsizetype propri = 0, comuni = 0;
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
                r.lunghezza[k] = quint8(z - a);
                (kComune[k] ? comuni : propri) += z - a;
            }
            r.comuni = parte.Comuni(t, comuni, ImprontaComuni(s));
            Copia(parte.Spazio(propri, r.propri), t, false);
        };
        // Each part fills blocks of fresh memory of its own, which costs more
        // than half a small archive's reading saves: two parts only from
        // some thousands of records.
        constexpr int kFattore = 16;
        ScorriArchivioInParti(
            percorsoArchivio,
            [&](int p, const TScheda *schede, qint64 quante, qint64 primo) {
                if (p == 1 && scritte[1] == 0)
                    inizioSeconda = primo;
                for (qint64 k = 0; k < quante; ++k)
                    riga(parti[size_t(p)], schede[k], righe[size_t(primo + k)]);
                scritte[size_t(p)] += quante;
            },
            kFattore, [&righe](qint64 totale) { righe = NuoveRighe(size_t(totale)); });
    } catch (const ErroreArchivio &) {
        ok = false;
    }
    // After a failed read the rows read so far stay, as one reading in one go
    // would leave them: the second part's only if the first is whole.
    const bool seconda = scritte[1] > 0 && scritte[0] == inizioSeconda;
    const qint64 numero = seconda ? inizioSeconda + scritte[1] : scritte[0];
    std::vector<Blocco> blocchi = std::move(parti[0].blocchi);
    if (seconda) {
        // The second part's offsets count from its own first block.
        const qsizetype spostamento = qsizetype(blocchi.size()) * kBlocco;
        for (size_t i = size_t(inizioSeconda); i < size_t(numero); ++i) {
            righe[i].propri += spostamento;
            righe[i].comuni += spostamento;
        }
        for (Blocco &b : parti[1].blocchi)
            blocchi.push_back(std::move(b));
    }
    beginResetModel();
    m_blocchi = std::move(blocchi);
    m_righe = std::move(righe);
    m_numeroRighe = numero;
    endResetModel();
    return ok;
}

ModelloRegistro::Righe ModelloRegistro::NuoveRighe(size_t quante)
{
    // Taken as written: a part's rows fill only the pages they are on.
    const size_t byte = std::max<size_t>(quante, 1) * sizeof(Riga);
    return Righe(static_cast<Riga *>(Memoria::Prendi(byte)), RendiRighe{byte});
}

ModelloRegistro::Blocco ModelloRegistro::NuovoBlocco()
{
    // On large pages where the system offers them on request: filling the
    // grid then takes a page fault per 2 MiB instead of one per 4 KiB.
    return Blocco(static_cast<char *>(Memoria::Prendi(size_t(kBlocco))),
                  [](void *p) { Memoria::Rendi(p, size_t(kBlocco)); });
}

char *ModelloRegistro::Parte::Spazio(qsizetype byte, qsizetype &inizio)
{
    // Blocks are never moved or copied.
    if (blocchi.empty() || kBlocco - libero < byte + kPasso) {
        blocchi.push_back(NuovoBlocco());
        libero = 0;
    }
    inizio = qsizetype(blocchi.size() - 1) * kBlocco + libero;
    char *o = blocchi.back().get() + libero;
    libero += byte;
    return o;
}

void ModelloRegistro::Copia(char *o, const std::array<QByteArrayView, kCampi> &t, bool comuni)
{
    for (size_t k = 0; k < t.size(); ++k) {
        if (kComune[k] != comuni)
            continue;
        // In whole strides: the record goes on well past each of these
        // fields and the room has a stride to spare, and the next field
        // overwrites what went beyond.
        for (qsizetype i = 0; i < t[k].size(); i += kPasso)
            std::memcpy(o + i, t[k].data() + i, kPasso);
        o += t[k].size();
    }
}

qsizetype ModelloRegistro::Parte::Comuni(const std::array<QByteArrayView, kCampi> &t, qsizetype byte,
                                         quint32 impronta)
{
    Voce &v = recenti[impronta % recenti.size()];
    if (v.inizio >= 0 && v.impronta == impronta) {
        // The same fingerprint: the same payee only if every field's bytes are.
        const char *p = blocchi[size_t(v.inizio / kBlocco)].get() + v.inizio % kBlocco;
        bool uguali = true;
        for (size_t k = 0, c = 0; uguali && k < t.size(); ++k) {
            if (!kComune[k])
                continue;
            uguali = v.lunghezza[c++] == t[k].size() && std::memcmp(p, t[k].data(), size_t(t[k].size())) == 0;
            p += t[k].size();
        }
        if (uguali)
            return v.inizio;
    }
    char *o = Spazio(byte, v.inizio);
    v.impronta = impronta;
    for (size_t k = 0, c = 0; k < t.size(); ++k) {
        if (!kComune[k])
            continue;
        for (qsizetype i = 0; i < t[k].size(); i += kPasso)
            std::memcpy(o + i, t[k].data() + i, kPasso);
        o += t[k].size();
        v.lunghezza[c++] = quint8(t[k].size());
    }
    return v.inizio;
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
    const Riga &r = m_righe[size_t(riga)];
    const bool comune = kComune[size_t(colonna - 1)];
    qsizetype inizio = comune ? r.comuni : r.propri;
    for (int k = 0; k < colonna - 1; ++k)
        if (kComune[size_t(k)] == comune)
            inizio += r.lunghezza[size_t(k)];
    const char *blocco = m_blocchi[size_t(inizio / kBlocco)].get();
    return QByteArrayView(blocco + inizio % kBlocco, r.lunghezza[size_t(colonna - 1)]);
}

void ModelloRegistro::AggiungiRigaEsportata(std::string &documento, qint64 riga) const
{
    if (riga < 0 || riga >= NumeroRighe())
        return;
    // The row's own fields lie one after the other, and so do its payee's:
    // walked once, not looked up per cell.
    const Riga &r = m_righe[size_t(riga)];
    const char *propri = m_blocchi[size_t(r.propri / kBlocco)].get() + r.propri % kBlocco;
    const char *comuni = m_blocchi[size_t(r.comuni / kBlocco)].get() + r.comuni % kBlocco;
    for (int colonna = 1; colonna < NumeroColonne; ++colonna) {
        const char *&p = kComune[size_t(colonna - 1)] ? comuni : propri;
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
    return parent.isValid() ? 0 : int(m_numeroRighe);
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
