// A rewrite in place cut short at any byte or after any sync, as a crash or a
// power cut would: reopening gives every record whole, the old one or the new
// one, and no journal is left. A journal that is not this archive's never
// touches it.
#include "ArchivioDiProva.h"
#include "FileGuasto.h"
#include "register/Archivio.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>
#include <sys/stat.h>

namespace {

TScheda Vecchia(int i)
{
    return ArchivioDiProva::Scheda({{Campo::NumDoc, QString::number(i)},
                                    {Campo::Fornitore, QStringLiteral("VECCHIO %1").arg(i)},
                                    {Campo::Note, QString(250, QChar(u'a' + i))}});
}

TScheda Nuova()
{
    return ArchivioDiProva::Scheda({{Campo::NumDoc, QStringLiteral("NUOVA")},
                                    {Campo::Fornitore, QStringLiteral("NUOVO FORNITORE")},
                                    {Campo::Desc03, QString(250, u'Z')}});
}

QByteArray Byte(const TScheda &s) { return QByteArray(s.byte.data(), TScheda::Dimensione); }

} // namespace

class TestDiario : public QObject {
    Q_OBJECT
private slots:
    void init();
    void riscritturaTagliata_ogniByte();
    void accodamentoTagliato_ogniByte();
    void taglioDopoOgniSync_data();
    void taglioDopoOgniSync();
    void ripristinoTagliato_poiCompletato();
    void diarioCaldo_schedaDanneggiata_data();
    void diarioCaldo_schedaDanneggiata();
    void diarioEstraneo_data();
    void diarioEstraneo();
    void syncFallito_riscritturaAnnullata();

private:
    QString percorso() const { return Archivio::Percorso(m_dir->path()); }
    QString diario() const { return Archivio::PercorsoDiario(percorso()); }
    // Three old records, no journal. A new file each time: truncating one
    // makes some file systems flush it at the close, thousands of times here.
    void Prepara()
    {
        QFile::remove(diario());
        QFile::remove(percorso());
        ArchivioDiProva::Scrivi(percorso(), {Vecchia(0), Vecchia(1), Vecchia(2)});
    }
    // Prepara(), then the second record rewritten and synced with its journal
    // left behind: the state a crash between the two leaves.
    void LasciaDiario();
    // Opens as the next action of the program would, then checks every record.
    void VerificaDopoRiapertura(const QList<QByteArray> &attese);
    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestDiario::init() { m_dir = std::make_unique<QTemporaryDir>(); }

void TestDiario::VerificaDopoRiapertura(const QList<QByteArray> &attese)
{
    FileGuasto senzaSync; // no cut: it only spares thousands of real syncs
    Archivio a(percorso());
    a.ApriArchivio();
    QVERIFY2(!QFileInfo::exists(diario()), "journal left behind");
    QCOMPARE(a.NumeroSchede(), qint64(attese.size()));
    for (int i = 0; i < attese.size(); ++i)
        QVERIFY2(Byte(a.LeggiScheda(i)) == attese.at(i), qPrintable(QStringLiteral("record %1").arg(i + 1)));
    a.Chiudi();
}

void TestDiario::riscritturaTagliata_ogniByte()
{
    const QList<QByteArray> vecchie = {Byte(Vecchia(0)), Byte(Vecchia(1)), Byte(Vecchia(2))};
    const QList<QByteArray> nuove = {vecchie[0], Byte(Nuova()), vecchie[2]};
    // How many bytes a whole rewrite writes, journal included.
    qint64 totale = 0;
    {
        Prepara();
        FileGuasto io;
        Archivio a(percorso());
        a.ApriArchivio();
        a.ScriviScheda(1, Nuova());
        a.Chiudi();
        totale = io.scritti;
    }
    QVERIFY(totale > TScheda::Dimensione);
    for (qint64 n = 0; n <= totale; ++n) {
        Prepara();
        bool tagliata = false;
        {
            FileGuasto io;
            io.byteConcessi = n;
            try {
                Archivio a(percorso());
                a.ApriArchivio();
                a.ScriviScheda(1, Nuova());
                a.Chiudi();
            } catch (const Interruzione &) {
                tagliata = true;
            }
        }
        QCOMPARE(tagliata, n < totale);
        // Cut anywhere, the rewrite never happened; whole, it stands.
        VerificaDopoRiapertura(tagliata ? vecchie : nuove);
        if (QTest::currentTestFailed())
            QFAIL(qPrintable(QStringLiteral("cut after %1 bytes").arg(n)));
    }
}

void TestDiario::accodamentoTagliato_ogniByte()
{
    const QList<QByteArray> vecchie = {Byte(Vecchia(0)), Byte(Vecchia(1)), Byte(Vecchia(2))};
    const TScheda dopo = Vecchia(9);
    for (qint64 n = 0; n <= TScheda::Dimensione; ++n) {
        Prepara();
        {
            FileGuasto io;
            io.byteConcessi = n;
            try {
                Archivio a(percorso());
                a.ApriArchivio();
                a.AccodaScheda(Nuova());
                a.Chiudi();
            } catch (const Interruzione &) {
            }
        }
        QList<QByteArray> attese = vecchie;
        if (n == TScheda::Dimensione)
            attese << Byte(Nuova());
        VerificaDopoRiapertura(attese);
        // The partial record is never read and the next append goes over it.
        FileGuasto senzaSync;
        Archivio a(percorso());
        a.ApriArchivio();
        QCOMPARE(a.AccodaScheda(dopo), qint64(attese.size()));
        a.Chiudi();
        VerificaDopoRiapertura(attese << Byte(dopo));
        if (QTest::currentTestFailed())
            QFAIL(qPrintable(QStringLiteral("cut after %1 bytes").arg(n)));
    }
}

void TestDiario::taglioDopoOgniSync_data()
{
    QTest::addColumn<bool>("riscrittura");
    QTest::addColumn<int>("sync");
    QTest::addColumn<bool>("nuova"); // what reopening must give
    // Journal, its folder, the record, the folder after the journal went.
    QTest::newRow("riscrittura, diario") << true << 1 << false;
    QTest::newRow("riscrittura, cartella del diario") << true << 2 << false;
    QTest::newRow("riscrittura, scheda (diario ancora presente)") << true << 3 << false;
    QTest::newRow("riscrittura, cartella senza diario") << true << 4 << true;
    QTest::newRow("accodamento, chiusura") << false << 1 << true;
}

void TestDiario::taglioDopoOgniSync()
{
    QFETCH(bool, riscrittura);
    QFETCH(int, sync);
    QFETCH(bool, nuova);
    Prepara();
    {
        FileGuasto io;
        io.taglioDopoSync = sync;
        QVERIFY_THROWS_EXCEPTION(Interruzione, [&] {
            Archivio a(percorso());
            a.ApriArchivio();
            if (riscrittura)
                a.ScriviScheda(1, Nuova());
            else
                a.AccodaScheda(Nuova());
            a.Chiudi();
        }());
    }
    QList<QByteArray> attese = {Byte(Vecchia(0)), Byte(Vecchia(1)), Byte(Vecchia(2))};
    if (nuova && riscrittura)
        attese[1] = Byte(Nuova());
    else if (nuova)
        attese << Byte(Nuova());
    VerificaDopoRiapertura(attese);
}

void TestDiario::LasciaDiario()
{
    Prepara();
    FileGuasto io;
    io.taglioDopoSync = 3;
    try {
        Archivio a(percorso());
        a.ApriArchivio();
        a.ScriviScheda(1, Nuova());
    } catch (const Interruzione &) {
    }
}

void TestDiario::ripristinoTagliato_poiCompletato()
{
    const QList<QByteArray> vecchie = {Byte(Vecchia(0)), Byte(Vecchia(1)), Byte(Vecchia(2))};
    for (qint64 n = 0; n <= TScheda::Dimensione; ++n) {
        LasciaDiario();
        QVERIFY(QFileInfo::exists(diario()));
        {
            FileGuasto io;
            io.byteConcessi = n;
            try {
                Archivio a(percorso());
                a.ApriArchivio();
                a.Chiudi();
            } catch (const Interruzione &) {
            }
        }
        VerificaDopoRiapertura(vecchie);
        if (QTest::currentTestFailed())
            QFAIL(qPrintable(QStringLiteral("recovery cut after %1 bytes").arg(n)));
    }
    for (int sync = 1; sync <= 2; ++sync) {
        LasciaDiario();
        {
            FileGuasto io;
            io.taglioDopoSync = sync;
            QVERIFY_THROWS_EXCEPTION(Interruzione, [&] {
                Archivio a(percorso());
                a.ApriArchivio();
            }());
        }
        VerificaDopoRiapertura(vecchie);
    }
}

void TestDiario::diarioCaldo_schedaDanneggiata_data()
{
    // What a power loss can leave in the record being rewritten: bytes that
    // are neither the old nor the new ones. A whole journal of this archive
    // puts the old record back all the same.
    QTest::addColumn<int>("inizio");
    QTest::addColumn<QByteArray>("byte");
    QTest::newRow("settore di 512 byte azzerato") << 512 << QByteArray(512, '\0');
    QTest::newRow("pochi byte a caso, strappati in una scrittura") << 40 << QByteArray("\x13\xF7\x00\x99\x42\xAB");
    QTest::newRow("la scheda intera ne' vecchia ne' nuova") << 0 << Byte(Vecchia(7));
    QTest::newRow("scheda tutta a zero") << 0 << QByteArray(TScheda::Dimensione, '\0');
}

void TestDiario::diarioCaldo_schedaDanneggiata()
{
    QFETCH(int, inizio);
    QFETCH(QByteArray, byte);
    LasciaDiario();
    {
        QFile f(percorso());
        QVERIFY(f.open(QIODevice::ReadWrite));
        QVERIFY(f.seek(TScheda::Dimensione + inizio));
        QCOMPARE(f.write(byte), byte.size());
    }
    QVERIFY(ArchivioDiProva::Leggi(percorso()).mid(TScheda::Dimensione, TScheda::Dimensione) != Byte(Vecchia(1)));
    {
        Archivio a(percorso());
        a.ApriArchivio();
        QVERIFY(a.DiarioMessoDaParte().isEmpty());
        a.Chiudi();
    }
    VerificaDopoRiapertura({Byte(Vecchia(0)), Byte(Vecchia(1)), Byte(Vecchia(2))});
    QVERIFY(!QFileInfo::exists(Archivio::PercorsoDiarioEstraneo(percorso())));
}

void TestDiario::diarioEstraneo_data()
{
    QTest::addColumn<QString>("caso");
    // A journal cut short while it was written never reached the record:
    // it just goes. Any other that is not this archive's is kept aside.
    QTest::addColumn<bool>("daParte");
    QTest::newRow("troncato mentre veniva scritto") << QStringLiteral("troncato") << false;
    QTest::newRow("vuoto") << QStringLiteral("vuoto") << false;
    QTest::newRow("un byte cambiato") << QStringLiteral("cambiato") << true;
    QTest::newRow("archivio cresciuto dopo il diario") << QStringLiteral("cresciuto") << true;
    QTest::newRow("archivio sostituito da uno piu' corto") << QStringLiteral("sostituito") << true;
    QTest::newRow("troncato, per un archivio di altra dimensione") << QStringLiteral("troncato altrove") << true;
    QTest::newRow("testo qualsiasi") << QStringLiteral("testo") << true;
    QTest::newRow("collegamento simbolico") << QStringLiteral("collegamento") << true;
    QTest::newRow("FIFO") << QStringLiteral("fifo") << true;
}

void TestDiario::diarioEstraneo()
{
    QFETCH(QString, caso);
    QFETCH(bool, daParte);
    // A genuine journal to start from.
    LasciaDiario();
    QByteArray giornale = ArchivioDiProva::Leggi(diario());
    QVERIFY(!giornale.isEmpty());
    const QString bersaglio = m_dir->filePath(QStringLiteral("altro.bin"));
    if (caso == u"troncato") {
        giornale.chop(1);
    } else if (caso == u"vuoto") {
        QFile f(diario());
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        giornale.clear();
    } else if (caso == u"troncato altrove") {
        giornale.chop(100);
        ArchivioDiProva::Scrivi(percorso(), {Vecchia(0), Vecchia(1), Vecchia(2), Vecchia(3)});
    } else if (caso == u"cambiato") {
        giornale[giornale.size() / 2] = char(giornale[giornale.size() / 2] ^ 1);
    } else if (caso == u"cresciuto") {
        QFile f(percorso());
        QVERIFY(f.open(QIODevice::Append));
        f.write(Byte(Vecchia(3)));
    } else if (caso == u"sostituito") {
        ArchivioDiProva::Scrivi(percorso(), {Nuova(), Nuova()});
    } else if (caso == u"testo") {
        giornale = QByteArray("[Password]\nValore=1\n");
    } else if (caso == u"collegamento") {
        // The genuine journal moved away, a link in its place: never followed.
        QVERIFY(QFile::rename(diario(), bersaglio));
        QVERIFY(QFile::link(bersaglio, diario()));
        giornale.clear();
    } else if (caso == u"fifo") {
        QVERIFY(QFile::remove(diario()));
        QCOMPARE(::mkfifo(QFile::encodeName(diario()).constData(), 0600), 0);
        giornale.clear();
    }
    if (!giornale.isEmpty()) {
        QFile f(diario());
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(giornale);
    }
    const QByteArray prima = ArchivioDiProva::Leggi(percorso());
    const QByteArray bersaglioPrima = ArchivioDiProva::Leggi(bersaglio);

    const bool fileNormale = caso != u"fifo" && caso != u"collegamento";
    const QByteArray giornalePrima = fileNormale ? ArchivioDiProva::Leggi(diario()) : QByteArray();

    Archivio a(percorso());
    a.ApriArchivio();
    const QString messoDaParte = a.DiarioMessoDaParte();
    a.Chiudi();
    QCOMPARE(ArchivioDiProva::Leggi(percorso()), prima);
    QVERIFY(!QFileInfo::exists(diario()) && !QFileInfo(diario()).isSymLink());
    QCOMPARE(ArchivioDiProva::Leggi(bersaglio), bersaglioPrima);
    const QString estraneo = Archivio::PercorsoDiarioEstraneo(percorso());
    if (!daParte) {
        QVERIFY(messoDaParte.isEmpty());
        QVERIFY(!QFileInfo::exists(estraneo));
        return;
    }
    // Kept whole under its new name, and said once: the next open finds nothing.
    QCOMPARE(messoDaParte, estraneo);
    QVERIFY(QFileInfo::exists(estraneo) || QFileInfo(estraneo).isSymLink());
    if (fileNormale)
        QCOMPARE(ArchivioDiProva::Leggi(estraneo), giornalePrima);
    Archivio b(percorso());
    b.ApriArchivio();
    QVERIFY(b.DiarioMessoDaParte().isEmpty());
    b.Chiudi();
}

void TestDiario::syncFallito_riscritturaAnnullata()
{
    // A disk that fails the record's sync: the error says the change is not
    // confirmed, the old record is put straight back and no journal remains.
    Prepara();
    FileGuasto io;
    io.syncFallito = Archivio::NomeFile();
    io.syncDaFallire = 1;
    Archivio a(percorso());
    a.ApriArchivio();
    QVERIFY_THROWS_EXCEPTION(ErroreConferma, a.ScriviScheda(1, Nuova()));
    a.Chiudi();
    QVERIFY(!QFileInfo::exists(diario()));
    QCOMPARE(ArchivioDiProva::Leggi(percorso()), Byte(Vecchia(0)) + Byte(Vecchia(1)) + Byte(Vecchia(2)));
    // An append whose sync fails reports the same at the close.
    io.syncDaFallire = 1;
    Archivio b(percorso());
    b.ApriArchivio();
    QCOMPARE(b.AccodaScheda(Nuova()), 3);
    QVERIFY_THROWS_EXCEPTION(ErroreConferma, b.Chiudi());
}

QTEST_GUILESS_MAIN(TestDiario)
#include "tst_diario.moc"
