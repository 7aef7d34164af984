#include "ArchivioDiProva.h"
#include "output/DocumentoExcel.h"
#include "output/ModelloRegistro.h"
#include "platform/Avanzamento.h"
#include "register/Archivio.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QBuffer>
#include <QtTest>
#include <algorithm>
#include <cstring>
#include <limits>
#include <utility>

using namespace Qt::StringLiterals;

class TestModelloRegistro : public QObject {
    Q_OBJECT
private slots:
    void init();
    void treSchede_campiRipuliti();
    void intestazioni_data();
    void intestazioni();
    void senzaSchede_data();
    void senzaSchede();
    void archivioIlleggibile_nessunaRiga();
    void modifiche_data();
    void modifiche();
    void ricarica_sostituisceTutto();
    void esportazione_comeDalTestoDelleCelle_data();
    void esportazione_comeDalTestoDelleCelle();
    void beneficiariRipetuti_data();
    void beneficiariRipetuti();
    void letturaInterrotta_data();
    void letturaInterrotta();

private:
    QString archivio() const { return Archivio::Percorso(m_dir->path()); }
    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestModelloRegistro::init() { m_dir = std::make_unique<QTemporaryDir>(); }

void TestModelloRegistro::treSchede_campiRipuliti()
{
    TScheda prima = ArchivioDiProva::Scheda({
        {Campo::NumDoc, u"  0042 "_s},
        {Campo::DataDoc, u"05/03/2024"_s},
        {Campo::Fornitore, u"\x01 Società Elettrica Niccolò \t"_s},
        {Campo::CodFisc, u"01234567890"_s},
        {Campo::Data, u"06/03/2024"_s},
        {Campo::Codice, u"007"_s},
        {Campo::Tipologia, u"Utenze"_s},
        {Campo::Servizi, u"Luce"_s},
        {Campo::Dettagli, u"Bolletta € bimestrale"_s},
        {Campo::Dovuto, u"120,50"_s},
        {Campo::Acconto, u"20,00"_s},
        {Campo::Saldo, u"100,50"_s},
        {Campo::Note, u"x<y & z"_s},
        {Campo::DaSaldare, u"Sì"_s},
        {Campo::File01, u"/home/x/allegato.pdf"_s},
    });
    ArchivioDiProva::Scrivi(archivio(), {
        prima,
        ArchivioDiProva::Semplice(u"Rossi"_s, u"07/03/2024"_s, u"A1"_s, u"Visita"_s),
        TScheda(),
    });

    ModelloRegistro m;
    QVERIFY(m.Carica(archivio()));
    QCOMPARE(m.rowCount(), 3);
    QCOMPARE(m.columnCount(), 15);
    const QStringList attesi{u"1"_s, u"0042"_s, u"05/03/2024"_s, u"Società Elettrica Niccolò"_s,
                             u"01234567890"_s, u"06/03/2024"_s, u"007"_s, u"Utenze"_s, u"Luce"_s,
                             u"Bolletta € bimestrale"_s, u"120,50"_s, u"20,00"_s, u"100,50"_s,
                             u"x<y & z"_s, u"Sì"_s};
    for (int c = 0; c < 15; ++c) {
        QCOMPARE(m.Cella(0, c), attesi.at(c));
        QCOMPARE(m.data(m.index(0, c)).toString(), attesi.at(c));
    }
    QCOMPARE(m.Cella(1, 0), u"2"_s);
    QCOMPARE(m.Cella(1, 3), u"Rossi"_s);
    QCOMPARE(m.Cella(1, 14), u"No"_s);
    QCOMPARE(m.Cella(2, 0), u"3"_s);
    for (int c = 1; c < 15; ++c)
        QCOMPARE(m.Cella(2, c), QString());
}

void TestModelloRegistro::intestazioni_data()
{
    QTest::addColumn<int>("colonna");
    QTest::addColumn<QString>("titolo");
    QTest::addColumn<int>("larghezza");
    QTest::addColumn<bool>("solaLettura");
    const struct { const char *nome; const char16_t *titolo; int larghezza; bool sola; } righe[] = {
        {"colNum", u"N.", 60, true},
        {"colNumDoc", u"Documento n.", 160, false},
        {"colDataDoc", u"Data emissione", 150, false},
        {"colFornitore", u"Beneficiario", 250, false},
        {"colCodFisc", u"Codice fiscale", 200, false},
        {"colData", u"Data operazione", 150, true},
        {"colCodice", u"Codice prodotto o servizio", 200, true},
        {"colTipologia", u"Tipologia", 250, true},
        {"colServizi", u"Prodotto o servizio", 250, true},
        {"colDettagli", u"Dettagli", 350, false},
        {"colDovuto", u"Totale dovuto", 150, false},
        {"colAcconto", u"Acconto", 150, false},
        {"colSaldo", u"Saldo", 150, false},
        {"colNote", u"Note", 350, false},
        {"colDaSaldare", u"Conto da saldare", 150, false},
    };
    int c = 0;
    for (const auto &r : righe)
        QTest::newRow(r.nome) << c++ << QString::fromUtf16(r.titolo) << r.larghezza << r.sola;
}

void TestModelloRegistro::intestazioni()
{
    QFETCH(int, colonna);
    QFETCH(QString, titolo);
    QFETCH(int, larghezza);
    QFETCH(bool, solaLettura);
    ArchivioDiProva::Scrivi(archivio(), {TScheda()});
    ModelloRegistro m;
    QVERIFY(m.Carica(archivio()));
    QCOMPARE(m.headerData(colonna, Qt::Horizontal).toString(), titolo);
    QCOMPARE(ModelloRegistro::Colonne()[size_t(colonna)].larghezza, larghezza);
    QCOMPARE(QString::fromLatin1(ModelloRegistro::Colonne()[size_t(colonna)].nome),
             QString::fromLatin1(QTest::currentDataTag()));
    QCOMPARE(bool(m.flags(m.index(0, colonna)) & Qt::ItemIsEditable), !solaLettura);
}

void TestModelloRegistro::senzaSchede_data()
{
    QTest::addColumn<bool>("presente");
    QTest::addColumn<QByteArray>("contenuto");
    QTest::newRow("archivio mancante") << false << QByteArray();
    QTest::newRow("archivio vuoto") << true << QByteArray();
    QTest::newRow("solo una scheda incompleta") << true << QByteArray(100, 'x');
}

void TestModelloRegistro::senzaSchede()
{
    QFETCH(bool, presente);
    QFETCH(QByteArray, contenuto);
    if (presente)
        ArchivioDiProva::Scrivi(archivio(), {}, contenuto);
    ModelloRegistro m;
    QVERIFY(m.Carica(archivio()));
    QCOMPARE(m.rowCount(), 0);
    // A missing archive is created empty; an existing one is left as it was.
    QVERIFY(QFile::exists(archivio()));
    QCOMPARE(ArchivioDiProva::Leggi(archivio()), contenuto);
}

void TestModelloRegistro::archivioIlleggibile_nessunaRiga()
{
    ArchivioDiProva::Scrivi(archivio(), {TScheda(), TScheda()});
    ModelloRegistro m;
    QVERIFY(m.Carica(archivio()));
    QCOMPARE(m.rowCount(), 2);
    // A folder where the archive should be: the load fails without a throw.
    QVERIFY(QFile::remove(archivio()));
    QVERIFY(QDir().mkdir(archivio()));
    QVERIFY(!m.Carica(archivio()));
    QCOMPARE(m.rowCount(), 0);
}

void TestModelloRegistro::modifiche_data()
{
    QTest::addColumn<int>("colonna");
    QTest::addColumn<bool>("modificabile");
    QTest::newRow("numero di riga") << 0 << false;
    QTest::newRow("documento") << 1 << true;
    QTest::newRow("data operazione") << 5 << false;
    QTest::newRow("prodotto o servizio") << 8 << false;
    QTest::newRow("note") << 13 << true;
    QTest::newRow("conto da saldare") << 14 << true;
}

void TestModelloRegistro::modifiche()
{
    QFETCH(int, colonna);
    QFETCH(bool, modificabile);
    ArchivioDiProva::Scrivi(archivio(), {ArchivioDiProva::Semplice(u"Rossi"_s, u"07/03/2024"_s,
                                                                   u"A1"_s, u"Visita"_s)});
    ModelloRegistro m;
    QVERIFY(m.Carica(archivio()));
    const QString prima = m.Cella(0, colonna);
    QSignalSpy cambiati(&m, &QAbstractItemModel::dataChanged);
    const QModelIndex i = m.index(0, colonna);
    QCOMPARE(m.setData(i, u"scritto dall'utente"_s), modificabile);
    QCOMPARE(m.Cella(0, colonna), modificabile ? u"scritto dall'utente"_s : prima);
    QCOMPARE(m.data(i).toString(), m.Cella(0, colonna));
    QCOMPARE(cambiati.size(), modificabile ? 1 : 0);
    // Only the edited cell changes.
    QCOMPARE(m.Cella(0, colonna == 3 ? 4 : 3), colonna == 3 ? QString() : u"Rossi"_s);
}

void TestModelloRegistro::ricarica_sostituisceTutto()
{
    ArchivioDiProva::Scrivi(archivio(), {ArchivioDiProva::Semplice(u"Rossi"_s, u"07/03/2024"_s,
                                                                   u"A1"_s, u"Visita"_s),
                                         TScheda()});
    ModelloRegistro m;
    QVERIFY(m.Carica(archivio()));
    QVERIFY(m.setData(m.index(0, 13), u"nota"_s));
    ArchivioDiProva::Scrivi(archivio(), {ArchivioDiProva::Semplice(u"Bianchi"_s, u"08/03/2024"_s,
                                                                   u"B2"_s, u"Analisi"_s)});
    QVERIFY(m.Carica(archivio()));
    QCOMPARE(m.rowCount(), 1);
    QCOMPARE(m.Cella(0, 3), u"Bianchi"_s);
    QCOMPARE(m.Cella(0, 13), QString());
}

namespace {

using Modifiche = QList<std::pair<QPoint, QString>>; // (column, row) and the text typed

void ImpostaByte(TScheda &s, Campo c, const QByteArray &b, int lunghezza)
{
    char *p = s.byte.data() + TScheda::Offset(c);
    p[0] = char(lunghezza);
    std::memcpy(p + 1, b.constData(), size_t(std::min<qsizetype>(b.size(), TScheda::Capacita(c))));
}

// A record per byte value: every exported field holds the byte at its edges,
// inside, and beside markup, blanks and the other bytes.
QList<TScheda> OgniByte()
{
    QList<TScheda> schede;
    for (int v = 0; v < 256; ++v) {
        const char b = char(v);
        TScheda s;
        for (int k = 1; k < ModelloRegistro::NumeroColonne; ++k) {
            const Campo c = ModelloRegistro::Colonne()[size_t(k)].campo;
            QByteArray t = QByteArray(1, b) + "a" + b + "<&" + b + ">\"" + char((v + k) & 0xFF) + " " + b;
            ImpostaByte(s, c, t, std::min<int>(int(t.size()), TScheda::Capacita(c)));
        }
        schede << s;
    }
    return schede;
}

} // namespace

void TestModelloRegistro::esportazione_comeDalTestoDelleCelle_data()
{
    QTest::addColumn<QList<TScheda>>("schede");
    QTest::addColumn<Modifiche>("modifiche");

    QTest::newRow("nessuna scheda") << QList<TScheda>{} << Modifiche{};
    QTest::newRow("ogni byte in ogni campo") << OgniByte() << Modifiche{};

    TScheda spazi, oltre;
    for (int k = 1; k < ModelloRegistro::NumeroColonne; ++k) {
        const Campo c = ModelloRegistro::Colonne()[size_t(k)].campo;
        ImpostaByte(spazi, c, QByteArray(" \t\x01valore \r\n\x00", 13), 13);
        QByteArray pieno;
        for (int i = 0; i < TScheda::Capacita(c); ++i)
            pieno += char(0x20 + (i * 37) % 0xE0);
        ImpostaByte(oltre, c, pieno, 255); // a damaged length reads as the capacity
    }
    QTest::newRow("spazi e controlli attorno, lunghezza oltre la capacità")
        << QList<TScheda>{spazi, oltre, TScheda()} << Modifiche{};
    QTest::newRow("celle modificate")
        << OgniByte()
        << Modifiche{{{1, 0}, u"  <b>&amp; \"€\" \u0081 \u20AC  "_s},
                     {{3, 5}, u"\U0001F600 ✓ Ω \x01\t"_s},
                     {{9, 200}, u"\xD800 solo"_s},
                     {{13, 255}, QString()},
                     {{4, 32}, u"\u0178\u017E\u0152 ÿ"_s}};
}

void TestModelloRegistro::esportazione_comeDalTestoDelleCelle()
{
    QFETCH(QList<TScheda>, schede);
    QFETCH(Modifiche, modifiche);
    ArchivioDiProva::Scrivi(archivio(), schede);
    ModelloRegistro m;
    QVERIFY(m.Carica(archivio()));
    for (const auto &[cella, testo] : modifiche)
        QVERIFY(m.setData(m.index(cella.y(), cella.x()), testo));

    const QByteArray dalTesto = DocumentoExcel::Documento(m.NumeroRighe(), [&m](qint64 r, int c) {
        return m.Cella(r, c);
    });
    QByteArray dalModello;
    QBuffer b(&dalModello);
    QVERIFY(b.open(QIODevice::WriteOnly));
    QVERIFY(DocumentoExcel::Scrivi(b, m.NumeroRighe(), [&m](std::string &d, qint64 r) {
        m.AggiungiRigaEsportata(d, r);
    }));
    QCOMPARE(dalModello.size(), dalTesto.size());
    QVERIFY(dalModello == dalTesto);
    for (const auto &[cella, testo] : modifiche)
        QVERIFY(dalModello.contains(DocumentoExcel::TestoCella(testo)));
}

namespace {

// A payee's fields: payee, tax code, product code, type, product.
using Beneficiario = std::array<QString, 5>;
constexpr std::array<Campo, 5> kCampiBeneficiario = {Campo::Fornitore, Campo::CodFisc, Campo::Codice,
                                                     Campo::Tipologia, Campo::Servizi};
constexpr std::array<int, 5> kColonneBeneficiario = {3, 4, 6, 7, 8};

// Loads the grid with the reading split from perParte records per half.
bool CaricaInParti(ModelloRegistro &m, const QString &archivio, qint64 perParte)
{
    const qint64 predefinite = SchedePerParte();
    ImpostaSchedePerParte(perParte);
    const bool caricato = m.Carica(archivio);
    ImpostaSchedePerParte(predefinite);
    return caricato;
}

} // namespace

void TestModelloRegistro::beneficiariRipetuti_data()
{
    QTest::addColumn<QList<Beneficiario>>("beneficiari");
    QTest::addColumn<qint64>("perParte");

    const Beneficiario enel{u"ENEL ENERGIA"_s, u"06655971007"_s, u"LUCE"_s, u"Utenze"_s, u"Luce"_s};
    const Beneficiario gas{u"ENEL ENERGIA"_s, u"06655971007"_s, u"LUCE"_s, u"Utenze"_s, u"Gas"_s};
    const Beneficiario vuoto{};
    // Same bytes one after the other, with the boundary between two fields moved.
    const Beneficiario ab{u"AB"_s, u"C"_s, u"X"_s, u"Y"_s, u"Z"_s};
    const Beneficiario a{u"A"_s, u"BC"_s, u"X"_s, u"Y"_s, u"Z"_s};
    // Two payees the fingerprint does not tell apart: a load must compare their bytes.
    Beneficiario primo, secondo;
    {
        QHash<quint32, QString> visti;
        for (int n = 0; secondo[0].isEmpty(); ++n) {
            const QString nome = u"Beneficiario %1"_s.arg(n);
            TScheda s;
            s.ImpostaTesto(Campo::Fornitore, nome);
            const quint32 impronta = ModelloRegistro::ImprontaComuni(s);
            if (visti.contains(impronta)) {
                primo[0] = visti.value(impronta);
                secondo[0] = nome;
            }
            visti.insert(impronta, nome);
        }
    }
    const QList<QList<Beneficiario>> casi{
        {enel, enel, enel},
        {enel, gas, enel, gas, gas},
        {vuoto, enel, vuoto, vuoto},
        {ab, a, ab, a},
        {primo, secondo, primo, secondo},
    };
    const char *const nomi[] = {"lo stesso su ogni scheda", "un campo diverso, a turno",
                                "campi vuoti", "stessi byte, confini spostati",
                                "stessa impronta, byte diversi"};
    for (qsizetype i = 0; i < casi.size(); ++i) {
        // Repeated, so that the two halves of a split reading meet each
        // payee, the second beginning anywhere in the sequence.
        QList<Beneficiario> lunga;
        for (int r = 0; r < 9; ++r)
            lunga << casi[i];
        QTest::addRow("%s, in una parte", nomi[i]) << lunga << std::numeric_limits<qint64>::max();
        QTest::addRow("%s, in due parti", nomi[i]) << lunga << qint64(0);
    }
}

void TestModelloRegistro::beneficiariRipetuti()
{
    QFETCH(QList<Beneficiario>, beneficiari);
    QFETCH(qint64, perParte);
    QList<TScheda> schede;
    for (qsizetype i = 0; i < beneficiari.size(); ++i) {
        TScheda s = ArchivioDiProva::Scheda({{Campo::NumDoc, QString::number(i)},
                                             {Campo::Dettagli, u"Dettaglio %1"_s.arg(i)}});
        for (size_t k = 0; k < kCampiBeneficiario.size(); ++k)
            s.ImpostaTesto(kCampiBeneficiario[k], beneficiari[i][k]);
        schede << s;
    }
    ArchivioDiProva::Scrivi(archivio(), schede);

    ModelloRegistro m;
    const bool caricato = CaricaInParti(m, archivio(), perParte);
    QVERIFY(caricato);
    QCOMPARE(m.NumeroRighe(), beneficiari.size());
    std::string documento;
    for (qsizetype i = 0; i < beneficiari.size(); ++i) {
        QCOMPARE(m.Cella(i, 1), QString::number(i));
        QCOMPARE(m.Cella(i, 9), u"Dettaglio %1"_s.arg(i));
        for (size_t k = 0; k < kColonneBeneficiario.size(); ++k)
            QCOMPARE(m.Cella(i, kColonneBeneficiario[k]), beneficiari[i][k]);
        // The export walks the row's fields by itself: the same cells.
        std::string riga, attesa;
        m.AggiungiRigaEsportata(riga, i);
        for (int c = 1; c < ModelloRegistro::NumeroColonne; ++c)
            DocumentoExcel::AggiungiCella(attesa, c, m.Cella(i, c));
        QCOMPARE(QByteArray::fromStdString(riga), QByteArray::fromStdString(attesa));
    }
}

void TestModelloRegistro::letturaInterrotta_data()
{
    QTest::addColumn<qint64>("perParte");
    QTest::newRow("in una parte") << std::numeric_limits<qint64>::max();
    QTest::newRow("in due parti") << qint64(1);
}

void TestModelloRegistro::letturaInterrotta()
{
    // The archive is cut short to 150 records once the first block is read,
    // inside the first half: the rows read whole from the first stay, and
    // none of the second half, which follows the gap.
    QFETCH(qint64, perParte);
    const QList<TScheda> schede = ArchivioDiProva::Numerate(600);
    ArchivioDiProva::Scrivi(archivio(), schede);
    bool tagliato = false;
    const Avanzamento::Ascolto ascolto([&](qint64, qint64) {
        if (!std::exchange(tagliato, true))
            QVERIFY(QFile::resize(archivio(), 150 * TScheda::Dimensione));
    });
    ModelloRegistro m;
    const bool caricato = CaricaInParti(m, archivio(), perParte);
    QVERIFY(tagliato);
    QVERIFY(!caricato);
    QVERIFY(m.NumeroRighe() > 0);
    QVERIFY(m.NumeroRighe() < 150);
    QCOMPARE(m.rowCount(), int(m.NumeroRighe()));
    for (qint64 i = 0; i < m.NumeroRighe(); ++i)
        QCOMPARE(m.Cella(i, 3), schede[i].Testo(Campo::Fornitore));
}

QTEST_GUILESS_MAIN(TestModelloRegistro)
#include "tst_modello_registro.moc"
