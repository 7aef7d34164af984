#include "imports/ModelloImportazione.h"

#include "imports/Valori.h"
#include "platform/Testo.h"

#include <QBrush>
#include <QColor>
#include <algorithm>

ModelloImportazione::ModelloImportazione(QObject *genitore) : QAbstractTableModel(genitore) {}

void ModelloImportazione::Carica(QList<Importazione::Riga> righe, const QList<Estratto::ErroreLinea> &errori)
{
    beginResetModel();
    m_righe = std::move(righe);
    m_errori.clear();
    m_voci.clear();
    for (const auto &e : errori)
        if (e.linea > 0)
            m_errori.append(e);
    for (int k = 0; k < m_righe.size(); ++k)
        m_voci.push_back({m_righe.at(k).movimento.linea, k, -1});
    for (int k = 0; k < m_errori.size(); ++k)
        m_voci.push_back({m_errori.at(k).linea, -1, k});
    std::stable_sort(m_voci.begin(), m_voci.end(), [](const Voce &a, const Voce &b) { return a.linea < b.linea; });
    endResetModel();
    emit SpunteCambiate();
}

void ModelloImportazione::ImpostaCodici(const QString &codice, const QString &tipologia)
{
    m_codice = codice;
    m_tipologia = tipologia;
    if (!m_voci.empty())
        emit dataChanged(index(0, Codice), index(int(m_voci.size()) - 1, Tipologia));
}

const Importazione::Riga *ModelloImportazione::RigaDi(int riga) const
{
    if (riga < 0 || riga >= int(m_voci.size()) || m_voci[size_t(riga)].riga < 0)
        return nullptr;
    return &m_righe.at(m_voci[size_t(riga)].riga);
}

void ModelloImportazione::Inverti(int riga)
{
    const Importazione::Riga *r = RigaDi(riga);
    if (!r || !r->movimento.uscita)
        return;
    m_righe[m_voci[size_t(riga)].riga].spuntata = !r->spuntata;
    emit dataChanged(index(riga, 0), index(riga, NumeroColonne - 1));
    emit SpunteCambiate();
}

std::pair<QString, QString> ModelloImportazione::CodiciDi(const Importazione::Riga &r) const
{
    return r.codici ? *r.codici : std::pair{m_codice, m_tipologia};
}

QString ModelloImportazione::NotaDi(int riga) const
{
    if (riga < 0 || riga >= int(m_voci.size()))
        return {};
    const Voce &v = m_voci[size_t(riga)];
    if (v.errore >= 0)
        return QStringLiteral("Non letta: ") + m_errori.at(v.errore).perche;
    const Importazione::Riga &r = m_righe.at(v.riga);
    QStringList note;
    if (!r.movimento.uscita)
        note.append(QStringLiteral("Entrata: non diventa una scheda"));
    if (r.doppione)
        note.append(QStringLiteral("Doppione della scheda n. %1 (%2, %3)")
                        .arg(r.doppione->indice + 1)
                        .arg(Testo::FormattaData(r.doppione->data), r.doppione->fornitore));
    if (r.lineaRipetuta > 0)
        note.append(QStringLiteral("Ripete la riga %1 del file").arg(r.lineaRipetuta));
    if (r.tagliata)
        note.append(QStringLiteral("Testo tagliato alla lunghezza del campo"));
    if (!r.sostituiti.isEmpty())
        note.append(QStringLiteral("Caratteri non conservabili: ") + r.sostituiti.join(QStringLiteral(", ")));
    if (r.movimento.uscita && !r.codici)
        note.append(QStringLiteral("Beneficiario senza schede in archivio"));
    return note.join(QStringLiteral("; "));
}

int ModelloImportazione::rowCount(const QModelIndex &genitore) const
{
    return genitore.isValid() ? 0 : int(m_voci.size());
}

int ModelloImportazione::columnCount(const QModelIndex &genitore) const
{
    return genitore.isValid() ? 0 : NumeroColonne;
}

QVariant ModelloImportazione::data(const QModelIndex &indice, int ruolo) const
{
    if (!indice.isValid() || indice.row() >= int(m_voci.size()))
        return {};
    const Voce &v = m_voci[size_t(indice.row())];
    const Importazione::Riga *r = v.riga >= 0 ? &m_righe.at(v.riga) : nullptr;
    const int c = indice.column();
    if (ruolo == Qt::CheckStateRole && c == Spunta && r)
        return r->spuntata ? Qt::Checked : Qt::Unchecked;
    if (ruolo == Qt::ForegroundRole && (!r || !r->movimento.uscita))
        return QBrush(r ? QColor(0x80, 0x80, 0x80) : QColor(0xB0, 0x00, 0x00));
    if (ruolo == Qt::ToolTipRole && c == Note)
        return NotaDi(indice.row());
    if (ruolo != Qt::DisplayRole && ruolo != Qt::AccessibleTextRole)
        return {};
    if (c == Linea)
        return QString::number(v.linea);
    if (c == Note)
        return NotaDi(indice.row());
    if (!r) {
        if (ruolo == Qt::AccessibleTextRole && c == Spunta)
            return QStringLiteral("non letta");
        return {};
    }
    switch (c) {
    case Spunta:
        if (ruolo == Qt::AccessibleTextRole)
            return !r->movimento.uscita ? QStringLiteral("entrata")
                                        : r->spuntata ? QStringLiteral("da importare") : QStringLiteral("esclusa");
        return {};
    case Data: return Testo::FormattaData(r->movimento.data);
    case Fornitore: return r->fornitore;
    case Servizi: return r->servizi;
    case Importo:
        return (r->movimento.uscita ? QString() : QStringLiteral("+"))
               + ValoriEstratto::TestoImporto(r->movimento.centesimi);
    case Codice: return r->movimento.uscita ? CodiciDi(*r).first : QString();
    case Tipologia: return r->movimento.uscita ? CodiciDi(*r).second : QString();
    }
    return {};
}

bool ModelloImportazione::setData(const QModelIndex &indice, const QVariant &valore, int ruolo)
{
    const Importazione::Riga *r = RigaDi(indice.row());
    if (ruolo != Qt::CheckStateRole || indice.column() != Spunta || !r || !r->movimento.uscita)
        return false;
    if ((valore.value<Qt::CheckState>() == Qt::Checked) != r->spuntata)
        Inverti(indice.row());
    return true;
}

Qt::ItemFlags ModelloImportazione::flags(const QModelIndex &indice) const
{
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    const Importazione::Riga *r = RigaDi(indice.row());
    if (indice.column() == Spunta && r && r->movimento.uscita)
        f |= Qt::ItemIsUserCheckable;
    return f;
}

QVariant ModelloImportazione::headerData(int sezione, Qt::Orientation verso, int ruolo) const
{
    if (verso != Qt::Horizontal || ruolo != Qt::DisplayRole)
        return QAbstractTableModel::headerData(sezione, verso, ruolo);
    static const char16_t *nomi[] = {u"Importa", u"Riga", u"Data", u"Fornitore", u"Servizi", u"Importo",
                                     u"Codice", u"Tipologia", u"Note"};
    return sezione >= 0 && sezione < NumeroColonne ? QString::fromUtf16(nomi[sezione]) : QVariant();
}
