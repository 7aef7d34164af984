// The result line, the find rule and the scans behind the search and the
// accounts-to-settle lists, without any screen.
#include "ArchivioDiProva.h"
#include "lists/RicercaSchede.h"
#include "lists/RigaScheda.h"
#include "lists/TrovaInLista.h"
#include "platform/Testo.h"
#include "register/Archivio.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>
#include <algorithm>
#include <cstdio>
#include <cstring>

using namespace ArchivioDiProva;
using namespace Qt::StringLiterals;

namespace {
QString Spazi(int n) { return QString(n, QLatin1Char(' ')); }
const QString kEuro = QStringLiteral("  Tot. \u20AC ");
}

class TestRighe : public QObject {
    Q_OBJECT
private slots:
    void init() { m_dir = std::make_unique<QTemporaryDir>(); }

    void riga_data();
    void riga();
    void riga_campiNonMostrati();
    void riga_ogniByte_data();
    void riga_ogniByte();

    void trova_sequenza();
    void trova_data();
    void trova();

    void ricerca_data();
    void ricerca();
    void ricerca_archivioAssenteCreatoVuoto();

    void contiDaSaldare();

    void righeDopoCambio_data();
    void righeDopoCambio();
    void rigaNonLeggibile();

    void ritrova_data();
    void ritrova();

private:
    QString percorso() const { return Archivio::Percorso(m_dir->path()); }
    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestRighe::riga_data()
{
    QTest::addColumn<TScheda>("scheda");
    QTest::addColumn<QString>("attesa");

    const QString sessanta = QStringLiteral("Fornitura di energia elettrica per uso domestico - bim.1 2024");
    QCOMPARE(sessanta.size(), 61);
    QTest::newRow("prodotto lungo tagliato a 45, codice di 3")
        << Semplice(QStringLiteral("Enel"), QStringLiteral("05/03/2024"), QStringLiteral("ABC"),
                    sessanta.left(60), QStringLiteral("125,50"))
        << QStringLiteral("Data: 05/03/2024  Cod. ABC") + Spazi(23) + QStringLiteral("  ")
               + sessanta.left(45) + QStringLiteral("  Enel") + Spazi(30) + kEuro + QStringLiteral("125,50");
    QTest::newRow("totale vuoto: finisce con euro e uno spazio")
        << Semplice(QString(), QString(), QString(), QString(), QString())
        << QStringLiteral("Data: ") + Spazi(10) + QStringLiteral("  Cod. ") + Spazi(26) + QStringLiteral("  ")
               + Spazi(45) + QStringLiteral("  ") + Spazi(34) + kEuro;
    QTest::newRow("spazi e controlli dei campi tolti")
        << Semplice(QStringLiteral("  Rossi\t"), QStringLiteral("01/02/2024"), QStringLiteral("\tX1 "),
                    QStringLiteral(" Luce "), QStringLiteral("  7,5  "))
        << QStringLiteral("Data: 01/02/2024  Cod. X1") + Spazi(24) + QStringLiteral("  Luce") + Spazi(41)
               + QStringLiteral("  Rossi") + Spazi(29) + kEuro + QStringLiteral("7,5");
    QTest::newRow("beneficiario oltre 34 e data oltre 10 tagliati")
        << Semplice(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789"), QStringLiteral("2024-03-05T10"),
                    QStringLiteral("C"), QStringLiteral("S"), QStringLiteral("-3"))
        << QStringLiteral("Data: 2024-03-05  Cod. C") + Spazi(25) + QStringLiteral("  S") + Spazi(44)
               + QStringLiteral("  ABCDEFGHIJKLMNOPQRSTUVWXYZ01234567") + kEuro + QStringLiteral("-3");
}

void TestRighe::riga()
{
    QFETCH(TScheda, scheda);
    QFETCH(QString, attesa);
    const QString riga = RigaScheda(scheda);
    QCOMPARE(riga, attesa);
    QCOMPARE(riga.size(), 141 + scheda.Testo(Campo::Dovuto).trimmed().size());
}

void TestRighe::riga_campiNonMostrati()
{
    TScheda a = Semplice(QStringLiteral("Rossi"), QStringLiteral("01/02/2024"), QStringLiteral("K"),
                         QStringLiteral("Gas"), QStringLiteral("10,00"));
    TScheda b = a;
    for (Campo c : {Campo::NumDoc, Campo::DataDoc, Campo::CodFisc, Campo::Tipologia, Campo::Dettagli,
                    Campo::Acconto, Campo::Saldo, Campo::Note, Campo::DaSaldare, Campo::File01, Campo::Desc03})
        b.ImpostaTesto(c, QStringLiteral("diverso"));
    QCOMPARE(RigaScheda(b), RigaScheda(a));
}

namespace {

// The line built the plain way: each field decoded, trimmed, then fitted.
QString RigaDaTestoDecodificato(const TScheda &s)
{
    auto campo = [&s](Campo c) { return Testo::Trim(s.Testo(c)); };
    auto adattato = [&](Campo c, qsizetype n) { return campo(c).left(n).leftJustified(n, u' '); };
    return QStringLiteral("Data: ") + adattato(Campo::Data, 10) + QStringLiteral("  Cod. ")
           + adattato(Campo::Codice, 26) + QStringLiteral("  ") + adattato(Campo::Servizi, 45)
           + QStringLiteral("  ") + adattato(Campo::Fornitore, 34) + kEuro + campo(Campo::Dovuto);
}

// Stores the bytes as they are, with the given length byte (it may exceed the
// field's capacity, as in a damaged record).
void ImpostaByte(TScheda &s, Campo c, const QByteArray &b, int lunghezza)
{
    char *p = s.byte.data() + TScheda::Offset(c);
    p[0] = char(lunghezza);
    std::memcpy(p + 1, b.constData(), size_t(std::min<qsizetype>(b.size(), TScheda::Capacita(c))));
}

const Campo kCampiMostrati[] = {Campo::Data, Campo::Codice, Campo::Servizi, Campo::Fornitore, Campo::Dovuto};

} // namespace

void TestRighe::riga_ogniByte_data()
{
    QTest::addColumn<TScheda>("scheda");

    // Each byte value inside, around and at the edges of every field shown, in
    // a short field and in one filled to its capacity (cut when shown).
    for (int v = 0; v < 256; ++v) {
        const char b = char(v);
        TScheda corta, piena;
        for (Campo c : kCampiMostrati) {
            const QByteArray breve = QByteArray(1, b) + 'a' + b + ' ' + b;
            ImpostaByte(corta, c, breve, int(breve.size()));
            QByteArray lunga;
            for (int k = 0; k < TScheda::Capacita(c); ++k)
                lunga += (k % 3 == 1) ? char((v + k) & 0xFF) : b;
            ImpostaByte(piena, c, lunga, TScheda::Capacita(c));
        }
        QTest::addRow("byte %d, campi brevi", v) << corta;
        QTest::addRow("byte %d, campi pieni", v) << piena;
    }
    TScheda oltre, vuota, soloSpazi;
    for (Campo c : kCampiMostrati) {
        QByteArray tutti;
        for (int k = 0; k < TScheda::Capacita(c); ++k)
            tutti += char(0x7F + k * 7);
        ImpostaByte(oltre, c, tutti, 255);
        // Bytes after the length do not belong to the field.
        ImpostaByte(vuota, c, QByteArrayLiteral("nascosto"), 0);
        ImpostaByte(soloSpazi, c, QByteArray("\x01 \t\x00 \x20", 6), 6);
    }
    QTest::newRow("lunghezza oltre la capacità") << oltre;
    QTest::newRow("lunghezza zero, byte dopo") << vuota;
    QTest::newRow("solo spazi e controlli") << soloSpazi;
}

void TestRighe::riga_ogniByte()
{
    QFETCH(TScheda, scheda);
    QCOMPARE(RigaScheda(scheda), RigaDaTestoDecodificato(scheda));
}

void TestRighe::trova_sequenza()
{
    // The text in the second and fifth lines: second, fifth, second again.
    const QStringList righe = {QStringLiteral("uno"), QStringLiteral("due GAS"), QStringLiteral("tre"),
                               QStringLiteral("quattro"), QStringLiteral("cinque gas"), QStringLiteral("sei")};
    QString ultimo;
    int sel = -1;
    sel = TrovaRiga(righe, sel, QStringLiteral("gas"), ultimo);
    QCOMPARE(sel, 1);
    sel = TrovaRiga(righe, sel, QStringLiteral("gas"), ultimo);
    QCOMPARE(sel, 4);
    sel = TrovaRiga(righe, sel, QStringLiteral("gas"), ultimo);
    QCOMPARE(sel, 1);
    QCOMPARE(ultimo, QStringLiteral("gas"));
    // A new text starts again from the top, whatever is selected.
    sel = TrovaRiga(righe, 4, QStringLiteral("Due"), ultimo);
    QCOMPARE(sel, 1);
}

void TestRighe::trova_data()
{
    QTest::addColumn<QStringList>("righe");
    QTest::addColumn<int>("selezionata");
    QTest::addColumn<QString>("testo");
    QTest::addColumn<QString>("ultimo");
    QTest::addColumn<int>("attesa");

    const QStringList r = {QStringLiteral("alfa"), QStringLiteral("ABC beta"), QStringLiteral("gamma è"),
                           QStringLiteral("delta abc")};
    QTest::newRow("abc trova ABC") << r << -1 << QStringLiteral("abc") << QString() << 1;
    QTest::newRow("ABC trova abc dopo la selezionata") << r << 1 << QStringLiteral("ABC")
                                                       << QStringLiteral("abc") << 3;
    QTest::newRow("È non trova è") << r << 0 << QStringLiteral("È") << QString() << 0;
    QTest::newRow("vuoto senza selezione: la prima") << r << -1 << QString() << QString() << 0;
    QTest::newRow("vuoto con selezione: ferma") << r << 2 << QString() << QString() << 2;
    QTest::newRow("nuovo testo: la prima riga è provata subito") << r << 3 << QStringLiteral("alf")
                                                                 << QStringLiteral("x") << 0;
    QTest::newRow("stesso testo: la selezionata è provata per ultima") << r << 0 << QStringLiteral("alf")
                                                                       << QStringLiteral("alf") << 0;
    QTest::newRow("spazi non tolti") << r << -1 << QStringLiteral(" beta") << QString() << 1;
    QTest::newRow("nessuna corrispondenza: ferma") << r << 2 << QStringLiteral("zeta") << QString() << 2;
    QTest::newRow("lista vuota") << QStringList() << -1 << QStringLiteral("a") << QString() << -1;
}

void TestRighe::trova()
{
    QFETCH(QStringList, righe);
    QFETCH(int, selezionata);
    QFETCH(QString, testo);
    QFETCH(QString, ultimo);
    QFETCH(int, attesa);
    QCOMPARE(TrovaRiga(righe, selezionata, testo, ultimo), attesa);
}

namespace {

QList<TScheda> ArchivioRicerca()
{
    auto s = [](QMap<Campo, QString> m) { return Scheda(m); };
    return {
        s({{Campo::NumDoc, QStringLiteral("FT-12")}, {Campo::DataDoc, QStringLiteral("10/01/2024")},
           {Campo::Data, QStringLiteral("15/01/2024")}, {Campo::Codice, QStringLiteral("EN01")},
           {Campo::Tipologia, QStringLiteral("Utenze")}, {Campo::Servizi, QStringLiteral("Energia elettrica")},
           {Campo::Dettagli, QStringLiteral("Bimestre gen-feb")}, {Campo::Dovuto, QStringLiteral("150,00")},
           {Campo::Fornitore, QStringLiteral("LUCE E GAS")}, {Campo::Note, QStringLiteral("Pagata con RID")}}),
        s({{Campo::NumDoc, QStringLiteral("7")}, {Campo::DataDoc, QStringLiteral("02/02/2023")},
           {Campo::Data, QStringLiteral("03/02/2023")}, {Campo::Codice, QStringLiteral("AC02")},
           {Campo::Tipologia, QStringLiteral("Utenze")}, {Campo::Servizi, QStringLiteral("Acqua")},
           {Campo::Dettagli, QStringLiteral("Conguaglio")}, {Campo::Dovuto, QStringLiteral("12,50")},
           {Campo::Fornitore, QStringLiteral("Bolletta luce")}, {Campo::Note, QStringLiteral("caffè")}}),
        s({{Campo::NumDoc, QStringLiteral("R 33")}, {Campo::DataDoc, QStringLiteral("20/03/2024")},
           {Campo::Data, QStringLiteral("21/03/2024")}, {Campo::Codice, QStringLiteral("MED")},
           {Campo::Tipologia, QStringLiteral("Salute")}, {Campo::Servizi, QStringLiteral("Visita")},
           {Campo::Dettagli, QStringLiteral("Controllo")}, {Campo::Dovuto, QStringLiteral("80,00")},
           {Campo::Fornitore, QStringLiteral("Studio Bianchi")}, {Campo::Note, QString()}}),
    };
}

} // namespace

void TestRighe::ricerca_data()
{
    QTest::addColumn<QList<CriterioRicerca>>("criteri");
    QTest::addColumn<QList<qint64>>("attese");

    auto c = [](Campo k, const char16_t *t) { return CriterioRicerca{k, QString::fromUtf16(t)}; };
    using L = QList<qint64>;
    QTest::newRow("nessun criterio: tutte in ordine") << QList<CriterioRicerca>{} << L{0, 1, 2};
    QTest::newRow("dieci vuoti: tutte") << QList<CriterioRicerca>{c(Campo::NumDoc, u""), c(Campo::Note, u"")}
                                        << L{0, 1, 2};
    // Each field on its own, with a fragment only that record holds in that field.
    QTest::newRow("NumDoc") << QList<CriterioRicerca>{c(Campo::NumDoc, u"ft-")} << L{0};
    QTest::newRow("DataDoc") << QList<CriterioRicerca>{c(Campo::DataDoc, u"/2023")} << L{1};
    QTest::newRow("Data") << QList<CriterioRicerca>{c(Campo::Data, u"/2024")} << L{0, 2};
    QTest::newRow("Codice") << QList<CriterioRicerca>{c(Campo::Codice, u"med")} << L{2};
    QTest::newRow("Tipologia") << QList<CriterioRicerca>{c(Campo::Tipologia, u"utenz")} << L{0, 1};
    QTest::newRow("Servizi") << QList<CriterioRicerca>{c(Campo::Servizi, u"ACQUA")} << L{1};
    QTest::newRow("Dettagli") << QList<CriterioRicerca>{c(Campo::Dettagli, u"gen-")} << L{0};
    QTest::newRow("Dovuto 50 trova 150,00 e 12,50") << QList<CriterioRicerca>{c(Campo::Dovuto, u"50")} << L{0, 1};
    QTest::newRow("Fornitore luce") << QList<CriterioRicerca>{c(Campo::Fornitore, u"luce")} << L{0, 1};
    QTest::newRow("Note") << QList<CriterioRicerca>{c(Campo::Note, u"rid")} << L{0};
    // A criterion is looked for in its own field only.
    QTest::newRow("campo sbagliato") << QList<CriterioRicerca>{c(Campo::Note, u"luce")} << L{};
    QTest::newRow("combinati: tutti devono esserci")
        << QList<CriterioRicerca>{c(Campo::Fornitore, u"luce"), c(Campo::Data, u"2024")} << L{0};
    QTest::newRow("combinati: uno fallisce")
        << QList<CriterioRicerca>{c(Campo::Fornitore, u"luce"), c(Campo::Codice, u"med")} << L{};
    QTest::newRow("È non trova è") << QList<CriterioRicerca>{c(Campo::Note, u"CAFFÈ")} << L{};
    QTest::newRow("spazi attorno contano") << QList<CriterioRicerca>{c(Campo::Fornitore, u" gas")} << L{0};
    QTest::newRow("spazi attorno senza corrispondenza")
        << QList<CriterioRicerca>{c(Campo::Fornitore, u"luce ")} << L{0};
    QTest::newRow("solo spazi non conta, l'altro fallisce")
        << QList<CriterioRicerca>{c(Campo::NumDoc, u"   "), c(Campo::Codice, u"zz")} << L{};
    QTest::newRow("solo spazi non conta, l'altro passa")
        << QList<CriterioRicerca>{c(Campo::NumDoc, u"   "), c(Campo::Codice, u"ac0")} << L{1};
}

void TestRighe::ricerca()
{
    QFETCH(QList<CriterioRicerca>, criteri);
    QFETCH(QList<qint64>, attese);
    const QList<TScheda> schede = ArchivioRicerca();
    Scrivi(percorso(), schede);
    const RigheScheda r = CercaSchede(percorso(), criteri);
    QCOMPARE(r.Posizioni(), attese);
    QCOMPARE(r.righe.size(), attese.size());
    for (int i = 0; i < attese.size(); ++i)
        QCOMPARE(r.righe.at(i), RigaScheda(schede.at(int(attese.at(i)))));
}

void TestRighe::ricerca_archivioAssenteCreatoVuoto()
{
    QVERIFY(!QFile::exists(percorso()));
    QCOMPARE(CercaSchede(percorso(), {}).size(), 0);
    QVERIFY(QFile::exists(percorso()));
    QCOMPARE(QFile(percorso()).size(), 0);
    QCOMPARE(ContiDaSaldare(percorso()).size(), 0);
}

void TestRighe::contiDaSaldare()
{
    QList<TScheda> schede;
    for (const char16_t *v : {u"No", u"", u"si", u"SI", u"Si", u"sì", u"Sì", u"S"}) {
        TScheda s = Semplice(QString::fromUtf16(v), QStringLiteral("01/01/2024"), QString(), QString());
        s.ImpostaTesto(Campo::DaSaldare, QString::fromUtf16(v));
        schede << s;
    }
    Scrivi(percorso(), schede);
    const RigheScheda r = ContiDaSaldare(percorso());
    QCOMPARE(r.Posizioni(), (QList<qint64>{6}));
    QCOMPARE(r.righe.at(0), RigaScheda(schede.at(6)));
}

// A list's lines are read back from the archive when shown: one whose record
// changed after the scan must say so, never show the new bytes as a result.
enum class Cambio { CampoMostrato, CampoNonMostrato, OltreLaLunghezza, Accorciato, Sostituito };
Q_DECLARE_METATYPE(Cambio)

void TestRighe::righeDopoCambio_data()
{
    QTest::addColumn<Cambio>("cambio");
    QTest::addColumn<QList<bool>>("cambiate"); // per record of the list
    QTest::newRow("beneficiario riscritto") << Cambio::CampoMostrato << QList<bool>{false, true, false};
    QTest::newRow("note riscritte: la riga non cambia") << Cambio::CampoNonMostrato << QList<bool>{false, false, false};
    QTest::newRow("byte oltre la lunghezza: la riga non cambia")
        << Cambio::OltreLaLunghezza << QList<bool>{false, false, false};
    QTest::newRow("archivio accorciato a una scheda") << Cambio::Accorciato << QList<bool>{false, true, true};
    // Replaced by a new file: the list still reads the one it was made from.
    QTest::newRow("archivio sostituito") << Cambio::Sostituito << QList<bool>{false, false, false};
}

void TestRighe::righeDopoCambio()
{
    QFETCH(Cambio, cambio);
    QFETCH(QList<bool>, cambiate);
    const QList<TScheda> schede = {
        Semplice(u"Enel Energia"_s, u"05/03/2024"_s, u"LUCE"_s, u"Bolletta"_s),
        Semplice(u"Acea"_s, u"06/03/2024"_s, u"ACQUA"_s, u"Bolletta acqua"_s),
        Semplice(u"Farmacia"_s, u"07/03/2024"_s, u"FARM"_s, u"Medicinali"_s)};
    Scrivi(percorso(), schede);
    const RigheScheda r = CercaSchede(percorso(), {});
    QCOMPARE(r.size(), 3);

    TScheda nuova = schede.at(1);
    switch (cambio) {
    case Cambio::CampoMostrato:
        nuova.ImpostaTesto(Campo::Fornitore, u"Acea Ato 2"_s);
        break;
    case Cambio::CampoNonMostrato:
        nuova.ImpostaTesto(Campo::Note, u"pagata"_s);
        break;
    case Cambio::OltreLaLunghezza:
        nuova.byte[size_t(TScheda::Offset(Campo::Fornitore) + 1 + 20)] = 'x';
        break;
    case Cambio::Accorciato:
        QVERIFY(QFile::resize(percorso(), TScheda::Dimensione));
        break;
    case Cambio::Sostituito: {
        const QString altro = percorso() + u".nuovo"_s;
        Scrivi(altro, {nuova, nuova, nuova});
        QVERIFY(std::rename(QFile::encodeName(altro).constData(), QFile::encodeName(percorso()).constData()) == 0);
        break;
    }
    }
    if (cambio == Cambio::CampoMostrato || cambio == Cambio::CampoNonMostrato || cambio == Cambio::OltreLaLunghezza) {
        Archivio a(percorso());
        a.ApriArchivio();
        a.ScriviScheda(1, nuova);
        a.Chiudi();
    }

    for (int i = 0; i < 3; ++i)
        QCOMPARE(r.righe.at(i), cambiate.at(i) ? RigaSchedaCambiata(i) : RigaScheda(schede.at(i)));
    QCOMPARE(RigaSchedaCambiata(1),
             u"Scheda n. 2: modificata o tolta dall'archivio dopo che l'elenco è stato compilato"_s);
}

void TestRighe::rigaNonLeggibile()
{
    // A file the list opened but cannot read back from (a folder reads as an
    // error): the line says so, and does not say the record was changed.
    TestiRighe r;
    r.LeggiDa(m_dir->path());
    r.Aggiungi(ArchivioDiProva::Semplice(u"Rossi"_s, u"07/03/2024"_s, u"A1"_s, u"Visita"_s), 4);
    QCOMPARE(r.at(0), RigaSchedaIlleggibile(4));
    QCOMPARE(RigaSchedaIlleggibile(4), u"Scheda n. 5: non leggibile dall'archivio (errore di lettura)"_s);
}

void TestRighe::ritrova_data()
{
    QTest::addColumn<int>("indice");
    QTest::addColumn<bool>("cambiata");
    QTest::addColumn<bool>("trovata");
    QTest::newRow("righe uguali: la prima resta la prima") << 0 << false << true;
    QTest::newRow("righe uguali: la seconda") << 1 << false << true;
    QTest::newRow("scheda cambiata dopo l'elenco") << 0 << true << false;
    QTest::newRow("scheda non più in archivio") << 5 << false << false;
}

void TestRighe::ritrova()
{
    QFETCH(int, indice);
    QFETCH(bool, cambiata);
    QFETCH(bool, trovata);
    // Two records that give the same line, differing only in fields the line
    // does not show.
    TScheda a = Semplice(QStringLiteral("Rossi"), QStringLiteral("01/02/2024"), QStringLiteral("K"),
                         QStringLiteral("Gas"), QStringLiteral("10,00"));
    TScheda b = a;
    a.ImpostaTesto(Campo::Note, QStringLiteral("prima"));
    b.ImpostaTesto(Campo::Note, QStringLiteral("seconda"));
    Scrivi(percorso(), {a, b});
    const QString riga = RigaScheda(a);
    if (cambiata) {
        TScheda c = a;
        c.ImpostaTesto(Campo::Dovuto, QStringLiteral("11,00"));
        Scrivi(percorso(), {c, b});
    }
    const auto s = RitrovaScheda(percorso(), indice, riga);
    QCOMPARE(s.has_value(), trovata);
    if (trovata)
        QCOMPARE(s->Testo(Campo::Note), indice == 0 ? QStringLiteral("prima") : QStringLiteral("seconda"));
}

QTEST_GUILESS_MAIN(TestRighe)
#include "tst_righe.moc"
