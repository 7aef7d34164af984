#include "checks/CodiceFiscale.h"
#include "checks/NumeroPartitaIva.h"

#include <QtTest>

// Expected check characters and check digits below were worked out by hand
// from the published tables and rule, never with the code under test.
class TestIdentificativi : public QObject {
    Q_OBJECT
private slots:
    void codFisc_data();
    void codFisc();
    void codFisc_ogniAltroCarattereDiControllo();
    void codFisc_lunghezzaDiversaNonDaEsito_data();
    void codFisc_lunghezzaDiversaNonDaEsito();
    void normalizzaCodFisc_data();
    void normalizzaCodFisc();

    void partitaIva_data();
    void partitaIva();
    void partitaIva_ogniAltraCifraDiControllo();
    void codiceUfficio();
    void uffici_data();
    void uffici();
    void uffici_soloQuelliDellaTabella();
};

void TestIdentificativi::codFisc_data()
{
    QTest::addColumn<QString>("codice");
    QTest::addColumn<bool>("valido");

    // R S S M R A 8 0 A 0 1 H 5 0 1
    // odd  (1,3,..,15): R=8  S=12 R=8  8=19 A=1  1=0  5=13 1=0  -> 61
    // even (2,4,..,14): S=18 M=12 A=0  0=0  0=0  H=7  0=0       -> 37
    // 61 + 37 = 98; 98 mod 26 = 20 -> 'U'
    QTest::newRow("persona") << "RSSMRA80A01H501U" << true;
    // odd: M=18 T=14 T=14 2=5 D=7 9=21 2=5 5=13 -> 97; even: R=17 M=12 T=19 5=5 0=0 F=5 0=0 -> 58
    // 155 mod 26 = 25 -> 'Z'
    QTest::newRow("persona 2") << "MRTMTT25D09F205Z" << true;
    // odd: B=0 C=5 R=8 8=19 T=14 1=0 8=19 9=21 -> 86; even: N=13 L=11 A=0 5=5 4=4 F=5 3=3 -> 41
    // 127 mod 26 = 23 -> 'X'
    QTest::newRow("persona 3") << "BNCLRA85T41F839X" << true;
    QTest::newRow("carattere di controllo sbagliato") << "RSSMRA80A01H501V" << false;
    QTest::newRow("una cifra cambiata") << "RSSMRA81A01H501U" << false;

    // Letters the real codes above do not reach, in both positions.
    // odd: K=2 L=4 N=20 O=11 P=3 Q=6 U=16 V=10 -> 72; even: W=22 X=23 Y=24 Z=25 E=4 F=5 G=6 -> 109
    // 181 mod 26 = 25 -> 'Z'
    QTest::newRow("lettere K-Z dispari") << "KWLXNYOZPEQFUGVZ" << true;
    // odd: W=22 X=25 Y=24 Z=23 E=9 F=13 G=15 H=17 -> 148; even: I=8 J=9 K=10 L=11 M=12 N=13 O=14 -> 77
    // 225 mod 26 = 17 -> 'R'
    QTest::newRow("lettere W-H dispari") << "WIXJYKZLEMFNGOHR" << true;
    // odd: I=19 J=21 0=1 2=5 3=7 4=9 6=15 7=17 -> 94; even: P=15 Q=16 U=20 V=21 1=1 8=8 9=9 -> 90
    // 184 mod 26 = 2 -> 'C'
    QTest::newRow("cifre dispari") << "IPJQ0U2V3148697C" << true;

    // A digit in place of the letter of the same value (0 for A ... 9 for J)
    // counts the same in both tables, so the check character does not change.
    QTest::newRow("0 per A, posizione pari") << "RSSMR080A01H501U" << true;
    QTest::newRow("0 per A, posizione dispari") << "RSSMRA80001H501U" << true;
    QTest::newRow("7 per H") << "RSSMRA80A017501U" << true;
    QTest::newRow("1 per B, prima posizione") << "1NCLRA85T41F839X" << true;
    QTest::newRow("5 per F") << "BNCLRA85T415839X" << true;
    QTest::newRow("3 per D") << "MRTMTT25309F205Z" << true;
    QTest::newRow("I per 8") << "RSSMRAI0A01H501U" << true;
    // L is worth 11 in an even position, not 0: 98 + 11 = 109, 109 mod 26 = 5 -> 'F'
    QTest::newRow("L per 0 cambia il controllo") << "RSSMRA8LA01H501U" << false;
    QTest::newRow("L per 0 con il suo controllo") << "RSSMRA8LA01H501F" << true;

    // The seven codes between '9' and 'A' count 0, as A does in an even position.
    QTest::newRow("due punti vale 0") << "RSSMR:80A01H501U" << true;

    // No table entry: the code is wrong, whatever the sum would be.
    QTest::newRow("asterisco") << "RSSMR*80A01H501U" << false;
    QTest::newRow("barra, appena sotto 0") << "RSSMR/80A01H501U" << false;
    QTest::newRow("spazio") << "RSSMR 80A01H501U" << false;
    QTest::newRow("minuscola") << "RSSMRa80A01H501U" << false;
    QTest::newRow("parentesi quadra, appena sopra Z") << "RSSMR[80A01H501U" << false;
    QTest::newRow("tilde") << "RSSMRA80A01H50~U" << false;
    QTest::newRow("lettera accentata") << QStringLiteral("RSSMR\u00C080A01H501U") << false;
    QTest::newRow("euro") << QStringLiteral("\u20ACSSMRA80A01H501U") << false;
    QTest::newRow("carattere massimo") << QStringLiteral("RSSMRA80A01H501\uFFFF") << false;
}

void TestIdentificativi::codFisc()
{
    QFETCH(QString, codice);
    QFETCH(bool, valido);
    const std::optional<bool> esito = VerificaCodFisc(codice);
    QVERIFY(esito.has_value());
    QCOMPARE(*esito, valido);
}

void TestIdentificativi::codFisc_ogniAltroCarattereDiControllo()
{
    for (char16_t c = u'A'; c <= u'Z'; ++c) {
        const QString codice = QStringLiteral("RSSMRA80A01H501") + QChar(c);
        QCOMPARE(VerificaCodFisc(codice), std::optional<bool>(c == u'U'));
    }
    QCOMPARE(VerificaCodFisc(QStringLiteral("RSSMRA80A01H5010")), std::optional<bool>(false));
}

void TestIdentificativi::codFisc_lunghezzaDiversaNonDaEsito_data()
{
    QTest::addColumn<QString>("codice");
    QTest::newRow("vuoto") << "";
    QTest::newRow("15") << "RSSMRA80A01H501";
    QTest::newRow("17") << "RSSMRA80A01H501UX";
}

void TestIdentificativi::codFisc_lunghezzaDiversaNonDaEsito()
{
    QFETCH(QString, codice);
    QVERIFY(!VerificaCodFisc(codice).has_value());
}

void TestIdentificativi::normalizzaCodFisc_data()
{
    QTest::addColumn<QString>("testo");
    QTest::addColumn<QString>("atteso");
    QTest::newRow("minuscole e blanchi") << " \trssmra80a01h501u \r\n" << "RSSMRA80A01H501U";
    QTest::newRow("blanco interno resta") << "ab cd" << "AB CD";
    QTest::newRow("accentate restano") << QStringLiteral("è1à") << QStringLiteral("è1à");
    QTest::newRow("solo blanchi") << "   " << "";
}

void TestIdentificativi::normalizzaCodFisc()
{
    QFETCH(QString, testo);
    QFETCH(QString, atteso);
    QCOMPARE(NormalizzaCodFisc(testo), atteso);
}

void TestIdentificativi::partitaIva_data()
{
    QTest::addColumn<QString>("numero");
    QTest::addColumn<bool>("valido");

    // 1 2 3 4 5 6 7 0 1 5 | 7
    // odd  positions add the digit:             1 + 3 + 5 + 7 + 1          = 17
    // even positions add the digits of 2d: 2->4, 4->8, 6->12->3, 0->0, 5->10->1 = 16
    // 33 -> check (10 - 3) mod 10 = 7
    QTest::newRow("ufficio 015") << "12345670157" << true;
    // The first seven digits always give 31 here; the office code adds the rest.
    QTest::newRow("ufficio 096") << "12345670967" << true;   // 0 + 9 + (12->3) = 12 -> 43 -> 7
    QTest::newRow("ufficio 101") << "12345671015" << true;   // 2 + 0 + 2 = 4 -> 35 -> 5
    QTest::newRow("ufficio 120") << "12345671205" << true;   // 2 + 2 + 0 = 4 -> 35 -> 5
    QTest::newRow("ufficio 102") << "12345671023" << true;   // 2 + 0 + 4 = 6 -> 37 -> 3
    QTest::newRow("ufficio 121") << "12345671213" << true;   // 2 + 2 + 2 = 6 -> 37 -> 3
    QTest::newRow("ufficio 103") << "12345671031" << true;   // 2 + 0 + 6 = 8 -> 39 -> 1
    QTest::newRow("ufficio 000") << "12345670009" << true;   // 31 -> 9
    QTest::newRow("somma multipla di 10") << "12345670900" << true; // 0 + 9 + 0 -> 40 -> 0
    QTest::newRow("tutti 9") << "99999999990" << true;       // 5 * 9 + 5 * (18->9) = 90 -> 0
    QTest::newRow("cifra dispari sola") << "10000000009" << true;  // 1 -> 9
    QTest::newRow("cifra pari sola") << "01000000008" << true;     // 2 -> 8
    QTest::newRow("doppio a due cifre") << "05000000009" << true;  // 10 -> 1 + 0 = 1 -> 9

    QTest::newRow("controllo sbagliato") << "12345670158" << false;
    QTest::newRow("tutti 9 sbagliato") << "99999999999" << false;
    QTest::newRow("cifre scambiate") << "21345670157" << false;
    QTest::newRow("10 cifre") << "1234567015" << false;
    QTest::newRow("12 cifre") << "123456701570" << false;
    QTest::newRow("vuoto") << "" << false;
    QTest::newRow("lettera") << "1234567015A" << false;
    QTest::newRow("blanco") << "1234567015 " << false;
    // Digits of other scripts are not 0-9, even where their value would fit.
    QTest::newRow("cifra araba") << QStringLiteral("1234567015\u0667") << false;
    QTest::newRow("cifre a tutta larghezza")
        << QStringLiteral("\uFF11\uFF12\uFF13\uFF14\uFF15\uFF16\uFF17\uFF10\uFF11\uFF15\uFF17") << false;
}

void TestIdentificativi::partitaIva()
{
    QFETCH(QString, numero);
    QFETCH(bool, valido);
    QCOMPARE(VerificaPartitaIva(numero), valido);
}

void TestIdentificativi::partitaIva_ogniAltraCifraDiControllo()
{
    for (char16_t c = u'0'; c <= u'9'; ++c)
        QCOMPARE(VerificaPartitaIva(QStringLiteral("1234567015") + QChar(c)), c == u'7');
}

void TestIdentificativi::codiceUfficio()
{
    QCOMPARE(CodiceUfficioIva(QStringLiteral("12345670967")), QStringLiteral("096"));
    QCOMPARE(CodiceUfficioIva(QStringLiteral("1234567012")), QStringLiteral("012"));
    QCOMPARE(CodiceUfficioIva(QStringLiteral("123")), QString());
}

namespace {
// The office table as published, written out again independently.
const char16_t *const kTabella[][2] = {
    {u"001", u"Torino"}, {u"002", u"Vercelli"}, {u"003", u"Novara"}, {u"004", u"Cuneo"},
    {u"005", u"Asti"}, {u"006", u"Alessandria"}, {u"007", u"Aosta"}, {u"008", u"Imperia"},
    {u"009", u"Savona"}, {u"010", u"Genova 1"}, {u"011", u"La Spezia"}, {u"012", u"Varese"},
    {u"013", u"Como"}, {u"014", u"Sondrio"}, {u"015", u"Milano 1"}, {u"016", u"Bergamo"},
    {u"017", u"Brescia 1"}, {u"018", u"Pavia"}, {u"019", u"Cremona"}, {u"020", u"Mantova"},
    {u"021", u"Bolzano"}, {u"022", u"Trento"}, {u"023", u"Verona"}, {u"024", u"Vicenza"},
    {u"025", u"Belluno"}, {u"026", u"Treviso"}, {u"027", u"Venezia"}, {u"028", u"Padova"},
    {u"029", u"Rovigo"}, {u"030", u"Udine"}, {u"031", u"Gorizia"}, {u"032", u"Trieste"},
    {u"033", u"Piacenza"}, {u"034", u"Parma"}, {u"035", u"Reggio Emilia"}, {u"036", u"Modena"},
    {u"037", u"Bologna 1"}, {u"038", u"Ferrara"}, {u"039", u"Ravenna"}, {u"040", u"Forlì"},
    {u"041", u"Pesaro"}, {u"042", u"Ancona"}, {u"043", u"Macerata"}, {u"044", u"Ascoli Piceno"},
    {u"045", u"Massa Carrara"}, {u"046", u"Lucca"}, {u"047", u"Pistoia"}, {u"048", u"Firenze 1"},
    {u"049", u"Livorno"}, {u"050", u"Pisa"}, {u"051", u"Arezzo"}, {u"052", u"Siena"},
    {u"053", u"Grosseto"}, {u"054", u"Perugia"}, {u"055", u"Terni"}, {u"056", u"Viterbo"},
    {u"057", u"Rieti"}, {u"058", u"Roma 1"}, {u"059", u"Latina"}, {u"060", u"Frosinone"},
    {u"061", u"Caserta"}, {u"062", u"Benevento"}, {u"063", u"Napoli 1"}, {u"064", u"Avellino"},
    {u"065", u"Salerno"}, {u"066", u"Aquila"}, {u"067", u"Teramo"}, {u"068", u"Pescara"},
    {u"069", u"Chieti"}, {u"070", u"Campobasso"}, {u"071", u"Foggia"}, {u"072", u"Bari"},
    {u"073", u"Taranto"}, {u"074", u"Brindisi"}, {u"075", u"Lecce"}, {u"076", u"Potenza"},
    {u"077", u"Matera"}, {u"078", u"Cosenza"}, {u"079", u"Catanzaro"}, {u"080", u"Reggio Calabria"},
    {u"081", u"Trapani"}, {u"082", u"Palermo"}, {u"083", u"Messina"}, {u"084", u"Agrigento"},
    {u"085", u"Caltanissetta"}, {u"086", u"Enna"}, {u"087", u"Catania"}, {u"088", u"Ragusa"},
    {u"089", u"Siracusa"}, {u"090", u"Sassari"}, {u"091", u"Nuoro"}, {u"092", u"Cagliari"},
    {u"093", u"Pordenone"}, {u"094", u"Isernia"}, {u"095", u"Oristano"}, {u"096", u"Monza (Milano 2)"},
    {u"097", u"Prato (Firenze 2)"}, {u"098", u"Brescia 2"}, {u"099", u"Chiavari (Genova 2)"},
    {u"100", u"Roma 2"}, {u"101", u"Bologna 2"}, {u"102", u"Napoli 2"},
    {u"120", u"Bologna 2"}, {u"121", u"Napoli 2"},
};
} // namespace

void TestIdentificativi::uffici_data()
{
    QTest::addColumn<QString>("codice");
    QTest::addColumn<QString>("nome");
    for (const auto &riga : kTabella) {
        const QString codice = QString::fromUtf16(riga[0]);
        QTest::newRow(qPrintable(codice)) << codice << QString::fromUtf16(riga[1]);
    }
}

void TestIdentificativi::uffici()
{
    QFETCH(QString, codice);
    QFETCH(QString, nome);
    QCOMPARE(UfficioIva(codice), nome);
}

void TestIdentificativi::uffici_soloQuelliDellaTabella()
{
    QCOMPARE(std::size(kTabella), size_t(104));
    QSet<QString> noti;
    for (const auto &riga : kTabella)
        noti.insert(QString::fromUtf16(riga[0]));
    for (int n = 0; n <= 999; ++n) {
        const QString codice = QStringLiteral("%1").arg(n, 3, 10, QLatin1Char('0'));
        if (!noti.contains(codice))
            QVERIFY2(UfficioIva(codice).isEmpty(), qPrintable(codice));
    }
    // Compared as text: the same number written otherwise names nothing.
    QCOMPARE(UfficioIva(QStringLiteral("15")), QString());
    QCOMPARE(UfficioIva(QStringLiteral("0015")), QString());
    QCOMPARE(UfficioIva(QString()), QString());
}

QTEST_APPLESS_MAIN(TestIdentificativi)
#include "tst_identificativi.moc"
