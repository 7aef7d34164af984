#include "ArchivioDiProva.h"
#include "SolaLettura.h"
#include "register/Archivio.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>
#include <unistd.h>

class TestArchivio : public QObject {
    Q_OBJECT
private slots:
    void init();
    void offsetDeiCampi_data();
    void offsetDeiCampi();
    void codifica_siComeTreByte();
    void codifica_tagliaAllaCapacita();
    void lettura_ignoraByteResidui();
    void lettura_lunghezzaOltreCapacita();
    void archivioMancante_creatoVuoto();
    void archivioEsistente_maiTroncato();
    void parzialeInCoda_nonLetto();
    void parzialeInCoda_sovrascrittoDalProssimo();
    void scrittura_inPostoEInCoda();
    void scrittura_fuoriDallArchivio();
    void archivioSolaLettura_erroreEIntatto();
    void cartellaMancante_errore();
    void scansione_ordineEFermata();
    void scansione_archivioVuoto();
    void scansione_eccezioneDelVisitatore();
    void scansione_archivioAccorciatoDuranteLaLettura();

private:
    QString percorso() const { return Archivio::Percorso(m_dir->path()); }
    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestArchivio::init() { m_dir = std::make_unique<QTemporaryDir>(); }

void TestArchivio::offsetDeiCampi_data()
{
    QTest::addColumn<int>("campo");
    QTest::addColumn<int>("offset");
    QTest::addColumn<int>("capacita");
    const struct { const char *n; Campo c; int off, cap; } righe[] = {
        {"NumDoc", Campo::NumDoc, 0, 20},       {"DataDoc", Campo::DataDoc, 21, 10},
        {"Fornitore", Campo::Fornitore, 32, 50}, {"CodFisc", Campo::CodFisc, 83, 16},
        {"Data", Campo::Data, 100, 10},          {"Codice", Campo::Codice, 111, 30},
        {"Tipologia", Campo::Tipologia, 142, 50}, {"Servizi", Campo::Servizi, 193, 120},
        {"Dettagli", Campo::Dettagli, 314, 250}, {"Dovuto", Campo::Dovuto, 565, 15},
        {"Acconto", Campo::Acconto, 581, 15},    {"Saldo", Campo::Saldo, 597, 15},
        {"Note", Campo::Note, 613, 250},         {"DaSaldare", Campo::DaSaldare, 864, 2},
        {"File01", Campo::File01, 867, 250},     {"File02", Campo::File02, 1118, 250},
        {"File03", Campo::File03, 1369, 250},    {"Desc01", Campo::Desc01, 1620, 250},
        {"Desc02", Campo::Desc02, 1871, 250},    {"Desc03", Campo::Desc03, 2122, 250},
    };
    for (const auto &r : righe)
        QTest::newRow(r.n) << int(r.c) << r.off << r.cap;
}

void TestArchivio::offsetDeiCampi()
{
    QFETCH(int, campo);
    QFETCH(int, offset);
    QFETCH(int, capacita);
    const Campo c = Campo(campo);
    QCOMPARE(TScheda::Offset(c), offset);
    QCOMPARE(TScheda::Capacita(c), capacita);
    // A full-capacity text lands at offset+1 with its length byte at offset.
    TScheda s;
    const QString pieno(capacita, u'x');
    s.ImpostaTesto(c, pieno);
    QCOMPARE(int(static_cast<unsigned char>(s.byte[offset])), capacita);
    QCOMPARE(QByteArray(s.byte.data() + offset + 1, capacita), QByteArray(capacita, 'x'));
    QCOMPARE(s.Testo(c), pieno);
}

void TestArchivio::codifica_siComeTreByte()
{
    TScheda s;
    s.ImpostaTesto(Campo::DaSaldare, QStringLiteral("Sì"));
    QCOMPARE(QByteArray(s.byte.data() + 864, 3), QByteArray("\x02\x53\xEC", 3));
    s.ImpostaTesto(Campo::DaSaldare, QStringLiteral("No"));
    QCOMPARE(QByteArray(s.byte.data() + 864, 3), QByteArray("\x02\x4E\x6F", 3));
    QCOMPARE(s.Testo(Campo::DaSaldare), QStringLiteral("No"));
}

void TestArchivio::codifica_tagliaAllaCapacita()
{
    TScheda s;
    s.ImpostaTesto(Campo::Dovuto, QStringLiteral("12345678901234567890"));
    QCOMPARE(s.Lunghezza(Campo::Dovuto), 15);
    QCOMPARE(s.Testo(Campo::Dovuto), QStringLiteral("123456789012345"));
    // The field after it is untouched.
    QCOMPARE(int(s.byte[581]), 0);
}

void TestArchivio::lettura_ignoraByteResidui()
{
    TScheda s;
    s.ImpostaTesto(Campo::Fornitore, QStringLiteral("ENEL ENERGIA SPA"));
    s.byte[32] = 4; // length byte: the rest is left-over text
    QCOMPARE(s.Testo(Campo::Fornitore), QStringLiteral("ENEL"));
    s.byte[32] = 0;
    QCOMPARE(s.Testo(Campo::Fornitore), QString());
}

void TestArchivio::lettura_lunghezzaOltreCapacita()
{
    TScheda s;
    s.ImpostaTesto(Campo::DaSaldare, QStringLiteral("No"));
    s.byte[864] = char(200); // damaged length byte
    QCOMPARE(s.Testo(Campo::DaSaldare).size(), 2);
}

void TestArchivio::archivioMancante_creatoVuoto()
{
    QVERIFY(!QFile::exists(percorso()));
    Archivio a(percorso());
    a.ApriArchivio();
    QCOMPARE(a.NumeroSchede(), 0);
    QVERIFY(a.AllaFine());
    a.Chiudi();
    QVERIFY(QFile::exists(percorso()));
    QCOMPARE(QFileInfo(percorso()).size(), 0);
}

void TestArchivio::archivioEsistente_maiTroncato()
{
    const TScheda uno = ArchivioDiProva::Semplice(QStringLiteral("A2A"), QStringLiteral("01/01/2024"),
                                                  QStringLiteral("LUCE"), QStringLiteral("Bolletta"));
    ArchivioDiProva::Scrivi(percorso(), {uno, uno}, QByteArray("xyz"));
    const QByteArray prima = ArchivioDiProva::Leggi(percorso());
    {
        Archivio a(percorso());
        a.ApriArchivio();
        QCOMPARE(a.NumeroSchede(), 2);
        a.LeggiScheda(1);
        a.Chiudi();
    }
    QCOMPARE(ArchivioDiProva::Leggi(percorso()), prima);
}

void TestArchivio::parzialeInCoda_nonLetto()
{
    const TScheda s = ArchivioDiProva::Semplice(QStringLiteral("X"), QStringLiteral("01/01/2024"),
                                                QStringLiteral("C"), QStringLiteral("S"));
    ArchivioDiProva::Scrivi(percorso(), {s, s, s}, QByteArray(2372, 'z'));
    Archivio a(percorso());
    a.ApriArchivio();
    QCOMPARE(a.NumeroSchede(), 3);
    QVERIFY_THROWS_EXCEPTION(ErroreArchivio, a.LeggiScheda(3));
    a.Chiudi();
    int viste = 0;
    ScorriArchivio(percorso(), [&](const TScheda &, qint64) { ++viste; return true; });
    QCOMPARE(viste, 3);
}

void TestArchivio::parzialeInCoda_sovrascrittoDalProssimo()
{
    const TScheda s = ArchivioDiProva::Semplice(QStringLiteral("X"), QStringLiteral("01/01/2024"),
                                                QStringLiteral("C"), QStringLiteral("S"));
    ArchivioDiProva::Scrivi(percorso(), {s}, QByteArray(100, 'z'));
    const TScheda nuova = ArchivioDiProva::Semplice(QStringLiteral("NUOVA"), QStringLiteral("02/01/2024"),
                                                    QStringLiteral("C"), QStringLiteral("S"));
    Archivio a(percorso());
    a.ApriArchivio();
    a.ScriviScheda(a.NumeroSchede(), nuova);
    QCOMPARE(a.Posizione(), 2);
    a.Chiudi();
    const QByteArray b = ArchivioDiProva::Leggi(percorso());
    QCOMPARE(b.size(), 2 * TScheda::Dimensione);
    QCOMPARE(b.mid(TScheda::Dimensione), QByteArray(nuova.byte.data(), TScheda::Dimensione));
}

void TestArchivio::scrittura_inPostoEInCoda()
{
    Archivio a(percorso());
    a.ApriArchivio();
    for (int i = 0; i < 10; ++i) {
        TScheda s;
        s.ImpostaTesto(Campo::NumDoc, QString::number(i + 1));
        a.ScriviScheda(a.NumeroSchede(), s);
        QCOMPARE(a.Posizione(), i + 1);
    }
    TScheda cambiata;
    cambiata.ImpostaTesto(Campo::NumDoc, QStringLiteral("DIECI"));
    a.ScriviScheda(9, cambiata);
    QCOMPARE(a.NumeroSchede(), 10);
    a.Chiudi();
    const QByteArray b = ArchivioDiProva::Leggi(percorso());
    // Record 10 of the user's count starts at byte 21357.
    QCOMPARE(b.mid(21357, 6), QByteArray("\x05" "DIECI"));
    QCOMPARE(b.mid(2373, 2), QByteArray("\x01" "2"));
}

void TestArchivio::scrittura_fuoriDallArchivio()
{
    Archivio a(percorso());
    a.ApriArchivio();
    QVERIFY_THROWS_EXCEPTION(ErroreArchivio, a.ScriviScheda(1, TScheda{}));
    QVERIFY_THROWS_EXCEPTION(ErroreArchivio, a.LeggiScheda(0));
    a.Chiudi();
    QCOMPARE(QFileInfo(percorso()).size(), 0);
}

void TestArchivio::archivioSolaLettura_erroreEIntatto()
{
    const TScheda s = ArchivioDiProva::Semplice(QStringLiteral("X"), QStringLiteral("01/01/2024"),
                                                QStringLiteral("C"), QStringLiteral("S"));
    ArchivioDiProva::Scrivi(percorso(), {s});
    SolaLettura bloccato(percorso());
    if (!bloccato.Riuscita())
        QSKIP("nothing here can make a file read-only");
    const QByteArray prima = ArchivioDiProva::Leggi(percorso());
    Archivio a(percorso());
    QVERIFY_THROWS_EXCEPTION(ErroreArchivio, a.ApriArchivio());
    QVERIFY_THROWS_EXCEPTION(ErroreArchivio, ScorriArchivio(percorso(), [](const TScheda &, qint64) { return true; }));
    QCOMPARE(ArchivioDiProva::Leggi(percorso()), prima);
}

void TestArchivio::cartellaMancante_errore()
{
    Archivio a(Archivio::Percorso(m_dir->filePath(QStringLiteral("non/esiste"))));
    QVERIFY_THROWS_EXCEPTION(ErroreArchivio, a.ApriArchivio());
}

void TestArchivio::scansione_ordineEFermata()
{
    QList<TScheda> schede;
    for (int i = 0; i < 1500; ++i) // several read blocks: each buffer is read into again
        schede << ArchivioDiProva::Scheda({{Campo::NumDoc, QString::number(i)}});
    ArchivioDiProva::Scrivi(percorso(), schede);
    qint64 atteso = 0;
    ScorriArchivio(percorso(), [&](const TScheda &s, qint64 i) {
        [&] { QCOMPARE(i, atteso); QCOMPARE(s.Testo(Campo::NumDoc), QString::number(i)); }();
        ++atteso;
        return true;
    });
    QCOMPARE(atteso, 1500);
    int viste = 0;
    ScorriArchivio(percorso(), [&](const TScheda &, qint64) { return ++viste < 5; });
    QCOMPARE(viste, 5);
}

void TestArchivio::scansione_archivioVuoto()
{
    int viste = 0;
    ScorriArchivio(percorso(), [&](const TScheda &, qint64) { ++viste; return true; });
    QCOMPARE(viste, 0);
    QVERIFY(QFile::exists(percorso()));
}

void TestArchivio::scansione_eccezioneDelVisitatore()
{
    QList<TScheda> schede(1500, ArchivioDiProva::Scheda({{Campo::NumDoc, QStringLiteral("1")}}));
    ArchivioDiProva::Scrivi(percorso(), schede);
    // The visitor's own failure reaches the caller, and the archive reads again.
    QVERIFY_THROWS_EXCEPTION(std::runtime_error, ScorriArchivio(percorso(), [](const TScheda &, qint64 i) {
        if (i == 500)
            throw std::runtime_error("visitatore");
        return true;
    }));
    int viste = 0;
    ScorriArchivio(percorso(), [&](const TScheda &, qint64) { ++viste; return true; });
    QCOMPARE(viste, 1500);
}

void TestArchivio::scansione_archivioAccorciatoDuranteLaLettura()
{
    // Far more than the reader keeps ahead (a few 1 MiB blocks), so that the
    // cut always falls on blocks not yet read, however the threads are timed.
    const int n = 8000;
    QList<TScheda> schede(n, ArchivioDiProva::Scheda({{Campo::NumDoc, QStringLiteral("1")}}));
    ArchivioDiProva::Scrivi(percorso(), schede);
    QVERIFY(qint64(n) * TScheda::Dimensione > 8 * (qint64(1) << 20));
    // Cut short by another program while the first block is read: the scan
    // fails instead of ending early as if the archive were complete.
    int viste = 0;
    QVERIFY_THROWS_EXCEPTION(ErroreArchivio, ScorriArchivio(percorso(), [&](const TScheda &, qint64) {
        if (viste++ == 0)
            QFile::resize(percorso(), 0);
        return true;
    }));
    QVERIFY(viste < n);
}

QTEST_GUILESS_MAIN(TestArchivio)
#include "tst_archivio.moc"
