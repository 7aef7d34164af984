#include "register/Suggerimenti.h"

#include "platform/Testo.h"

#include <QElapsedTimer>
#include <QHash>
#include <algorithm>
#include <cstring>
#include <vector>

namespace {

char Minuscolo(char c) { return (c >= 'A' && c <= 'Z') ? char(c + ('a' - 'A')) : c; }

// The field's bytes as stored, blanks around them left out.
std::string_view Valore(const TScheda &s, Campo c)
{
    const QByteArrayView b = Testo::TrimByte(QByteArrayView(s.Dati(c), s.Lunghezza(c)));
    return std::string_view(b.data(), size_t(b.size()));
}

// Lowers the ASCII letters into the buffer, which holds any field (255 bytes).
std::string_view Piegato(std::string_view v, std::array<char, 256> &buffer)
{
    const size_t n = std::min(v.size(), buffer.size());
    for (size_t i = 0; i < n; ++i)
        buffer[i] = Minuscolo(v[i]);
    return std::string_view(buffer.data(), n);
}

std::string Piegato(std::string_view v)
{
    std::string s(v);
    for (char &c : s)
        c = Minuscolo(c);
    return s;
}

// The text as the archive would store it, trimmed and lowered; nothing when
// a character has no byte in the code page (then no stored value holds it).
std::optional<std::string> Cercato(const QString &testo)
{
    const QString t = Testo::MinuscoloAscii(Testo::Trim(testo));
    for (QChar c : t)
        if (!Testo::InCp1252(c))
            return std::nullopt;
    const QByteArray b = Testo::CodificaCp1252(t);
    return std::string(b.constData(), size_t(b.size()));
}

template <size_t N>
void Copia(const TScheda &s, Campo c, unsigned char &n, std::array<char, N> &dati)
{
    n = static_cast<unsigned char>(std::min(s.Lunghezza(c), int(N)));
    std::memcpy(dati.data(), s.Dati(c), n);
}

template <size_t N>
QString Testo_(unsigned char n, const std::array<char, N> &dati)
{
    return Testo::Trim(Testo::DecodificaCp1252(dati.data(), n));
}

} // namespace

bool Suggerimenti::Offerto(Campo c) { return Indice(c) >= 0; }

int Suggerimenti::Indice(Campo c)
{
    switch (c) {
    case Campo::Fornitore:
        return 0;
    case Campo::Codice:
        return 1;
    case Campo::Tipologia:
        return 2;
    default:
        return -1;
    }
}

void Suggerimenti::Conta(const TScheda &s, qint64 indice)
{
    for (Campo c : {Campo::Fornitore, Campo::Codice, Campo::Tipologia}) {
        const std::string_view v = Valore(s, c);
        if (v.empty())
            continue;
        Mappa<qint64> &m = m_valori[size_t(Indice(c))];
        if (auto it = m.find(v); it != m.end())
            ++it->second;
        else
            m.emplace(std::string(v), 1);
    }

    const std::string_view beneficiario = Valore(s, Campo::Fornitore);
    if (beneficiario.empty())
        return;
    std::array<char, 256> buffer;
    const std::string_view chiave = Piegato(beneficiario, buffer);
    auto it = m_ultime.find(chiave);
    if (it == m_ultime.end())
        it = m_ultime.emplace(std::string(chiave), UltimaByte()).first;
    UltimaByte &u = it->second;
    if (indice < u.indice)
        return;
    u.indice = indice;
    Copia(s, Campo::CodFisc, u.codFisc.n, u.codFisc.dati);
    Copia(s, Campo::Codice, u.codice.n, u.codice.dati);
    Copia(s, Campo::Tipologia, u.tipologia.n, u.tipologia.dati);
    Copia(s, Campo::Servizi, u.servizi.n, u.servizi.dati);
}

void Suggerimenti::Togli(const TScheda &s, qint64 indice)
{
    for (Campo c : {Campo::Fornitore, Campo::Codice, Campo::Tipologia}) {
        Mappa<qint64> &m = m_valori[size_t(Indice(c))];
        const auto it = m.find(Valore(s, c));
        if (it != m.end() && --it->second <= 0)
            m.erase(it);
    }
    std::array<char, 256> buffer;
    const auto it = m_ultime.find(Piegato(Valore(s, Campo::Fornitore), buffer));
    if (it != m_ultime.end() && it->second.indice == indice)
        m_ultime.erase(it);
}

QStringList Suggerimenti::Offerti(Campo c, const QString &digitato, int massimo) const
{
    const int i = Indice(c);
    const std::optional<std::string> cercato = Cercato(digitato);
    if (i < 0 || !cercato || massimo <= 0)
        return {};
    const std::string_view ago(*cercato);

    // Values equal but for the case of ASCII letters make one group.
    struct Gruppo {
        qint64 usi = 0;
        const std::string *scritto = nullptr; // the spelling most records use
        qint64 usiScritto = 0;
        bool inizia = false;
        std::string chiave;
    };
    std::unordered_map<std::string, Gruppo, Hash, std::equal_to<>> gruppi;
    std::array<char, 256> buffer;
    for (const auto &[valore, usi] : m_valori[size_t(i)]) {
        const std::string_view piegato = Piegato(valore, buffer);
        const size_t dove = piegato.find(ago);
        if (dove == std::string_view::npos)
            continue;
        auto it = gruppi.find(piegato);
        if (it == gruppi.end()) {
            it = gruppi.emplace(std::string(piegato), Gruppo()).first;
            it->second.inizia = dove == 0;
            it->second.chiave = it->first;
        }
        Gruppo &g = it->second;
        g.usi += usi;
        if (!g.scritto || usi > g.usiScritto || (usi == g.usiScritto && valore < *g.scritto)) {
            g.scritto = &valore;
            g.usiScritto = usi;
        }
    }

    std::vector<const Gruppo *> ordine;
    ordine.reserve(gruppi.size());
    for (const auto &[chiave, g] : gruppi)
        ordine.push_back(&g);
    std::sort(ordine.begin(), ordine.end(), [](const Gruppo *a, const Gruppo *b) {
        if (a->usi != b->usi)
            return a->usi > b->usi;
        if (a->inizia != b->inizia)
            return a->inizia;
        if (a->chiave != b->chiave)
            return a->chiave < b->chiave;
        return *a->scritto < *b->scritto;
    });

    const QString scritto = Testo::Trim(digitato);
    QStringList esito;
    for (const Gruppo *g : ordine) {
        const QString v = Testo::DecodificaCp1252(g->scritto->data(), qsizetype(g->scritto->size()));
        if (v == scritto)
            continue;
        esito << v;
        if (esito.size() >= massimo)
            break;
    }
    return esito;
}

qint64 Suggerimenti::Usi(Campo c, const QString &valore) const
{
    const int i = Indice(c);
    const std::optional<std::string> cercato = Cercato(valore);
    if (i < 0 || !cercato)
        return 0;
    qint64 usi = 0;
    for (const auto &[v, n] : m_valori[size_t(i)])
        if (Piegato(v) == *cercato)
            usi += n;
    return usi;
}

std::optional<Suggerimenti::Ultima> Suggerimenti::UltimaDi(const QString &beneficiario) const
{
    const std::optional<std::string> chiave = Cercato(beneficiario);
    if (!chiave || chiave->empty())
        return std::nullopt;
    const auto it = m_ultime.find(*chiave);
    if (it == m_ultime.end())
        return std::nullopt;
    const UltimaByte &u = it->second;
    Ultima esito;
    esito.indice = u.indice;
    esito.codFisc = Testo_(u.codFisc.n, u.codFisc.dati);
    esito.codice = Testo_(u.codice.n, u.codice.dati);
    esito.tipologia = Testo_(u.tipologia.n, u.tipologia.dati);
    esito.servizi = Testo_(u.servizi.n, u.servizi.dati);
    return esito;
}

LetturaSuggerimenti::LetturaSuggerimenti(const QString &percorsoArchivio) : m_blocchi(percorsoArchivio) {}

bool LetturaSuggerimenti::Passo(std::chrono::milliseconds tempo)
{
    QElapsedTimer t;
    t.start();
    for (;;) {
        const BlocchiArchivio::Blocco b = m_blocchi.Prossimo();
        if (b.quante == 0)
            return true;
        for (qint64 k = 0; k < b.quante; ++k)
            m_esito->Conta(b.schede[k], b.primo + k);
        if (m_blocchi.Letti() >= m_blocchi.Totale())
            return true;
        if (t.elapsed() >= tempo.count())
            return false;
    }
}
