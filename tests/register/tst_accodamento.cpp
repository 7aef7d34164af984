#include "register/Archivio.h"

#include <QFile>
#include <QProcess>
#include <QSet>
#include <QTemporaryDir>
#include <QtTest>

// Two programs saving new records into one archive at the same moment.
class TestAccodamento : public QObject {
    Q_OBJECT
private slots:
    void dueProgrammi_nessunaSchedaPersa();
};

void TestAccodamento::dueProgrammi_nessunaSchedaPersa()
{
    QTemporaryDir dir;
    const QString percorso = Archivio::Percorso(dir.path());
    constexpr int kPerProgramma = 500;
    QProcess a, b;
    for (auto [p, tag] : {std::pair{&a, "A"}, std::pair{&b, "B"}})
        p->start(QStringLiteral(ACCODA_SCHEDE),
                 {percorso, QString::fromLatin1(tag), QString::number(kPerProgramma)});
    for (QProcess *p : {&a, &b}) {
        QVERIFY(p->waitForFinished(-1));
        QCOMPARE(p->exitStatus(), QProcess::NormalExit);
        QCOMPARE(p->exitCode(), 0);
    }

    QCOMPARE(QFileInfo(percorso).size(), qint64(2 * kPerProgramma) * TScheda::Dimensione);
    QSet<QString> viste;
    int ultimoA = -1, ultimoB = -1;
    ScorriArchivio(percorso, [&](const TScheda &s, qint64) {
        const QString tag = s.Testo(Campo::Fornitore);
        const int i = s.Testo(Campo::NumDoc).toInt();
        // Whole records only: the long note matches its number.
        if (s.Testo(Campo::Note) != QString(250, QChar(u'a' + i % 26)))
            viste.insert(QStringLiteral("rotta"));
        // Each program's records keep its own order.
        int &ultimo = tag == u"A" ? ultimoA : ultimoB;
        if (i != ultimo + 1)
            viste.insert(QStringLiteral("fuori ordine"));
        ultimo = i;
        viste.insert(tag + QString::number(i));
        return true;
    });
    QVERIFY(!viste.contains(QStringLiteral("rotta")));
    QVERIFY(!viste.contains(QStringLiteral("fuori ordine")));
    QCOMPARE(viste.size(), 2 * kPerProgramma);
}

QTEST_GUILESS_MAIN(TestAccodamento)
#include "tst_accodamento.moc"
