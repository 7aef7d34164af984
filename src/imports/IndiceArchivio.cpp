#include "imports/IndiceArchivio.h"

#include "imports/Valori.h"
#include "platform/Testo.h"
#include "register/Archivio.h"
#include "register/Importi.h"

#include <algorithm>
#include <cmath>

namespace Importazione {

namespace {

constexpr int kMinimoContenuto = 4; // a shorter key held in a longer one is chance

// The field's bytes without the blanks around: trimming the bytes equals
// trimming the decoded text.
QByteArrayView Grezzo(const TScheda &s, Campo c)
{
    return Testo::TrimByte(QByteArrayView(s.Dati(c), s.Lunghezza(c)));
}

std::optional<qint64> Centesimi(const TScheda &s, Campo c)
{
    const auto v = Testo::LeggiNumeroCp1252(QByteArrayView(s.Dati(c), s.Lunghezza(c)));
    if (!v || !std::isfinite(*v) || std::fabs(*v) > 1e13)
        return std::nullopt;
    return std::llround(Arrotonda2(*v) * 100);
}

// The register's "dd/mm/yyyy" read from the bytes; any other form a bank
// writes only for the rare record that holds one.
QDate Data(const TScheda &s)
{
    const QByteArrayView b = Grezzo(s, Campo::Data);
    if (const auto d = Testo::LeggiDataCp1252(b))
        return *d;
    return ValoriEstratto::LeggiData(Testo::DecodificaCp1252(b.data(), b.size())).value_or(QDate());
}

QString Decodificato(const std::string &b)
{
    return Testo::DecodificaCp1252(b.data(), qsizetype(b.size()));
}

} // namespace

QString ChiaveFornitore(const QString &fornitore)
{
    QString k;
    k.reserve(fornitore.size());
    for (QChar c : fornitore.normalized(QString::NormalizationForm_D))
        if (c.isLetterOrNumber())
            k.append(c.toLower());
    return k;
}

bool StessoFornitore(const QString &a, const QString &b)
{
    if (a.isEmpty() || b.isEmpty())
        return false;
    if (a == b)
        return true;
    const QString &corta = a.size() < b.size() ? a : b;
    const QString &lunga = a.size() < b.size() ? b : a;
    return corta.size() >= kMinimoContenuto && lunga.contains(corta);
}

int IndiceArchivio::FornitoreDi(const TScheda &s)
{
    const QByteArrayView b = Grezzo(s, Campo::Fornitore);
    // Raw data: the look-up copies nothing.
    if (const auto it = m_perTesto.constFind(QByteArray::fromRawData(b.data(), b.size())); it != m_perTesto.cend())
        return it.value();
    Fornitore f{Testo::DecodificaCp1252(b.data(), b.size()), -1};
    const QString chiave = ChiaveFornitore(f.testo);
    if (!chiave.isEmpty()) {
        const auto it = m_perChiave.constFind(chiave);
        if (it != m_perChiave.cend()) {
            f.chiave = it.value();
        } else {
            f.chiave = int(m_chiavi.size());
            m_chiavi.push_back(Chiave{chiave, -1, {}, {}});
            m_perChiave.insert(chiave, f.chiave);
        }
    }
    const int n = int(m_fornitori.size());
    m_fornitori.push_back(std::move(f));
    m_perTesto.insert(b.toByteArray(), n);
    return n;
}

void IndiceArchivio::Registra(const TScheda &s, qint64 indice)
{
    m_schede = std::max(m_schede, indice + 1);
    const int fornitore = FornitoreDi(s);
    const int chiave = m_fornitori[size_t(fornitore)].chiave;
    // A payee without a key matches no line and gives no codes.
    if (chiave < 0)
        return;
    Chiave &k = m_chiavi[size_t(chiave)];
    k.ultima = indice;
    const QByteArrayView codice = Grezzo(s, Campo::Codice), tipologia = Grezzo(s, Campo::Tipologia);
    k.codice.assign(codice.data(), size_t(codice.size()));
    k.tipologia.assign(tipologia.data(), size_t(tipologia.size()));
    const auto importo = Centesimi(s, Campo::Dovuto);
    if (!importo)
        return;
    const auto it = m_perImporto.find(*importo);
    if (it == m_perImporto.end() && !m_ogniImporto)
        return;
    const QDate data = Data(s);
    if (!data.isValid())
        return;
    const int n = int(m_registrazioni.size());
    if (it == m_perImporto.end()) {
        m_registrazioni.push_back(Registrazione{indice, data, fornitore, -1});
        m_perImporto.insert(*importo, n);
    } else {
        m_registrazioni.push_back(Registrazione{indice, data, fornitore, it.value()});
        it.value() = n;
    }
}

void IndiceArchivio::Aggiungi(const TScheda &s, qint64 indice)
{
    Registra(s, indice);
    m_cache.clear();
}

IndiceArchivio IndiceArchivio::Carica(const QString &percorso)
{
    IndiceArchivio ia;
    ia.Scorri(percorso);
    return ia;
}

IndiceArchivio IndiceArchivio::Carica(const QString &percorso, const QSet<qint64> &importi)
{
    IndiceArchivio ia;
    ia.m_ogniImporto = false;
    for (const qint64 importo : importi)
        ia.m_perImporto.insert(importo, -1);
    ia.Scorri(percorso);
    return ia;
}

void IndiceArchivio::Scorri(const QString &percorso)
{
    ScorriArchivioABlocchi(percorso, [this](const TScheda *schede, qint64 quante, qint64 primo) {
        for (qint64 k = 0; k < quante; ++k)
            Registra(schede[k], primo + k);
        return true;
    });
}

bool IndiceArchivio::Copre(const QSet<qint64> &importi) const
{
    return m_ogniImporto
           || std::all_of(importi.cbegin(), importi.cend(), [this](qint64 i) { return m_perImporto.contains(i); });
}

std::optional<IndiceArchivio::Voce> IndiceArchivio::Doppione(qint64 centesimi, const QDate &data,
                                                             const QString &chiave, int tolleranza) const
{
    const auto it = m_perImporto.constFind(centesimi);
    if (it == m_perImporto.cend())
        return std::nullopt;
    // The chain runs from the last record back: the first in file order is
    // the last match met.
    const Registrazione *trovata = nullptr;
    for (int r = it.value(); r >= 0; r = m_registrazioni[size_t(r)].precedente) {
        const Registrazione &v = m_registrazioni[size_t(r)];
        if (std::abs(v.data.daysTo(data)) <= tolleranza
            && StessoFornitore(chiave, m_chiavi[size_t(m_fornitori[size_t(v.fornitore)].chiave)].chiave))
            trovata = &v;
    }
    if (!trovata)
        return std::nullopt;
    const Fornitore &f = m_fornitori[size_t(trovata->fornitore)];
    return Voce{trovata->indice, trovata->data, f.testo, m_chiavi[size_t(f.chiave)].chiave};
}

std::optional<std::pair<QString, QString>> IndiceArchivio::UltimiCodici(const QString &beneficiario) const
{
    const QString chiave = ChiaveFornitore(beneficiario);
    if (chiave.isEmpty())
        return std::nullopt;
    if (const auto it = m_cache.constFind(chiave); it != m_cache.cend())
        return it.value();
    const Chiave *ultima = nullptr;
    if (const auto it = m_perChiave.constFind(chiave); it != m_perChiave.cend()) {
        ultima = &m_chiavi[size_t(it.value())];
    } else {
        for (const Chiave &k : m_chiavi)
            if (StessoFornitore(chiave, k.chiave) && (!ultima || k.ultima > ultima->ultima))
                ultima = &k;
    }
    std::optional<std::pair<QString, QString>> esito;
    if (ultima)
        esito = std::pair{Decodificato(ultima->codice), Decodificato(ultima->tipologia)};
    m_cache.insert(chiave, esito);
    return esito;
}

} // namespace Importazione
