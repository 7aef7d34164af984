// A record is rewritten in place only if the file still holds the bytes the
// caller loaded, compared under the archive's lock; the program folder's lock
// tells a second copy of the program that the first is there; a date typed
// on the keyboard is read as typed or not at all.
#include "ArchivioDiProva.h"
#include "register/Archivio.h"
#include "register/BloccoCartella.h"
#include "register/DataDigitata.h"
#include "register/Salvataggio.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

class TestSchedaCambiata : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void riscritturaControllata_data();
    void riscritturaControllata();
    void salvataggio_schedaCambiata();
    void bloccoCartella();
    void dataDigitata_data();
    void dataDigitata();

private:
    QString percorso() const { return Archivio::Percorso(m_dir->path()); }
    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestSchedaCambiata::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    ArchivioDiProva::Scrivi(percorso(), ArchivioDiProva::Numerate(3));
}

void TestSchedaCambiata::cleanup() { BloccoCartella::RilasciaBloccoCartella(); }

void TestSchedaCambiata::riscritturaControllata_data()
{
    QTest::addColumn<QString>("altrove"); // what happens to record 2 after it is loaded
    QTest::addColumn<bool>("scritta");
    QTest::newRow("nulla") << "nulla" << true;
    QTest::newRow("un campo cambiato") << "campo" << false;
    // Bytes after a field's text are not shown, but they are the record's.
    QTest::newRow("un byte residuo cambiato") << "residuo" << false;
    QTest::newRow("archivio accorciato") << "accorciato" << false;
    QTest::newRow("riscritta uguale") << "uguale" << true;
}

void TestSchedaCambiata::riscritturaControllata()
{
    QFETCH(QString, altrove);
    QFETCH(bool, scritta);
    TScheda caricata;
    {
        Archivio a(percorso());
        a.ApriArchivio();
        caricata = a.LeggiScheda(1);
        a.Chiudi();
    }
    TScheda altra = caricata;
    if (altrove == u"campo")
        altra.ImpostaTesto(Campo::Fornitore, QStringLiteral("Altro"));
    else if (altrove == u"residuo")
        altra.byte[size_t(TScheda::Offset(Campo::Note) + 200)] = 'x';
    if (altrove == u"accorciato") {
        ArchivioDiProva::Scrivi(percorso(), {ArchivioDiProva::Numerate(3).at(0)});
    } else if (altrove != u"nulla") {
        Archivio b(percorso());
        b.ApriArchivio();
        b.ScriviScheda(1, altra);
        b.Chiudi();
    }
    const QByteArray prima = ArchivioDiProva::Leggi(percorso());

    TScheda nuova = caricata;
    nuova.ImpostaTesto(Campo::Note, QStringLiteral("nuova"));
    Archivio a(percorso());
    a.ApriArchivio();
    if (scritta) {
        a.ScriviSchedaSeInvariata(1, caricata, nuova);
        a.Chiudi();
        const QByteArray dopo = ArchivioDiProva::Leggi(percorso());
        QCOMPARE(dopo.mid(TScheda::Dimensione, TScheda::Dimensione),
                 QByteArray(nuova.byte.data(), TScheda::Dimensione));
        return;
    }
    try {
        a.ScriviSchedaSeInvariata(1, caricata, nuova);
        QFAIL("rewritten over a record changed elsewhere");
    } catch (const SchedaCambiata &e) {
        QCOMPARE(e.indice, qint64(1));
        QCOMPARE(e.attuale.has_value(), altrove != u"accorciato");
        if (e.attuale)
            QCOMPARE(QByteArray(e.attuale->byte.data(), TScheda::Dimensione),
                     QByteArray(altra.byte.data(), TScheda::Dimensione));
    }
    a.Chiudi();
    QCOMPARE(ArchivioDiProva::Leggi(percorso()), prima);
    QVERIFY(!QFileInfo::exists(Archivio::PercorsoDiario(percorso())));
}

void TestSchedaCambiata::salvataggio_schedaCambiata()
{
    const QList<TScheda> schede = ArchivioDiProva::Numerate(3);
    TScheda altra = schede.at(2);
    altra.ImpostaTesto(Campo::Codice, QStringLiteral("ALTRO"));
    {
        Archivio b(percorso());
        b.ApriArchivio();
        b.ScriviScheda(2, altra);
        b.Chiudi();
    }
    TScheda nuova = schede.at(2);
    nuova.ImpostaTesto(Campo::Note, QStringLiteral("nuova"));
    const QDate oggi(2024, 3, 15);
    const EsitoSalvataggio e = SalvaScheda(m_dir->path(), nuova, 3, oggi, &schede.at(2));
    QCOMPARE(e.stato, EsitoSalvataggio::Stato::Cambiata);
    QVERIFY(!e.posizione);
    QVERIFY(e.attuale);
    QCOMPARE(e.attuale->Testo(Campo::Codice), QStringLiteral("ALTRO"));
    // Over the version now seen, the rewrite goes ahead.
    const EsitoSalvataggio f = SalvaScheda(m_dir->path(), nuova, 3, oggi, &*e.attuale);
    QCOMPARE(f.stato, EsitoSalvataggio::Stato::Salvata);
    QCOMPARE(f.posizione, std::optional<qint64>(3));
    const QByteArray dopo = ArchivioDiProva::Leggi(percorso());
    QCOMPARE(dopo.mid(2 * TScheda::Dimensione), QByteArray(nuova.byte.data(), TScheda::Dimensione));
}

void TestSchedaCambiata::bloccoCartella()
{
    QString chi = QStringLiteral("non toccato");
    QCOMPARE(BloccoCartella::PrendiBloccoCartella(m_dir->path(), &chi), BloccoCartella::Esito::Preso);
    QCOMPARE(chi, QStringLiteral("non toccato"));
    // Asked again within the same program: held already.
    QCOMPARE(BloccoCartella::PrendiBloccoCartella(m_dir->path()), BloccoCartella::Esito::Preso);
    const QString file = QDir(m_dir->path()).filePath(BloccoCartella::NomeFile());
    QCOMPARE(QFileInfo(file).permissions() & (QFile::ReadGroup | QFile::ReadOther), QFileDevice::Permissions());

    // Another copy of the program (another open of the file) finds it held.
    const int altra = ::open(QFile::encodeName(file).constData(), O_RDWR | O_CLOEXEC);
    QVERIFY(altra >= 0);
    QCOMPARE(::flock(altra, LOCK_EX | LOCK_NB), -1);
    BloccoCartella::RilasciaBloccoCartella();
    QCOMPARE(::flock(altra, LOCK_EX | LOCK_NB), 0);
    const QByteArray scritto = "anna\nufficio\n77\n";
    QVERIFY(::ftruncate(altra, 0) == 0);
    QCOMPARE(::pwrite(altra, scritto.constData(), size_t(scritto.size()), 0), ssize_t(scritto.size()));
    QCOMPARE(BloccoCartella::PrendiBloccoCartella(m_dir->path(), &chi), BloccoCartella::Esito::InUso);
    QCOMPARE(chi, QStringLiteral("anna sul computer ufficio"));
    ::close(altra);
    QCOMPARE(BloccoCartella::PrendiBloccoCartella(m_dir->path()), BloccoCartella::Esito::Preso);

    // A folder that cannot hold the file: no lock, and nothing else fails.
    QCOMPARE(BloccoCartella::PrendiBloccoCartella(m_dir->filePath(QStringLiteral("manca"))),
             BloccoCartella::Esito::NonDisponibile);
    // A link in its place is never followed.
    QTemporaryDir seconda;
    const QString bersaglio = seconda.filePath(QStringLiteral("fuori"));
    QVERIFY(QFile::link(bersaglio, QDir(seconda.path()).filePath(BloccoCartella::NomeFile())));
    QCOMPARE(BloccoCartella::PrendiBloccoCartella(seconda.path()), BloccoCartella::Esito::NonDisponibile);
    QVERIFY(!QFileInfo::exists(bersaglio));
}

void TestSchedaCambiata::dataDigitata_data()
{
    QTest::addColumn<QString>("testo");
    QTest::addColumn<QDate>("attesa"); // invalid: no date
    QTest::newRow("05/03/2024") << "05/03/2024" << QDate(2024, 3, 5);
    QTest::newRow("5/3/2024") << "5/3/2024" << QDate(2024, 3, 5);
    QTest::newRow("31122023") << "31122023" << QDate(2023, 12, 31);
    QTest::newRow("con blanchi intorno") << " 15/06/2023 " << QDate(2023, 6, 15);
    QTest::newRow("29/02/2024") << "29/02/2024" << QDate(2024, 2, 29);
    QTest::newRow("29/02/2023") << "29/02/2023" << QDate();
    QTest::newRow("31/02/2024") << "31/02/2024" << QDate();
    QTest::newRow("2/13/2024") << "2/13/2024" << QDate();
    QTest::newRow("00/01/2024") << "00/01/2024" << QDate();
    QTest::newRow("2") << "2" << QDate();
    QTest::newRow("05/03") << "05/03" << QDate();
    QTest::newRow("05/03/24") << "05/03/24" << QDate();
    QTest::newRow("5032024, sette cifre") << "5032024" << QDate();
    QTest::newRow("05/032024") << "05/032024" << QDate();
    QTest::newRow("anno zero") << "01/01/0000" << QDate();
    QTest::newRow("vuota") << "" << QDate();
}

void TestSchedaCambiata::dataDigitata()
{
    QFETCH(QString, testo);
    QFETCH(QDate, attesa);
    const auto d = LeggiDataDigitata(testo);
    QCOMPARE(d.has_value(), attesa.isValid());
    if (d)
        QCOMPARE(*d, attesa);
}

QTEST_GUILESS_MAIN(TestSchedaCambiata)
#include "tst_scheda_cambiata.moc"
