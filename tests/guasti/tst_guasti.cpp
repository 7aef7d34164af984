#include "ArchivioDiProva.h"
#include "Sequenza.h"
#include "register/Archivio.h"

#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>
#include <csignal>
#include <cstring>
#include <sys/mount.h>
#include <unistd.h>

class TestGuasti : public QObject {
    Q_OBJECT
private slots:
    void discoPieno_duranteAccodamento();
    void scrittoreUcciso_nienteDiScrittoSiPerde();
    void riscrittoreUcciso_ogniSchedaVecchiaONuova();

private:
    static void VerificaSequenza(const QString &percorso, qint64 almeno);
};

void TestGuasti::VerificaSequenza(const QString &percorso, qint64 almeno)
{
    const QByteArray b = ArchivioDiProva::Leggi(percorso);
    const qint64 intere = b.size() / TScheda::Dimensione;
    QVERIFY2(intere >= almeno, qPrintable(QStringLiteral("%1 < %2").arg(intere).arg(almeno)));
    for (qint64 i = 0; i < intere; ++i) {
        const TScheda atteso = SchedaDiSequenza(i);
        QVERIFY2(b.mid(i * TScheda::Dimensione, TScheda::Dimensione)
                     == QByteArray(atteso.byte.data(), TScheda::Dimensione),
                 qPrintable(QStringLiteral("scheda %1 diversa").arg(i + 1)));
    }
    // And the archive still reads end to end.
    qint64 viste = 0;
    ScorriArchivio(percorso, [&](const TScheda &, qint64) { ++viste; return true; });
    QCOMPARE(viste, intere);
}

void TestGuasti::discoPieno_duranteAccodamento()
{
    if (geteuid() != 0)
        QSKIP("mounting a small filesystem needs root");
    QTemporaryDir dir;
    // Four pages: room for six whole records and a part of the seventh.
    if (::mount("valmora-prova", dir.path().toLocal8Bit().constData(), "tmpfs", 0, "size=16k") != 0)
        QSKIP("tmpfs not available here");
    const QString percorso = Archivio::Percorso(dir.path());
    qint64 scritte = 0;
    bool fallita = false;
    for (int k = 0; k < 20 && !fallita; ++k) {
        try {
            Archivio a(percorso);
            a.ApriArchivio();
            a.ScriviScheda(a.NumeroSchede(), SchedaDiSequenza(a.NumeroSchede()));
            a.Chiudi();
            ++scritte;
        } catch (const ErroreArchivio &) {
            fallita = true;
        }
    }
    QVERIFY2(fallita, "the full disk was never reported");
    QVERIFY(scritte >= 5);
    VerificaSequenza(percorso, scritte);
    // A full disk never turns into a success on a later try either.
    QVERIFY_THROWS_EXCEPTION(ErroreArchivio, [&] {
        Archivio a(percorso);
        a.ApriArchivio();
        a.ScriviScheda(a.NumeroSchede(), SchedaDiSequenza(a.NumeroSchede()));
        a.Chiudi();
    }());
    ::umount(dir.path().toLocal8Bit().constData());
}

void TestGuasti::scrittoreUcciso_nienteDiScrittoSiPerde()
{
    QTemporaryDir dir;
    const QString percorso = Archivio::Percorso(dir.path());
    QProcess p;
    p.start(QStringLiteral(SCRITTORE_ARCHIVIO), {percorso, QStringLiteral("1000000")});
    QVERIFY(p.waitForStarted());
    qint64 confermate = 0;
    while (confermate < 300 && p.waitForReadyRead(20000)) {
        while (p.canReadLine())
            confermate = p.readLine().trimmed().toLongLong();
    }
    ::kill(pid_t(p.processId()), SIGKILL);
    p.waitForFinished();
    QVERIFY(confermate >= 300);
    VerificaSequenza(percorso, confermate);
}

void TestGuasti::riscrittoreUcciso_ogniSchedaVecchiaONuova()
{
    QTemporaryDir dir;
    const QString percorso = Archivio::Percorso(dir.path());
    const QString diario = Archivio::PercorsoDiario(percorso);
    constexpr qint64 kSchede = 8;
    constexpr int kUccisioni = 120;
    QList<TScheda> iniziali;
    QList<qint64> versione; // the version each record holds
    for (qint64 i = 0; i < kSchede; ++i) {
        iniziali << SchedaVersione(i, i);
        versione << i;
    }
    ArchivioDiProva::Scrivi(percorso, iniziali);

    QRandomGenerator caso(20261210);
    qint64 passo = kSchede; // the first step the next writer takes
    int conDiario = 0;      // kills that left a rewrite half done
    for (int k = 0; k < kUccisioni; ++k) {
        QProcess p;
        p.start(QStringLiteral(RISCRITTORE_ARCHIVIO),
                {percorso, QString::number(passo), QString::number(kSchede)});
        QVERIFY(p.waitForStarted());
        // Once it is rewriting, kill it at a moment of chance.
        QVERIFY2(p.waitForReadyRead(20000), p.readAllStandardError().constData());
        ::usleep(useconds_t(caso.bounded(3000)));
        ::kill(pid_t(p.processId()), SIGKILL);
        p.waitForFinished();
        qint64 confermato = -1;
        for (const QByteArray &riga : p.readAllStandardOutput().split('\n'))
            if (!riga.trimmed().isEmpty())
                confermato = riga.trimmed().toLongLong();
        QVERIFY(confermato >= passo);
        for (qint64 j = passo; j <= confermato; ++j)
            versione[j % kSchede] = j;
        // The step under way when it died: its record is the old or the new one.
        const qint64 inCorso = confermato + 1;
        if (QFileInfo::exists(diario))
            ++conDiario;

        Archivio a(percorso);
        a.ApriArchivio();
        QCOMPARE(a.NumeroSchede(), kSchede);
        for (qint64 i = 0; i < kSchede; ++i) {
            const TScheda s = a.LeggiScheda(i);
            const auto uguale = [&](qint64 v) {
                return std::memcmp(s.byte.data(), SchedaVersione(i, v).byte.data(), TScheda::Dimensione) == 0;
            };
            if (uguale(versione[i]))
                continue;
            QVERIFY2(inCorso % kSchede == i && uguale(inCorso),
                     qPrintable(QStringLiteral("kill %1: record %2 is neither version %3 nor %4")
                                    .arg(k).arg(i + 1).arg(versione[i]).arg(inCorso)));
            versione[i] = inCorso;
        }
        a.Chiudi();
        QVERIFY(!QFileInfo::exists(diario));
        passo = inCorso + 1;
    }
    qInfo("%d of %d kills left a rewrite half done", conDiario, kUccisioni);
    QVERIFY(conDiario > 0);
    QCOMPARE(QFileInfo(percorso).size(), kSchede * TScheda::Dimensione);
}

QTEST_GUILESS_MAIN(TestGuasti)
#include "tst_guasti.moc"
