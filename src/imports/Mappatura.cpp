#include "imports/Mappatura.h"

#include "imports/Valori.h"

#include <QRegularExpression>
#include <algorithm>

namespace MappaturaEstratto {

namespace {

// Lower case without accents, for comparing header names.
QString Chiave(const QString &s)
{
    QString r;
    for (QChar c : s.normalized(QString::NormalizationForm_D))
        if (c.isLetterOrNumber() || c == u' ')
            r.append(c.toLower());
    return r.simplified();
}

int Trova(const QStringList &chiavi, std::initializer_list<const char16_t *> parole, const QList<int> &escluse)
{
    for (const char16_t *p : parole) {
        const QString parola = QString::fromUtf16(p);
        for (int c = 0; c < chiavi.size(); ++c)
            if (!escluse.contains(c) && chiavi.at(c).contains(parola))
                return c;
    }
    return -1;
}

QStringList Colonna(const Estratto::Tabella &t, int c, int quante = 200)
{
    QStringList v;
    for (const auto &r : t.righe) {
        if (v.size() >= quante)
            break;
        if (c >= 0 && c < r.celle.size())
            v.append(r.celle.at(c));
    }
    return v;
}

} // namespace

Mappatura Proponi(const Estratto::Tabella &t)
{
    Mappatura m;
    using namespace Estratto;
    if (t.formato == Formato::Ofx) {
        m.data = OfxDataOperazione;
        m.valuta = OfxDataContabile;
        m.beneficiario = OfxBeneficiario;
        m.descrizione = OfxDescrizione;
        m.importo = OfxImporto;
        return m;
    }
    if (t.formato == Formato::Qif) {
        m.data = QifData;
        m.beneficiario = QifBeneficiario;
        m.descrizione = QifDescrizione;
        m.importo = QifImporto;
        return m;
    }
    QStringList chiavi;
    for (const QString &c : t.colonne)
        chiavi.append(Chiave(c));
    if (t.conIntestazione) {
        m.valuta = Trova(chiavi, {u"valuta", u"value date"}, {});
        m.data = Trova(chiavi, {u"data operazione", u"data op", u"data contabile", u"data registrazione", u"data",
                                u"date"},
                       {m.valuta});
        m.addebito = Trova(chiavi, {u"addebit", u"uscit", u"dare", u"debit", u"prelev"}, {});
        m.accredito = Trova(chiavi, {u"accredit", u"entrat", u"avere", u"credit", u"versament"}, {m.addebito});
        m.importo = Trova(chiavi, {u"importo", u"amount", u"ammontare", u"valore"}, {m.addebito, m.accredito});
        m.beneficiario = Trova(chiavi, {u"beneficiario", u"controparte", u"fornitore", u"esercente", u"payee",
                                        u"destinatario", u"ordinante"},
                               {});
        m.descrizione = Trova(chiavi, {u"descrizione", u"causale", u"dettagli", u"memo", u"operazione",
                                       u"description"},
                              {m.data, m.valuta, m.beneficiario});
        if (m.importo >= 0) {
            m.addebito = -1;
            m.accredito = -1;
        } else if (m.addebito < 0 || m.accredito < 0) {
            m.addebito = m.accredito = -1;
        }
    }
    // Without a header, or where the names said nothing: from the values.
    const int n = int(t.colonne.size());
    if (m.data < 0)
        for (int c = 0; c < n && m.data < 0; ++c) {
            const QStringList v = Colonna(t, c, 20);
            if (!v.isEmpty() && std::all_of(v.cbegin(), v.cend(), [](const QString &x) {
                    return ValoriEstratto::LeggiData(x).has_value();
                }))
                m.data = c;
        }
    if (m.importo < 0 && m.addebito < 0)
        for (int c = n - 1; c >= 0 && m.importo < 0; --c) {
            if (c == m.data || c == m.valuta)
                continue;
            const QStringList v = Colonna(t, c, 20);
            const QChar dec = ValoriEstratto::DecimaleColonna(v);
            if (!v.isEmpty() && std::all_of(v.cbegin(), v.cend(), [dec](const QString &x) {
                    return ValoriEstratto::LeggiCentesimi(x, dec).has_value();
                }))
                m.importo = c;
        }
    if (m.descrizione < 0) {
        qsizetype piuLunga = 0;
        for (int c = 0; c < n; ++c) {
            if (c == m.data || c == m.valuta || c == m.importo || c == m.addebito || c == m.accredito
                || c == m.beneficiario)
                continue;
            qsizetype somma = 0;
            for (const QString &x : Colonna(t, c, 50))
                somma += x.size();
            if (somma > piuLunga) {
                piuLunga = somma;
                m.descrizione = c;
            }
        }
    }
    return m;
}

QString Incompleta(const Mappatura &m)
{
    if (m.data < 0 && m.valuta < 0)
        return QStringLiteral("Scegliere la colonna della data.");
    if (m.importo < 0 && (m.addebito < 0 || m.accredito < 0))
        return QStringLiteral("Scegliere la colonna dell'importo, oppure quelle degli addebiti e degli accrediti.");
    if (m.beneficiario < 0 && m.descrizione < 0)
        return QStringLiteral("Scegliere la colonna del beneficiario o quella della descrizione.");
    return {};
}

QString PrimaParte(const QString &descrizione)
{
    static const QRegularExpression fine(QStringLiteral("\\s+[-\u2013\u2014]\\s+|\\s+/\\s+|,|:|\\s{2,}"));
    const QString d = descrizione.trimmed();
    const auto m = fine.match(d);
    return (m.hasMatch() && m.capturedStart() > 0 ? d.left(m.capturedStart()) : d).trimmed();
}

Interpretazione Interpreta(const Estratto::Tabella &t, const Mappatura &m)
{
    Interpretazione esito;
    if (!Incompleta(m).isEmpty())
        return esito;
    const auto cella = [](const Estratto::RigaTabella &r, int c) {
        return c >= 0 && c < r.celle.size() ? r.celle.at(c).trimmed() : QString();
    };
    // Each column's date order and decimal separator, judged on all its values.
    QStringList date;
    for (const auto &r : t.righe) {
        date.append(cella(r, m.data));
        date.append(cella(r, m.valuta));
    }
    const auto ordine = ValoriEstratto::OrdineColonna(date);
    const auto decimale = [&](int c) { return ValoriEstratto::DecimaleColonna(Colonna(t, c, int(t.righe.size()))); };
    const QChar decImporto = decimale(m.importo), decAddebito = decimale(m.addebito),
                decAccredito = decimale(m.accredito);
    for (const auto &r : t.righe) {
        const auto errore = [&](const QString &perche) { esito.errori.append({r.linea, perche}); };
        Movimento mv;
        mv.linea = r.linea;
        QString testoData = cella(r, m.data);
        if (testoData.isEmpty())
            testoData = cella(r, m.valuta);
        const auto data = ValoriEstratto::LeggiData(testoData, ordine);
        if (!data) {
            errore(testoData.isEmpty() ? QStringLiteral("manca la data")
                                       : QStringLiteral("data non leggibile: \"%1\"").arg(testoData));
            continue;
        }
        mv.data = *data;
        if (m.importo >= 0) {
            const QString v = cella(r, m.importo);
            const auto c = ValoriEstratto::LeggiCentesimi(v, decImporto);
            if (!c) {
                errore(v.isEmpty() ? QStringLiteral("manca l'importo")
                                   : QStringLiteral("importo non leggibile: \"%1\"").arg(v));
                continue;
            }
            mv.uscita = *c < 0;
            mv.centesimi = *c < 0 ? -*c : *c;
        } else {
            const QString a = cella(r, m.addebito), b = cella(r, m.accredito);
            const auto ca = a.isEmpty() ? std::optional<qint64>(0) : ValoriEstratto::LeggiCentesimi(a, decAddebito);
            const auto cb = b.isEmpty() ? std::optional<qint64>(0) : ValoriEstratto::LeggiCentesimi(b, decAccredito);
            if (!ca || !cb) {
                errore(QStringLiteral("importo non leggibile: \"%1\"").arg(!ca ? a : b));
                continue;
            }
            if (*ca != 0 && *cb != 0) {
                errore(QStringLiteral("la riga ha sia un addebito sia un accredito"));
                continue;
            }
            if (*ca == 0 && *cb == 0) {
                errore(QStringLiteral("manca l'importo"));
                continue;
            }
            mv.uscita = *ca != 0;
            const qint64 v = *ca != 0 ? *ca : *cb;
            mv.centesimi = v < 0 ? -v : v;
        }
        mv.descrizione = cella(r, m.descrizione).simplified();
        mv.beneficiario = cella(r, m.beneficiario).simplified();
        if (mv.beneficiario.isEmpty())
            mv.beneficiario = PrimaParte(mv.descrizione);
        esito.movimenti.append(mv);
    }
    return esito;
}

} // namespace MappaturaEstratto
