#include "platform/Frammento.h"
#include "platform/Testo.h"

#include <QtTest>
#include <bit>
#include <cstdlib>
#include <clocale>

class TestTesto : public QObject {
    Q_OBJECT
private slots:
    void trim_data();
    void trim();
    void maiuscoloMinuscolo();
    void soloCifre_data();
    void soloCifre();
    void cp1252_tuttiIByteFannoIlGiro();
    void cp1252_codifica_data();
    void cp1252_codifica();
    void data_data();
    void data();
    void leggiNumero_data();
    void leggiNumero();
    void letturaDaiByte_data();
    void letturaDaiByte();
    void giornoComeData();
    void importiComeFromChars_data();
    void importiComeFromChars();
    void formatoGenerale_data();
    void formatoGenerale();
    void numeriIndipendentiDalLocaleDelProcesso();
    void frammentoNeiByte_data();
    void frammentoNeiByte();
};

void TestTesto::trim_data()
{
    QTest::addColumn<QString>("in");
    QTest::addColumn<QString>("out");
    QTest::newRow("vuoto") << "" << "";
    QTest::newRow("blanchi") << "   " << "";
    QTest::newRow("controlli") << QStringLiteral("\t\r\n ab c\x01\x1f ") << "ab c";
    QTest::newRow("nbsp resta") << QStringLiteral("\u00a0x\u00a0") << QStringLiteral("\u00a0x\u00a0");
}

void TestTesto::trim()
{
    QFETCH(QString, in);
    QFETCH(QString, out);
    QCOMPARE(Testo::Trim(in), out);
}

void TestTesto::maiuscoloMinuscolo()
{
    QCOMPARE(Testo::MaiuscoloAscii(QStringLiteral("luce è gas z")), QStringLiteral("LUCE è GAS Z"));
    QCOMPARE(Testo::MinuscoloAscii(QStringLiteral("LUCE È GAS Z")), QStringLiteral("luce È gas z"));
}

void TestTesto::soloCifre_data()
{
    QTest::addColumn<QString>("in");
    QTest::addColumn<bool>("atteso");
    QTest::newRow("vuoto") << "" << true;
    QTest::newRow("cifre") << "0123456789" << true;
    QTest::newRow("spazio") << "12 3" << false;
    QTest::newRow("segno") << "-1" << false;
    QTest::newRow("cifra araba") << QStringLiteral("\u0661") << false;
}

void TestTesto::soloCifre()
{
    QFETCH(QString, in);
    QFETCH(bool, atteso);
    QCOMPARE(Testo::SoloCifre(in), atteso);
}

void TestTesto::cp1252_tuttiIByteFannoIlGiro()
{
    QByteArray tutti;
    for (int b = 0; b < 256; ++b)
        tutti.append(char(b));
    const QString t = Testo::DecodificaCp1252(tutti);
    QCOMPARE(t.size(), 256);
    QCOMPARE(t.at(0x80), QChar(0x20AC));
    QCOMPARE(t.at(0xEC), QChar(u'ì'));
    QCOMPARE(Testo::CodificaCp1252(t), tutti);
}

void TestTesto::cp1252_codifica_data()
{
    QTest::addColumn<QString>("in");
    QTest::addColumn<QByteArray>("out");
    QTest::newRow("Sì") << QStringLiteral("Sì") << QByteArray("\x53\xEC");
    QTest::newRow("euro") << QStringLiteral("€ 5") << QByteArray("\x80 5");
    QTest::newRow("fuori pagina") << QStringLiteral("a\u0101b") << QByteArray("a?b");
    QTest::newRow("surrogati") << QStringLiteral("x\U0001F600y") << QByteArray("x?y");
}

void TestTesto::cp1252_codifica()
{
    QFETCH(QString, in);
    QFETCH(QByteArray, out);
    QCOMPARE(Testo::CodificaCp1252(in), out);
}

void TestTesto::data_data()
{
    QTest::addColumn<QString>("in");
    QTest::addColumn<QDate>("atteso");
    QTest::newRow("valida") << "05/03/2024" << QDate(2024, 3, 5);
    QTest::newRow("bisestile") << "29/02/2024" << QDate(2024, 2, 29);
    QTest::newRow("non bisestile") << "29/02/2023" << QDate();
    QTest::newRow("31 aprile") << "31/04/2024" << QDate();
    QTest::newRow("cifra singola") << "5/3/2024" << QDate();
    QTest::newRow("vuota") << "" << QDate();
    QTest::newRow("separatore") << "05-03-2024" << QDate();
}

void TestTesto::data()
{
    QFETCH(QString, in);
    QFETCH(QDate, atteso);
    const auto d = Testo::LeggiData(in);
    QCOMPARE(d.value_or(QDate()), atteso);
    QCOMPARE(Testo::LeggiDataCp1252(Testo::CodificaCp1252(in)).value_or(QDate()), atteso);
    if (atteso.isValid())
        QCOMPARE(Testo::FormattaData(atteso), in);
}

void TestTesto::leggiNumero_data()
{
    QTest::addColumn<QString>("in");
    QTest::addColumn<bool>("valido");
    QTest::addColumn<double>("valore");
    QTest::newRow("intero") << "7" << true << 7.0;
    QTest::newRow("virgola") << "12,50" << true << 12.5;
    QTest::newRow("solo decimali") << ",5" << true << 0.5;
    QTest::newRow("virgola finale") << "12," << true << 12.0;
    QTest::newRow("negativo") << "-20,00" << true << -20.0;
    QTest::newRow("blanchi") << "  3,1 " << true << 3.1;
    QTest::newRow("esponente") << "1,5E3" << true << 1500.0;
    QTest::newRow("punto") << "12.50" << false << 0.0;
    QTest::newRow("due virgole") << "1,2,3" << false << 0.0;
    QTest::newRow("virgola sola") << "," << false << 0.0;
    QTest::newRow("vuoto") << "" << false << 0.0;
    QTest::newRow("lettere") << "abc" << false << 0.0;
    QTest::newRow("troppo grande") << "1E400" << false << 0.0;
}

void TestTesto::leggiNumero()
{
    QFETCH(QString, in);
    QFETCH(bool, valido);
    QFETCH(double, valore);
    const auto v = Testo::LeggiNumero(in);
    QCOMPARE(v.has_value(), valido);
    if (valido)
        QCOMPARE(*v, valore);
    QCOMPARE(Testo::LeggiNumeroCp1252(Testo::CodificaCp1252(in)), v);
}

void TestTesto::letturaDaiByte_data()
{
    // Every byte value in every position of a date and of an amount, and
    // around them: the bytes must read as their decoded text does.
    QTest::addColumn<QByteArray>("byte");
    const QByteArray basi[] = {QByteArrayLiteral("05/03/2024"), QByteArrayLiteral("-1,5E3"),
                               QByteArrayLiteral("29/02/2024"), QByteArrayLiteral("+12,")};
    for (const QByteArray &base : basi) {
        for (qsizetype i = 0; i <= base.size(); ++i) {
            for (int v = 0; v < 256; ++v) {
                QByteArray al = base, prima = base;
                if (i < base.size())
                    al[i] = char(v);
                prima.insert(i, char(v));
                QTest::addRow("%s: %d al posto %d", base.constData(), v, int(i)) << al;
                QTest::addRow("%s: %d prima del posto %d", base.constData(), v, int(i)) << prima;
            }
        }
    }
}

void TestTesto::letturaDaiByte()
{
    QFETCH(QByteArray, byte);
    const QString testo = Testo::DecodificaCp1252(byte);
    QCOMPARE(Testo::LeggiDataCp1252(byte), Testo::LeggiData(testo));
    QCOMPARE(Testo::LeggiDataCp1252(Testo::TrimByte(byte)), Testo::LeggiData(Testo::Trim(testo)));
    QCOMPARE(Testo::LeggiNumeroCp1252(byte), Testo::LeggiNumero(testo));
    QCOMPARE(Testo::DecodificaCp1252(Testo::TrimByte(byte).toByteArray()), Testo::Trim(testo));
    const auto data = Testo::LeggiDataCp1252(byte);
    QCOMPARE(Testo::LeggiGiornoCp1252(byte), data ? std::optional<int>(Testo::Giorno(*data)) : std::nullopt);
}

// The day number a scan compares is read exactly when a date is: every day of
// the months around the calendar's edges (no year 0, leap years by the
// Gregorian rule, month and day out of range).
void TestTesto::giornoComeData()
{
    for (const int anno : {0, 1, 1900, 2000, 2023, 2024, 2100, 9999}) {
        for (int mese = 0; mese <= 13; ++mese) {
            for (int giorno = 0; giorno <= 32; ++giorno) {
                const QByteArray testo = QStringLiteral("%1/%2/%3")
                                             .arg(giorno, 2, 10, QLatin1Char('0'))
                                             .arg(mese, 2, 10, QLatin1Char('0'))
                                             .arg(anno, 4, 10, QLatin1Char('0'))
                                             .toLatin1();
                const auto data = Testo::LeggiDataCp1252(testo);
                const auto numero = Testo::LeggiGiornoCp1252(testo);
                QVERIFY2(numero.has_value() == data.has_value(), testo.constData());
                if (data)
                    QCOMPARE(*numero, anno * 10000 + mese * 100 + giorno);
            }
        }
    }
    // Ordered as the dates are.
    QVERIFY(*Testo::LeggiGiornoCp1252("31/12/2023") < *Testo::LeggiGiornoCp1252("01/01/2024"));
    QVERIFY(*Testo::LeggiGiornoCp1252("30/01/2024") < *Testo::LeggiGiornoCp1252("01/02/2024"));
}

void TestTesto::importiComeFromChars_data()
{
    // The amounts read from stored bytes take a short way when they are
    // plain: it must give the very double from_chars gives, sign of zero
    // included, and leave everything else to the full reading.
    QTest::addColumn<QByteArray>("byte");
    const char *righe[] = {"0", "-0", "+0", "-0,0", "0,1", "0,2", "0,3", "-12,34", "+12,34", "1234,56",
                           "999999999999999", "9999999999999999", "99999999999999,9", "0,000000000000001",
                           "0,0000000000000001", "123456789012345", "1234567890,12345", "000000000000012,5",
                           "0,99999999999999", "4503599627370497", "9007199254740993", "8,02", "1,005",
                           "2,675", "0,155", "12,", ",5", "-,5", "1,5E3", "1e2", "-", "+", ",", "1,2,3",
                           "12.50", "1 2", "--1", "+-1"};
    for (const char *r : righe)
        QTest::newRow(r) << QByteArray(r);
    // Every two-decimal amount between -20 and 20, whose binary value is
    // rounded from the text in every case.
    for (int c = -2000; c <= 2000; c += 7)
        QTest::addRow("%d centesimi", c)
            << QByteArray::number(c / 100) .prepend(c < 0 && c > -100 ? "-" : "")
                   .append(',')
                   .append(QByteArray::number(std::abs(c) % 100).rightJustified(2, '0'));
}

void TestTesto::importiComeFromChars()
{
    QFETCH(QByteArray, byte);
    const auto breve = Testo::LeggiNumeroCp1252(byte);
    const auto testo = Testo::LeggiNumero(QString::fromLatin1(byte));
    QCOMPARE(breve.has_value(), testo.has_value());
    if (breve)
        QCOMPARE(std::bit_cast<quint64>(*breve), std::bit_cast<quint64>(*testo));
}

void TestTesto::formatoGenerale_data()
{
    QTest::addColumn<double>("in");
    QTest::addColumn<QString>("out");
    QTest::newRow("zero") << 0.0 << "0";
    QTest::newRow("intero") << 12.0 << "12";
    QTest::newRow("decimale") << 2.5 << "2,5";
    QTest::newRow("negativo") << -7.5 << "-7,5";
    QTest::newRow("0,1+0,2") << (0.1 + 0.2) << "0,3";
    QTest::newRow("piccolo") << 0.0001 << "0,0001";
    QTest::newRow("piccolissimo") << 0.000001 << "1E-6";
    QTest::newRow("grande") << 1e20 << "1E20";
    QTest::newRow("15 cifre") << 123456789012345.0 << "123456789012345";
    QTest::newRow("1,005") << 1.005 << "1,005";
}

void TestTesto::formatoGenerale()
{
    QFETCH(double, in);
    QFETCH(QString, out);
    QCOMPARE(Testo::FormatoGenerale(in), out);
}

void TestTesto::numeriIndipendentiDalLocaleDelProcesso()
{
    // The desktop's locale (Italian here, with its decimal comma) must not
    // change how amounts are read or written.
    const char *italiano = std::setlocale(LC_ALL, "it_IT.UTF-8");
    if (!italiano)
        QSKIP("the it_IT.UTF-8 locale is not generated on this machine");
    const auto v = Testo::LeggiNumero(QStringLiteral("12,50"));
    const QString g = Testo::FormatoGenerale(2.5);
    const auto e = Testo::LeggiNumero(QStringLiteral("+1,5E3"));
    std::setlocale(LC_ALL, "C");
    QVERIFY(v.has_value());
    QCOMPARE(*v, 12.5);
    QCOMPARE(g, QStringLiteral("2,5"));
    QVERIFY(e.has_value());
    QCOMPARE(*e, 1500.0);
}

// The search looks for a fragment in the stored bytes; it must answer as the
// decoded text would.
void TestTesto::frammentoNeiByte_data()
{
    QTest::addColumn<QByteArray>("campo");
    QTest::addColumn<QString>("testo");
    QTest::addColumn<bool>("atteso");
    QTest::newRow("lettere ASCII in ogni caso") << QByteArray("ENEL Energia") << QStringLiteral("eNeRgIa") << true;
    QTest::newRow("accentata minuscola non trova la maiuscola")
        << QByteArray("CAFF\xC8") << QStringLiteral("caff\u00E8") << false;
    QTest::newRow("accentata uguale") << QByteArray("caff\xE8 bar") << QStringLiteral("CAFF\u00E8") << true;
    QTest::newRow("euro dal byte 0x80") << QByteArray("Tot. \x80 5") << QStringLiteral("\u20AC 5") << true;
    QTest::newRow("byte 0x81 come controllo C1") << QByteArray("a\x81z") << QStringLiteral("A\u0081Z") << true;
    QTest::newRow("fuori dalla code page non trova il punto interrogativo")
        << QByteArray("perch? no") << QStringLiteral("perch\u4E00") << false;
    QTest::newRow("coppia surrogata") << QByteArray("??") << QStringLiteral("\U0001F600") << false;
    QTest::newRow("piu lungo del campo") << QByteArray("abc") << QStringLiteral("abcd") << false;
    QTest::newRow("spazi contano") << QByteArray("luce gas") << QStringLiteral(" gas") << true;
    QTest::newRow("vuoto trova sempre") << QByteArray("x") << QString() << true;
    QTest::newRow("campo vuoto") << QByteArray() << QStringLiteral("a") << false;
    QTest::newRow("in fondo a un campo lungo") << QByteArray(250, 'x') + "Q" << QStringLiteral("xq") << true;
    QTest::newRow("inizio che torna indietro") << QByteArray("aaab") << QStringLiteral("aab") << true;
    QTest::newRow("sovrapposti") << QByteArray("abaXabab") << QStringLiteral("ABAB") << true;
    QTest::newRow("prima lettera maiuscola nel campo") << QByteArray("Fornitura") << QStringLiteral("forn") << true;
    QTest::newRow("non lettera in testa") << QByteArray("05/03/2024") << QStringLiteral("/20") << true;
    QTest::newRow("quasi in fondo") << QByteArray("abcde") << QStringLiteral("def") << false;
    QTest::newRow("lungo quanto il campo") << QByteArray("Gas") << QStringLiteral("gAS") << true;
    QTest::newRow("byte alto minuscolo non piegato") << QByteArray("\xC0" "b") << QStringLiteral("\u00E0b") << false;
}

void TestTesto::frammentoNeiByte()
{
    QFETCH(QByteArray, campo);
    QFETCH(QString, testo);
    QFETCH(bool, atteso);
    const bool decodificato =
        Testo::MinuscoloAscii(Testo::DecodificaCp1252(campo)).contains(Testo::MinuscoloAscii(testo));
    QCOMPARE(decodificato, atteso); // the row states the rule itself
    QCOMPARE(FrammentoCp1252(testo).In(campo), atteso);
}

QTEST_APPLESS_MAIN(TestTesto)
#include "tst_testo.moc"
