#include "imports/Estratto.h"

#include "imports/Valori.h"
#include "platform/Testo.h"

#include <QHash>
#include <QRegularExpression>
#include <QStringDecoder>
#include <algorithm>

namespace Estratto {

QString NomeFormato(Formato f)
{
    switch (f) {
    case Formato::Csv: return QStringLiteral("CSV");
    case Formato::Ofx: return QStringLiteral("OFX");
    case Formato::Qif: return QStringLiteral("QIF");
    }
    return {};
}

QString NomeSeparatore(QChar c)
{
    if (c == u';')
        return QStringLiteral("punto e virgola");
    if (c == u',')
        return QStringLiteral("virgola");
    if (c == u'\t')
        return QStringLiteral("tabulazione");
    return QString(c);
}

QString Decodifica(const QByteArray &dati, QString *codifica)
{
    auto nome = [codifica](const char *n) {
        if (codifica)
            *codifica = QString::fromLatin1(n);
    };
    if (dati.startsWith("\xEF\xBB\xBF")) {
        nome("UTF-8 con BOM");
        return QString::fromUtf8(dati.constData() + 3, dati.size() - 3);
    }
    if (dati.startsWith("\xFF\xFE") || dati.startsWith("\xFE\xFF")) {
        nome("UTF-16");
        QStringDecoder d(QStringDecoder::Utf16, QStringDecoder::Flag::Stateless);
        return d.decode(dati);
    }
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString testo = utf8.decode(dati);
    if (!utf8.hasError()) {
        nome("UTF-8");
        return testo;
    }
    nome("windows-1252");
    return Testo::DecodificaCp1252(dati);
}

namespace {

ErroreLinea Errore(int linea, const QString &perche)
{
    return ErroreLinea{linea, perche};
}

// ---- CSV -------------------------------------------------------------------

struct Record {
    int linea = 0;
    QStringList celle;
};

// Splits the text into records; quoted fields may hold the separator, quotes
// doubled and line breaks. An unclosed quote is reported at its record.
QList<Record> Dividi(const QString &testo, QChar sep, QList<ErroreLinea> *errori)
{
    QList<Record> record;
    int linea = 1;
    qsizetype i = 0;
    const qsizetype n = testo.size();
    while (i < n) {
        Record r;
        r.linea = linea;
        QString cella;
        bool fine = false;
        while (!fine) {
            if (i < n && testo.at(i) == u'"') {
                ++i;
                bool chiusa = false;
                while (i < n) {
                    const QChar c = testo.at(i);
                    if (c == u'"') {
                        if (i + 1 < n && testo.at(i + 1) == u'"') {
                            cella.append(u'"');
                            i += 2;
                            continue;
                        }
                        ++i;
                        chiusa = true;
                        break;
                    }
                    if (c == u'\n')
                        ++linea;
                    if (!(c == u'\r' && i + 1 < n && testo.at(i + 1) == u'\n'))
                        cella.append(c);
                    ++i;
                }
                if (!chiusa && errori)
                    errori->append(Errore(r.linea, QStringLiteral("virgolette aperte e mai chiuse")));
            }
            // The rest of the field up to the separator or the end of line.
            while (i < n) {
                const QChar c = testo.at(i);
                if (c == sep || c == u'\n' || c == u'\r')
                    break;
                cella.append(c);
                ++i;
            }
            r.celle.append(cella);
            cella.clear();
            if (i < n && testo.at(i) == sep) {
                ++i;
                continue;
            }
            if (i < n && testo.at(i) == u'\r')
                ++i;
            if (i < n && testo.at(i) == u'\n')
                ++i;
            ++linea;
            fine = true;
        }
        record.append(r);
    }
    return record;
}

bool Vuoto(const Record &r)
{
    return std::all_of(r.celle.cbegin(), r.celle.cend(), [](const QString &c) { return c.trimmed().isEmpty(); });
}

// The field count most non-empty records share, and how many share it.
std::pair<int, int> Prevalente(const QList<Record> &record)
{
    QHash<int, int> conta;
    for (const Record &r : record)
        if (!Vuoto(r) && r.celle.size() > 1)
            ++conta[int(r.celle.size())];
    std::pair<int, int> meglio{0, 0};
    for (auto it = conta.cbegin(); it != conta.cend(); ++it)
        if (it.value() > meglio.second || (it.value() == meglio.second && it.key() > meglio.first))
            meglio = {it.key(), it.value()};
    return meglio;
}

bool SembraDato(const QString &cella)
{
    const QString t = cella.trimmed();
    return ValoriEstratto::LeggiData(t).has_value()
           || (!t.isEmpty() && ValoriEstratto::LeggiCentesimi(t, u',').has_value() && (t.contains(u',') || t.contains(u'.')));
}

// ---- OFX -------------------------------------------------------------------

QString Entita(QString v)
{
    if (!v.contains(u'&'))
        return v;
    v.replace(QStringLiteral("&lt;"), QStringLiteral("<"));
    v.replace(QStringLiteral("&gt;"), QStringLiteral(">"));
    v.replace(QStringLiteral("&quot;"), QStringLiteral("\""));
    v.replace(QStringLiteral("&apos;"), QStringLiteral("'"));
    v.replace(QStringLiteral("&nbsp;"), QStringLiteral(" "));
    static const QRegularExpression numerica(QStringLiteral("&#(x?)([0-9A-Fa-f]{1,6});"));
    for (auto m = numerica.match(v); m.hasMatch(); m = numerica.match(v, m.capturedStart() + 1)) {
        bool ok = false;
        const uint c = m.captured(2).toUInt(&ok, m.captured(1).isEmpty() ? 10 : 16);
        const char32_t cp = ok && c > 0 && c <= 0x10FFFF && (c < 0xD800 || c > 0xDFFF) ? char32_t(c) : U'?';
        v.replace(m.capturedStart(), m.capturedLength(), QString::fromUcs4(&cp, 1));
    }
    v.replace(QStringLiteral("&amp;"), QStringLiteral("&"));
    return v;
}

QString DataOfx(const QString &v)
{
    const auto d = ValoriEstratto::LeggiData(v);
    return d ? d->toString(QStringLiteral("yyyy-MM-dd")) : v;
}

} // namespace

Tabella LeggiCsv(const QString &testo)
{
    Tabella t;
    t.formato = Formato::Csv;
    // The separator that gives most records the same number of fields.
    const QChar candidati[] = {u';', u'\t', u','};
    QList<Record> record;
    int quanti = 0, meglio = -1;
    for (QChar sep : candidati) {
        QList<Record> r = Dividi(testo, sep, nullptr);
        const auto [campi, volte] = Prevalente(r);
        if (campi > 1 && volte > meglio) {
            meglio = volte;
            quanti = campi;
            t.separatore = sep;
            record = std::move(r);
        }
    }
    if (quanti < 2) {
        t.errori.append(Errore(0, QStringLiteral("il file non contiene una tabella di colonne separate "
                                                 "da punto e virgola, virgola o tabulazione")));
        return t;
    }
    // Parsed again to report unclosed quotes once, with the chosen separator.
    record = Dividi(testo, t.separatore, &t.errori);
    // The table starts at the first record with the table's fields, most of
    // them filled: an account heading padded with separators is not it.
    const auto piena = [quanti](const Record &r) {
        const auto piene = std::count_if(r.celle.cbegin(), r.celle.cend(),
                                         [](const QString &c) { return !c.trimmed().isEmpty(); });
        return r.celle.size() == quanti && piene >= std::max(2, (quanti + 1) / 2);
    };
    qsizetype inizio = 0;
    while (inizio < record.size() && !piena(record.at(inizio)))
        ++inizio;
    if (inizio == record.size()) {
        t.errori.append(Errore(0, QStringLiteral("il file non contiene una tabella di movimenti")));
        return t;
    }
    t.lineeIniziali = inizio < record.size() ? record.at(inizio).linea - 1 : 0;
    const Record &prima = record.at(inizio);
    t.conIntestazione = std::none_of(prima.celle.cbegin(), prima.celle.cend(), SembraDato);
    for (int c = 0; c < quanti; ++c) {
        const QString nome = t.conIntestazione ? prima.celle.at(c).trimmed() : QString();
        t.colonne.append(nome.isEmpty() ? QStringLiteral("Colonna %1").arg(c + 1) : nome);
    }
    for (qsizetype k = inizio + (t.conIntestazione ? 1 : 0); k < record.size(); ++k) {
        Record r = record.at(k);
        if (Vuoto(r))
            continue;
        // A separator closing every line gives one empty field more.
        while (r.celle.size() > quanti && r.celle.back().trimmed().isEmpty())
            r.celle.removeLast();
        if (r.celle.size() != quanti) {
            t.errori.append(Errore(r.linea, QStringLiteral("la riga ha %1 campi invece di %2")
                                                .arg(r.celle.size())
                                                .arg(quanti)));
            continue;
        }
        for (QString &c : r.celle)
            c = c.trimmed();
        t.righe.append(RigaTabella{r.linea, r.celle});
    }
    return t;
}

Tabella LeggiOfx(const QString &testo)
{
    Tabella t;
    t.formato = Formato::Ofx;
    t.colonne = {QStringLiteral("Data operazione"), QStringLiteral("Data contabile"),
                 QStringLiteral("Beneficiario"), QStringLiteral("Descrizione"), QStringLiteral("Importo")};
    const qsizetype radice = testo.indexOf(QStringLiteral("<OFX>"), 0, Qt::CaseInsensitive);
    if (radice < 0) {
        t.errori.append(Errore(0, QStringLiteral("il file OFX non contiene l'elemento <OFX>")));
        return t;
    }
    int linea = 1 + int(QStringView(testo).left(radice).count(u'\n'));
    qsizetype contate = radice; // newlines counted up to here
    const auto lineaDi = [&](qsizetype p) {
        linea += int(QStringView(testo).mid(contate, p - contate).count(u'\n'));
        contate = p;
        return linea;
    };
    bool inTransazione = false, chiuso = false;
    RigaTabella riga;
    qsizetype i = radice;
    while (i < testo.size()) {
        const qsizetype apre = testo.indexOf(u'<', i);
        if (apre < 0)
            break;
        const qsizetype chiude = testo.indexOf(u'>', apre);
        if (chiude < 0) {
            t.errori.append(Errore(lineaDi(apre), QStringLiteral("file OFX troncato: etichetta non chiusa")));
            return t;
        }
        const QString tag = testo.mid(apre + 1, chiude - apre - 1).trimmed().toUpper();
        qsizetype prossimo = testo.indexOf(u'<', chiude);
        if (prossimo < 0)
            prossimo = testo.size();
        const QString valore = Entita(testo.mid(chiude + 1, prossimo - chiude - 1).trimmed());
        i = chiude + 1;
        if (tag == u"STMTTRN") {
            if (inTransazione)
                t.errori.append(Errore(riga.linea, QStringLiteral("transazione OFX non chiusa")));
            inTransazione = true;
            riga = RigaTabella{lineaDi(apre), QStringList(5)};
        } else if (tag == u"/STMTTRN") {
            if (inTransazione)
                t.righe.append(riga);
            inTransazione = false;
        } else if (tag == u"/OFX") {
            chiuso = true;
            break;
        } else if (inTransazione) {
            if (tag == u"DTUSER")
                riga.celle[OfxDataOperazione] = DataOfx(valore);
            else if (tag == u"DTPOSTED")
                riga.celle[OfxDataContabile] = DataOfx(valore);
            else if (tag == u"NAME" && riga.celle[OfxBeneficiario].isEmpty())
                riga.celle[OfxBeneficiario] = valore;
            else if (tag == u"MEMO")
                riga.celle[OfxDescrizione] = valore;
            else if (tag == u"TRNAMT")
                riga.celle[OfxImporto] = valore;
        }
    }
    if (inTransazione || !chiuso) {
        t.errori.append(Errore(0, inTransazione
                                      ? QStringLiteral("file OFX troncato: la transazione della riga %1 non è chiusa")
                                            .arg(riga.linea)
                                      : QStringLiteral("file OFX troncato: manca la chiusura </OFX>")));
    }
    return t;
}

Tabella LeggiQif(const QString &testo)
{
    Tabella t;
    t.formato = Formato::Qif;
    t.colonne = {QStringLiteral("Data"), QStringLiteral("Beneficiario"), QStringLiteral("Descrizione"),
                 QStringLiteral("Importo")};
    const QStringList linee = testo.split(u'\n');
    bool transazioni = false;
    bool aperta = false;
    RigaTabella riga;
    const auto chiudi = [&] {
        if (aperta)
            t.righe.append(riga);
        aperta = false;
    };
    for (qsizetype k = 0; k < linee.size(); ++k) {
        QString l = linee.at(k);
        if (l.endsWith(u'\r'))
            l.chop(1);
        const int numero = int(k + 1);
        if (l.trimmed().isEmpty())
            continue;
        if (l.startsWith(u'!')) {
            chiudi();
            const QString tipo = l.mid(1).trimmed().toLower();
            static const QStringList conti{QStringLiteral("type:bank"), QStringLiteral("type:cash"),
                                           QStringLiteral("type:ccard"), QStringLiteral("type:oth a"),
                                           QStringLiteral("type:oth l")};
            transazioni = conti.contains(tipo);
            continue;
        }
        if (!transazioni)
            continue;
        const QChar codice = l.at(0);
        const QString valore = l.mid(1).trimmed();
        if (codice == u'^') {
            chiudi();
            continue;
        }
        if (!aperta) {
            riga = RigaTabella{numero, QStringList(4)};
            aperta = true;
        }
        switch (codice.unicode()) {
        case u'D': riga.celle[QifData] = valore; break;
        case u'T':
        case u'U':
            if (riga.celle[QifImporto].isEmpty())
                riga.celle[QifImporto] = valore;
            break;
        case u'P': riga.celle[QifBeneficiario] = valore; break;
        case u'M': riga.celle[QifDescrizione] = valore; break;
        default:
            // Number, category, address, cleared flag and the splits carry
            // nothing a record holds.
            if (!QStringLiteral("NLACSE$%FXIQYBKR").contains(codice))
                t.errori.append(Errore(numero, QStringLiteral("riga QIF con codice sconosciuto \"%1\"").arg(codice)));
            break;
        }
    }
    chiudi();
    if (!testo.trimmed().isEmpty() && t.righe.isEmpty() && t.errori.isEmpty())
        t.errori.append(Errore(0, QStringLiteral("il file QIF non contiene movimenti di un conto")));
    return t;
}

Tabella Leggi(const QByteArray &dati)
{
    Tabella t;
    if (dati.trimmed().isEmpty()) {
        t.errori.append(Errore(0, QStringLiteral("il file è vuoto")));
        return t;
    }
    QString codifica;
    const QString testo = Decodifica(dati, &codifica);
    // A NUL or other control characters mean a file of some other kind.
    qsizetype controlli = 0;
    for (QChar c : testo)
        if (c.unicode() < 32 && c != u'\n' && c != u'\r' && c != u'\t')
            ++controlli;
    if (controlli > 0) {
        t.codifica = codifica;
        t.errori.append(Errore(0, QStringLiteral("il file contiene dati binari: non è un estratto conto "
                                                 "in formato CSV, OFX o QIF")));
        return t;
    }
    const QString inizio = testo.left(4096).trimmed();
    if (inizio.startsWith(QStringLiteral("OFXHEADER"), Qt::CaseInsensitive)
        || (inizio.startsWith(QStringLiteral("<?xml")) && inizio.contains(QStringLiteral("<OFX"), Qt::CaseInsensitive))
        || inizio.startsWith(QStringLiteral("<OFX>"), Qt::CaseInsensitive))
        t = LeggiOfx(testo);
    else if (inizio.startsWith(u'!'))
        t = LeggiQif(testo);
    else
        t = LeggiCsv(testo);
    t.codifica = codifica;
    if (t.righe.isEmpty() && t.errori.isEmpty())
        t.errori.append(Errore(0, QStringLiteral("il file non contiene movimenti")));
    return t;
}

} // namespace Estratto
