// Bank statements read, mapped, checked against the archive and appended.
#include "ArchivioDiProva.h"
#include "imports/Estratto.h"
#include "imports/Importazione.h"
#include "imports/Mappatura.h"
#include "imports/Valori.h"
#include "register/Archivio.h"
#include "register/CopieGiornaliere.h"
#include "register/CopieSicurezza.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using namespace Qt::StringLiterals;

namespace {

QByteArray LeggiFile(const QString &nome)
{
    QFile f(QStringLiteral(ESTRATTI "/") + nome);
    if (!f.open(QIODevice::ReadOnly))
        qFatal("manca l'estratto %s", qPrintable(nome));
    return f.readAll();
}

struct Letto {
    Estratto::Tabella tabella;
    Interpretazione interpretazione;
    QList<Importazione::Riga> righe;
};

Letto Leggi(const QByteArray &dati, const Importazione::IndiceArchivio &indice = {}, int tolleranza = 3)
{
    Letto l;
    l.tabella = Estratto::Leggi(dati);
    l.interpretazione = MappaturaEstratto::Interpreta(l.tabella, MappaturaEstratto::Proponi(l.tabella));
    l.righe = Importazione::Anteprima(l.interpretazione.movimenti, indice, tolleranza);
    return l;
}

// "line|date|payee|description|amount|out or in|ticked"
QStringList Descrivi(const QList<Importazione::Riga> &righe)
{
    QStringList d;
    for (const auto &r : righe)
        d.append(u"%1|%2|%3|%4|%5|%6|%7"_s.arg(r.movimento.linea)
                     .arg(r.movimento.data.toString(u"dd/MM/yyyy"_s), r.fornitore, r.servizi,
                          ValoriEstratto::TestoImporto(r.movimento.centesimi),
                          r.movimento.uscita ? u"U"_s : u"E"_s, r.spuntata ? u"x"_s : u"-"_s));
    return d;
}

QStringList Errori(const QList<Estratto::ErroreLinea> &errori)
{
    QStringList e;
    for (const auto &x : errori)
        e.append(u"%1: %2"_s.arg(x.linea).arg(x.perche));
    return e;
}

TScheda Attesa(const QString &data, const QString &fornitore, const QString &servizi, const QString &importo,
               const QString &codice, const QString &tipologia)
{
    return ArchivioDiProva::Scheda({{Campo::Data, data}, {Campo::Fornitore, fornitore}, {Campo::Codice, codice},
                                    {Campo::Tipologia, tipologia}, {Campo::Servizi, servizi},
                                    {Campo::Dovuto, importo}, {Campo::Acconto, importo},
                                    {Campo::Saldo, u"0,00"_s}, {Campo::DaSaldare, u"No"_s}});
}

QByteArray Byte(const QList<TScheda> &schede)
{
    QByteArray b;
    for (const TScheda &s : schede)
        b.append(s.byte.data(), TScheda::Dimensione);
    return b;
}

const QDateTime kAdesso(QDate(2024, 10, 1), QTime(9, 30, 15));

} // namespace

class TestEstratto : public QObject {
    Q_OBJECT
private slots:
    void formati_data();
    void formati();
    void fileGuasti_data();
    void fileGuasti();
    void lineaIlleggibileNominata();
    void importi_data();
    void importi();
    void date_data();
    void date();
    void mappaturaCambiata();
    void testoLungoTagliato();
    void doppioni();
    void ripetutaNelFile();
    void codiciDallUltimaScheda();
    void indiceDalleSchede_data();
    void indiceDalleSchede();
    void indiceSoloPerGliImporti();
    void scrittura();
    void statementDueVolte();
    void archivioCambiatoNienteScritto();
};

void TestEstratto::formati_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("formato");
    QTest::addColumn<QString>("codifica");
    QTest::addColumn<QString>("separatore");
    QTest::addColumn<QStringList>("righe");

    QTest::newRow("addebiti e accrediti") << u"conto_addebiti_accrediti.csv"_s << u"CSV"_s << u"UTF-8"_s << u";"_s
        << QStringList{u"6|05/03/2024|ADDEBITO SDD ENEL ENERGIA SPA|ADDEBITO SDD ENEL ENERGIA SPA - Bolletta luce marzo|85,40|U|x"_s,
                       u"7|07/03/2024|BONIFICO A FAVORE DI Condominio Via Roma|BONIFICO A FAVORE DI Condominio Via Roma - rata 2|1250,00|U|x"_s,
                       u"8|08/03/2024|STIPENDIO MARZO|STIPENDIO MARZO|2100,00|E|-"_s,
                       u"9|12/03/2024|PAGAMENTO POS FARMACIA CENTRALE|PAGAMENTO POS FARMACIA CENTRALE|23,90|U|x"_s};
    QTest::newRow("importo con segno") << u"conto_con_segno.csv"_s << u"CSV"_s << u"UTF-8"_s << u"\t"_s
        << QStringList{u"2|02/04/2024|Telecom Italia|Fattura aprile|39,90|U|x"_s,
                       u"3|03/04/2024|Mario Rossi|Rimborso cena|45,00|E|-"_s,
                       u"4|10/04/2024|Autostrade per l'Italia|Telepedaggio|12,30|U|x"_s};
    // The coffee cup and the r with caron have no form in the code page: taken out.
    QTest::newRow("UTF-8 con BOM") << u"conto_bom.csv"_s << u"CSV"_s << u"UTF-8 con BOM"_s << u","_s
        << QStringList{u"2|15/05/2024|Caffè Sant’Andrea|Caffè Sant’Andrea – colazione|4,50|U|x"_s,
                       u"3|16/05/2024|Libreria Città|Libreria Città, Dvoák|18,00|U|x"_s};
    QTest::newRow("windows-1252") << u"conto_1252.csv"_s << u"CSV"_s << u"windows-1252"_s << u";"_s
        << QStringList{u"2|20/06/2024|Università di Bologna|Tassa d'iscrizione €|156,00|U|x"_s,
                       u"3|21/06/2024|Pâtisserie Gênes|Torta|32,00|U|x"_s};
    QTest::newRow("campo su due righe") << u"conto_multilinea.csv"_s << u"CSV"_s << u"UTF-8"_s << u";"_s
        << QStringList{u"2|01/07/2024|Officina Bianchi; ricambi \"auto\" seconda riga|Officina Bianchi; ricambi \"auto\" seconda riga|210,00|U|x"_s,
                       u"4|02/07/2024|Parcheggio|Parcheggio|2,00|U|x"_s};
    QTest::newRow("OFX SGML") << u"conto_sgml.ofx"_s << u"OFX"_s << u"UTF-8"_s << QString()
        << QStringList{u"16|02/07/2024|Hera Comm|Bolletta gas & acqua|64,20|U|x"_s,
                       u"25|10/07/2024|Giroconto||500,00|E|-"_s,
                       u"32|15/07/2024|Netflix|Abbonamento|19,99|U|x"_s};
    QTest::newRow("OFX XML") << u"conto_xml.qfx"_s << u"OFX"_s << u"UTF-8"_s << QString()
        << QStringList{u"9|05/08/2024|Agenzia delle Entrate|F24 saldo IRPEF|1234,50|U|x"_s,
                       u"17|04/08/2024|Bar Sport||7,00|U|x"_s};
    // A day above 12 in second place: the whole file is month first.
    QTest::newRow("QIF") << u"conto.qif"_s << u"QIF"_s << u"UTF-8"_s << QString()
        << QStringList{u"2|01/09/2024|Affitti Srl|Canone settembre|1120,00|U|x"_s,
                       u"8|02/09/2024|Stipendio||2000,00|E|-"_s,
                       u"12|15/09/2024|Supermercato Coop||45,60|U|x"_s};
}

void TestEstratto::formati()
{
    QFETCH(QString, file);
    QFETCH(QString, formato);
    QFETCH(QString, codifica);
    QFETCH(QString, separatore);
    QFETCH(QStringList, righe);
    const Letto l = Leggi(LeggiFile(file));
    QCOMPARE(Errori(l.tabella.errori), QStringList());
    QCOMPARE(Errori(l.interpretazione.errori), QStringList());
    QCOMPARE(Estratto::NomeFormato(l.tabella.formato), formato);
    QCOMPARE(l.tabella.codifica, codifica);
    if (!separatore.isEmpty())
        QCOMPARE(QString(l.tabella.separatore), separatore);
    QCOMPARE(Descrivi(l.righe), righe);
}

void TestEstratto::fileGuasti_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("messaggio");
    QTest::newRow("vuoto") << u"vuoto.csv"_s << u"0: il file è vuoto"_s;
    QTest::newRow("binario") << u"binario.csv"_s
                             << u"0: il file contiene dati binari: non è un estratto conto in formato CSV, OFX o QIF"_s;
    QTest::newRow("solo intestazione") << u"solo_intestazione.csv"_s << u"0: il file non contiene movimenti"_s;
    QTest::newRow("OFX troncato") << u"troncato.ofx"_s
                                  << u"0: file OFX troncato: la transazione della riga 12 non è chiusa"_s;
}

void TestEstratto::fileGuasti()
{
    QFETCH(QString, file);
    QFETCH(QString, messaggio);
    const Estratto::Tabella t = Estratto::Leggi(LeggiFile(file));
    QVERIFY(Errori(t.errori).contains(messaggio));
}

void TestEstratto::lineaIlleggibileNominata()
{
    // Every line of the file named with its number and the reason; the good
    // line still read.
    const Letto l = Leggi(LeggiFile(u"importi_illeggibili.csv"_s));
    QCOMPARE(Errori(l.interpretazione.errori),
             QStringList({u"2: importo non leggibile: \"dieci euro\""_s, u"3: importo non leggibile: \"--\""_s}));
    QVERIFY(l.righe.isEmpty());

    const Letto m = Leggi("Data;Descrizione;Importo\n01/09/2024;Ferramenta;-3,00\n32/09/2024;Edicola;-1,00\n"
                          "Saldo finale;\"aperto\n");
    QCOMPARE(Descrivi(m.righe), QStringList({u"2|01/09/2024|Ferramenta|Ferramenta|3,00|U|x"_s}));
    QCOMPARE(Errori(m.tabella.errori) + Errori(m.interpretazione.errori),
             QStringList({u"4: virgolette aperte e mai chiuse"_s, u"4: la riga ha 2 campi invece di 3"_s,
                          u"3: data non leggibile: \"32/09/2024\""_s}));
}

void TestEstratto::importi_data()
{
    QTest::addColumn<QString>("testo");
    QTest::addColumn<QString>("decimale");
    QTest::addColumn<qint64>("centesimi"); // -1 for no amount
    QTest::newRow("migliaia") << u"1.234,56"_s << u","_s << qint64(123456);
    QTest::newRow("meno") << u"-1.234,56"_s << u","_s << qint64(-123456);
    QTest::newRow("meno in coda") << u"12,00-"_s << u","_s << qint64(-1200);
    QTest::newRow("euro") << u"€ 1 234,5"_s << u","_s << qint64(123450);
    QTest::newRow("punto") << u"1,234.56"_s << u"."_s << qint64(123456);
    QTest::newRow("parentesi") << u"(7.00)"_s << u"."_s << qint64(-700);
    QTest::newRow("solo migliaia") << u"1.250"_s << u","_s << qint64(125000);
    QTest::newRow("punto e tre cifre") << u"1.250"_s << u"."_s << qint64(125);
    QTest::newRow("tre decimali") << u"1.255"_s << u"."_s << qint64(-1);
    QTest::newRow("zeri in più") << u"3.5000"_s << u"."_s << qint64(350);
    QTest::newRow("gruppi sbagliati") << u"12.34,00"_s << u","_s << qint64(-1);
    QTest::newRow("due virgole") << u"1,2,3"_s << u","_s << qint64(-1);
    QTest::newRow("lettere") << u"12a"_s << u","_s << qint64(-1);
    QTest::newRow("troppe cifre") << u"12345678901234"_s << u","_s << qint64(-1);
    QTest::newRow("dodici cifre") << u"-999.999.999.999,99"_s << u","_s << qint64(-99999999999999);
    // Thirteen integer digits would not fit the record's amount fields.
    QTest::newRow("tredici cifre") << u"1120120120120.01"_s << u"."_s << qint64(-1);
    QTest::newRow("vuoto") << u"-"_s << u","_s << qint64(-1);
}

void TestEstratto::importi()
{
    QFETCH(QString, testo);
    QFETCH(QString, decimale);
    QFETCH(qint64, centesimi);
    const auto c = ValoriEstratto::LeggiCentesimi(testo, decimale.at(0));
    QCOMPARE(c.value_or(-1), centesimi);
}

void TestEstratto::date_data()
{
    QTest::addColumn<QString>("testo");
    QTest::addColumn<bool>("meseprima");
    QTest::addColumn<QDate>("data");
    QTest::newRow("italiana") << u"05/03/2024"_s << false << QDate(2024, 3, 5);
    QTest::newRow("trattini") << u"5-3-24"_s << false << QDate(2024, 3, 5);
    QTest::newRow("iso") << u"2024-03-05"_s << false << QDate(2024, 3, 5);
    QTest::newRow("ofx") << u"20240305120000.000[-5:EST]"_s << false << QDate(2024, 3, 5);
    QTest::newRow("qif") << u"3/5'24"_s << true << QDate(2024, 3, 5);
    QTest::newRow("giorno inesistente") << u"31/02/2024"_s << false << QDate();
    QTest::newRow("testo") << u"ieri"_s << false << QDate();
}

void TestEstratto::date()
{
    QFETCH(QString, testo);
    QFETCH(bool, meseprima);
    QFETCH(QDate, data);
    const auto d = ValoriEstratto::LeggiData(testo, meseprima ? ValoriEstratto::Ordine::MeseGiorno
                                                              : ValoriEstratto::Ordine::GiornoMese);
    QCOMPARE(d.value_or(QDate()), data);
}

void TestEstratto::mappaturaCambiata()
{
    // The user takes the value date and the description as payee.
    const Estratto::Tabella t = Estratto::Leggi(LeggiFile(u"conto_addebiti_accrediti.csv"_s));
    Mappatura m = MappaturaEstratto::Proponi(t);
    QCOMPARE(t.colonne, QStringList({u"Data operazione"_s, u"Data valuta"_s, u"Descrizione"_s, u"Addebiti"_s,
                                     u"Accrediti"_s}));
    QCOMPARE(m.data, 0);
    QCOMPARE(m.valuta, 1);
    QCOMPARE(m.addebito, 3);
    QCOMPARE(m.accredito, 4);
    QCOMPARE(m.importo, -1);
    m.data = -1;
    const Interpretazione i = MappaturaEstratto::Interpreta(t, m);
    QCOMPARE(i.movimenti.first().data, QDate(2024, 3, 6));
    // Without the credit column the two-column form is not usable.
    m.accredito = -1;
    QVERIFY(!MappaturaEstratto::Incompleta(m).isEmpty());
    QVERIFY(MappaturaEstratto::Interpreta(t, m).movimenti.isEmpty());
}

void TestEstratto::testoLungoTagliato()
{
    const QString lungo = QString(60, u'A');
    const Letto l = Leggi(u"Data;Beneficiario;Descrizione;Importo\n01/01/2024;%1;breve;-1,00\n"
                          "02/01/2024;Corto;breve;-1,00\n"_s.arg(lungo).toUtf8());
    QCOMPARE(l.righe.size(), 2);
    QCOMPARE(l.righe.at(0).fornitore, QString(50, u'A'));
    QVERIFY(l.righe.at(0).tagliata);
    QVERIFY(!l.righe.at(1).tagliata);
}

void TestEstratto::doppioni()
{
    Importazione::IndiceArchivio indice;
    indice.Aggiungi(ArchivioDiProva::Semplice(u"Enel Energia S.p.A."_s, u"03/03/2024"_s, u"LUCE"_s, u"Bolletta"_s,
                                              u"85,40"_s),
                    0);
    indice.Aggiungi(ArchivioDiProva::Semplice(u"Farmacia Centrale"_s, u"01/03/2024"_s, u"FARM"_s, u"Medicinali"_s,
                                              u"23,90"_s),
                    1);
    const Letto l = Leggi(LeggiFile(u"conto_addebiti_accrediti.csv"_s), indice);
    // ENEL two days off: a duplicate. Farmacia eleven days off: not one.
    // The condominium: no record of that amount.
    QCOMPARE(l.righe.size(), 4);
    QVERIFY(l.righe.at(0).doppione.has_value());
    QCOMPARE(l.righe.at(0).doppione->indice, 0);
    QVERIFY(!l.righe.at(0).spuntata);
    QVERIFY(!l.righe.at(1).Doppione());
    QVERIFY(l.righe.at(1).spuntata);
    QVERIFY(!l.righe.at(3).Doppione());
    QVERIFY(l.righe.at(3).spuntata);

    // One day of tolerance: the ENEL payment is ticked again.
    QVERIFY(Leggi(LeggiFile(u"conto_addebiti_accrediti.csv"_s), indice, 1).righe.at(0).spuntata);

    // The same amount on the same day to another payee is a payment of its own.
    Importazione::IndiceArchivio altro;
    altro.Aggiungi(ArchivioDiProva::Semplice(u"Telecom Italia"_s, u"05/03/2024"_s, u"TEL"_s, u"Fattura"_s,
                                             u"85,40"_s),
                   0);
    const Letto a = Leggi(LeggiFile(u"conto_addebiti_accrediti.csv"_s), altro);
    QVERIFY(!a.righe.at(0).Doppione());
    QVERIFY(a.righe.at(0).spuntata);
}

void TestEstratto::ripetutaNelFile()
{
    const Letto l = Leggi("Data;Descrizione;Importo\n01/09/2024;Edicola;-1,50\n01/09/2024;Edicola;-1,50\n"
                          "01/09/2024;Edicola;-2,00\n");
    QCOMPARE(l.righe.size(), 3);
    QVERIFY(l.righe.at(0).spuntata);
    QCOMPARE(l.righe.at(1).lineaRipetuta, 2);
    QVERIFY(!l.righe.at(1).spuntata);
    QVERIFY(l.righe.at(2).spuntata);
}

void TestEstratto::codiciDallUltimaScheda()
{
    Importazione::IndiceArchivio indice;
    indice.Aggiungi(ArchivioDiProva::Semplice(u"Telecom Italia"_s, u"01/01/2023"_s, u"VECCHIO"_s, u"x"_s), 0);
    TScheda ultima = ArchivioDiProva::Semplice(u"Telecom Italia"_s, u"01/02/2023"_s, u"TEL"_s, u"x"_s);
    ultima.ImpostaTesto(Campo::Tipologia, u"Utenze"_s);
    indice.Aggiungi(ultima, 1);
    const Letto l = Leggi(LeggiFile(u"conto_con_segno.csv"_s), indice);
    QCOMPARE(l.righe.at(0).codici, std::optional(std::pair(u"TEL"_s, u"Utenze"_s)));
    QVERIFY(!l.righe.at(2).codici.has_value());
}

void TestEstratto::indiceDalleSchede_data()
{
    // Records "payee|date|code|type|amount due" in file order; one payment
    // going out "payee|date|amount"; the record it repeats as
    // "index|date|payee" or "-", and the codes it gets as "code/type" or "-".
    QTest::addColumn<QStringList>("schede");
    QTest::addColumn<QString>("pagamento");
    QTest::addColumn<QString>("doppione");
    QTest::addColumn<QString>("codici");

    QTest::newRow("maiuscole, accenti e spazi: un solo fornitore")
        << QStringList{u"  Caffè  Nero |01/03/2024|BAR|Colazioni|4,50"_s, u"CAFFE NERO|02/03/2024|BAR2|Pasti|7,00"_s,
                       u"Farmacia|02/03/2024|FARM|Salute|4,50"_s}
        << u"caffé nero|03/03/2024|4,50"_s << u"0|01/03/2024|Caffè  Nero"_s << u"BAR2/Pasti"_s;
    QTest::newRow("il doppione con la grafia della sua scheda")
        << QStringList{u"CAFFE NERO|01/03/2024|BAR|Colazioni|9,00"_s, u"Caffè Nero|02/03/2024|BAR|Colazioni|4,50"_s}
        << u"Caffe' Nero|03/03/2024|4,50"_s << u"1|02/03/2024|Caffè Nero"_s << u"BAR/Colazioni"_s;
    QTest::newRow("la prima scheda del file, l'ultima per i codici")
        << QStringList{u"Enel Energia|03/03/2024|LUCE|Utenze|85,40"_s, u"Enel Energia|05/03/2024|LUCE2|Casa|85,40"_s}
        << u"ENEL ENERGIA|04/03/2024|85,40"_s << u"0|03/03/2024|Enel Energia"_s << u"LUCE2/Casa"_s;
    QTest::newRow("data illeggibile: non nasconde la scheda dopo")
        << QStringList{u"Enel Energia|31/02/2024|LUCE|Utenze|85,40"_s, u"Enel Energia||LUCE|Utenze|85,40"_s,
                       u"Enel Energia|04/03/2024|LUCE|Utenze|85,40"_s}
        << u"Enel Energia|05/03/2024|85,40"_s << u"2|04/03/2024|Enel Energia"_s << u"LUCE/Utenze"_s;
    QTest::newRow("data scritta come da una banca")
        << QStringList{u"Enel Energia|4/3/24|LUCE|Utenze|85,40"_s}
        << u"Enel Energia|05/03/2024|85,40"_s << u"0|04/03/2024|Enel Energia"_s << u"LUCE/Utenze"_s;
    QTest::newRow("i codici dell'ultima scheda anche senza importo")
        << QStringList{u"Enel Energia|04/03/2024|LUCE|Utenze|85,40"_s, u"enel energia|06/03/2024| NUOVO | Casa |"_s,
                       u"Enel Energia|07/03/2024|ALTRO|Altro|non so"_s}
        << u"Enel Energia|05/03/2024|85,40"_s << u"0|04/03/2024|Enel Energia"_s << u"ALTRO/Altro"_s;
    QTest::newRow("importo scritto in un'altra forma")
        << QStringList{u"Enel Energia|04/03/2024|LUCE|Utenze| 85,4 "_s}
        << u"Enel Energia|05/03/2024|85,40"_s << u"0|04/03/2024|Enel Energia"_s << u"LUCE/Utenze"_s;
    QTest::newRow("fornitore senza lettere né cifre")
        << QStringList{u" - |04/03/2024|X|Y|85,40"_s}
        << u"Enel Energia|05/03/2024|85,40"_s << u"-"_s << u"-"_s;
    QTest::newRow("fuori tolleranza")
        << QStringList{u"Enel Energia|01/03/2024|LUCE|Utenze|85,40"_s}
        << u"Enel Energia|05/03/2024|85,40"_s << u"-"_s << u"LUCE/Utenze"_s;
}

void TestEstratto::indiceDalleSchede()
{
    QFETCH(QStringList, schede);
    QFETCH(QString, pagamento);
    QFETCH(QString, doppione);
    QFETCH(QString, codici);

    QList<TScheda> archivio;
    for (const QString &s : schede) {
        const QStringList c = s.split(u'|');
        archivio.append(ArchivioDiProva::Scheda({{Campo::Fornitore, c[0]}, {Campo::Data, c[1]}, {Campo::Codice, c[2]},
                                                 {Campo::Tipologia, c[3]}, {Campo::Dovuto, c[4]}}));
    }
    const QStringList p = pagamento.split(u'|');
    Movimento m;
    m.linea = 2;
    m.data = QDate::fromString(p[1], u"dd/MM/yyyy"_s);
    m.beneficiario = p[0];
    m.descrizione = p[0];
    m.centesimi = *ValoriEstratto::LeggiCentesimi(p[2], u',');
    m.uscita = true;

    // The same answers whether the records are added, read from the file, or
    // read for the statement's amounts only.
    QTemporaryDir cartella;
    const QString percorso = Archivio::Percorso(cartella.path());
    ArchivioDiProva::Scrivi(percorso, archivio);
    Importazione::IndiceArchivio aggiunte;
    for (int i = 0; i < archivio.size(); ++i)
        aggiunte.Aggiungi(archivio[i], i);
    const std::pair<const char *, Importazione::IndiceArchivio> indici[] = {
        {"aggiunte", aggiunte},
        {"lette", Importazione::IndiceArchivio::Carica(percorso)},
        {"lette per gli importi", Importazione::IndiceArchivio::Carica(percorso, Importazione::ImportiUscite({m}))}};
    for (const auto &[come, indice] : indici) {
        QCOMPARE(indice.NumeroSchede(), archivio.size());
        const QList<Importazione::Riga> righe = Importazione::Anteprima({m}, indice, 3);
        QCOMPARE(righe.size(), 1);
        const Importazione::Riga &r = righe.first();
        const QString trovato = r.doppione ? u"%1|%2|%3"_s.arg(r.doppione->indice)
                                                 .arg(r.doppione->data.toString(u"dd/MM/yyyy"_s), r.doppione->fornitore)
                                           : u"-"_s;
        QVERIFY2(trovato == doppione, qPrintable(u"%1: %2"_s.arg(QString::fromLatin1(come), trovato)));
        QCOMPARE(r.spuntata, doppione == u"-"_s);
        const QString dati = r.codici ? r.codici->first + u'/' + r.codici->second : u"-"_s;
        QVERIFY2(dati == codici, qPrintable(u"%1: %2"_s.arg(QString::fromLatin1(come), dati)));
    }
}

void TestEstratto::indiceSoloPerGliImporti()
{
    QTemporaryDir cartella;
    const QString percorso = Archivio::Percorso(cartella.path());
    const auto scheda = [](const QString &codice, const QString &dovuto) {
        return ArchivioDiProva::Scheda({{Campo::Fornitore, u"Enel"_s}, {Campo::Data, u"04/03/2024"_s},
                                        {Campo::Codice, codice}, {Campo::Tipologia, u"Utenze"_s},
                                        {Campo::Dovuto, dovuto}});
    };
    ArchivioDiProva::Scrivi(percorso, {scheda(u"LUCE"_s, u"10,00"_s), scheda(u"ENEL"_s, u"20,00"_s)});
    const auto indice = Importazione::IndiceArchivio::Carica(percorso, {1000, 3000});
    QCOMPARE(indice.NumeroSchede(), 2);
    QVERIFY(indice.Copre({}));
    QVERIFY(indice.Copre({1000, 3000}));
    QVERIFY(!indice.Copre({1000, 2000}));
    const QString chiave = Importazione::ChiaveFornitore(u"Enel"_s);
    QCOMPARE(indice.Doppione(1000, QDate(2024, 3, 4), chiave, 0)->indice, 0);
    QVERIFY(!indice.Doppione(3000, QDate(2024, 3, 4), chiave, 0));
    // The codes come from the last record, whatever its amount.
    QCOMPARE(indice.UltimiCodici(u"ENEL"_s), std::optional(std::pair(u"ENEL"_s, u"Utenze"_s)));
    // Read for every amount, it covers any.
    const auto tutte = Importazione::IndiceArchivio::Carica(percorso);
    QVERIFY(tutte.Copre({1000, 2000, 123456}));
    QCOMPARE(tutte.Doppione(2000, QDate(2024, 3, 5), chiave, 1)->indice, 1);
}

void TestEstratto::scrittura()
{
    QTemporaryDir cartella;
    const QString archivio = Archivio::Percorso(cartella.path());
    const QList<TScheda> esistenti = ArchivioDiProva::Numerate(3);
    ArchivioDiProva::Scrivi(archivio, esistenti);

    const Letto l = Leggi(LeggiFile(u"conto_1252.csv"_s),
                          Importazione::IndiceArchivio::Carica(archivio));
    QList<TScheda> schede;
    for (const auto &r : l.righe)
        schede.append(Importazione::Scheda(r, u"SCUOLA"_s, u"Istruzione"_s));
    const Importazione::Esito e = Importazione::Scrivi(cartella.path(), schede, 3, kAdesso);
    QCOMPARE(e.stato, Importazione::Esito::Stato::Riuscita);
    QCOMPARE(e.prima, 4);
    QCOMPARE(e.aggiunte, 2);
    QCOMPARE(e.copia, u"Operazioni_Pagamenti-20241001-093015-prima-importazione.pro"_s);

    const QList<TScheda> attese{
        Attesa(u"20/06/2024"_s, u"Università di Bologna"_s, u"Tassa d'iscrizione €"_s, u"156,00"_s, u"SCUOLA"_s,
               u"Istruzione"_s),
        Attesa(u"21/06/2024"_s, u"Pâtisserie Gênes"_s, u"Torta"_s, u"32,00"_s, u"SCUOLA"_s, u"Istruzione"_s)};
    QCOMPARE(ArchivioDiProva::Leggi(archivio), Byte(esistenti) + Byte(attese));
    // The archive before the import, where the restore list finds it, and the day's copy.
    const QString copie = CopieGiornaliere::Cartella(cartella.path());
    QCOMPARE(ArchivioDiProva::Leggi(QDir(copie).filePath(e.copia)), Byte(esistenti));
    const auto elenco = CopieSicurezza::Elenco(cartella.path());
    QVERIFY(std::any_of(elenco.cbegin(), elenco.cend(), [&](const auto &c) { return c.nome == e.copia; }));
    QVERIFY(QFile::exists(QDir(copie).filePath(CopieGiornaliere::NomeCopia(kAdesso.date()))));
}

void TestEstratto::statementDueVolte()
{
    QTemporaryDir cartella;
    const QString archivio = Archivio::Percorso(cartella.path());
    for (const QString &file : {u"conto_addebiti_accrediti.csv"_s, u"conto_sgml.ofx"_s, u"conto.qif"_s}) {
        const Letto prima = Leggi(LeggiFile(file), Importazione::IndiceArchivio::Carica(archivio));
        QList<TScheda> schede;
        for (const auto &r : prima.righe)
            if (r.spuntata)
                schede.append(Importazione::Scheda(r, u"C"_s, u"T"_s));
        QVERIFY(!schede.isEmpty());
        const auto indice = Importazione::IndiceArchivio::Carica(archivio);
        QCOMPARE(Importazione::Scrivi(cartella.path(), schede, indice.NumeroSchede(), kAdesso).stato,
                 Importazione::Esito::Stato::Riuscita);
        const Letto seconda = Leggi(LeggiFile(file), Importazione::IndiceArchivio::Carica(archivio));
        QVERIFY2(std::none_of(seconda.righe.cbegin(), seconda.righe.cend(),
                              [](const auto &r) { return r.spuntata; }),
                 qPrintable(file));
    }
}

void TestEstratto::archivioCambiatoNienteScritto()
{
    QTemporaryDir cartella;
    const QString archivio = Archivio::Percorso(cartella.path());
    ArchivioDiProva::Scrivi(archivio, ArchivioDiProva::Numerate(2));
    const QByteArray prima = ArchivioDiProva::Leggi(archivio);
    const Letto l = Leggi(LeggiFile(u"conto.qif"_s));
    const auto e = Importazione::Scrivi(cartella.path(), {Importazione::Scheda(l.righe.at(0), u"C"_s, u"T"_s)}, 1,
                                        kAdesso);
    QCOMPARE(e.stato, Importazione::Esito::Stato::Cambiata);
    QCOMPARE(ArchivioDiProva::Leggi(archivio), prima);
}

QTEST_GUILESS_MAIN(TestEstratto)
#include "tst_estratto.moc"
