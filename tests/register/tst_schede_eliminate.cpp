// Removing a record and putting it back, and restoring a copy of the archive,
// on real files: what leaves the archive is kept byte for byte before the
// archive loses it, a cut at any step leaves the archive old or new and the
// record in one place at least, and the scans read the moved records right.
#include "ArchivioDiProva.h"
#include "FileGuasto.h"

#include "lists/RicercaSchede.h"
#include "register/Archivio.h"
#include "register/CopieGiornaliere.h"
#include "register/CopieSicurezza.h"
#include "register/SchedeEliminate.h"
#include "summary/Riepilogo.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

namespace {

constexpr qint64 R = TScheda::Dimensione;
const QDate kOggi(2024, 3, 15);
using Stato = EsitoModifica::Stato;

QByteArray Byte(const TScheda &s) { return QByteArray(s.byte.data(), R); }

QByteArray Senza(const QList<TScheda> &l, int indice)
{
    QByteArray b;
    for (int i = 0; i < l.size(); ++i)
        if (i != indice)
            b += Byte(l.at(i));
    return b;
}

QByteArray Tutte(const QList<TScheda> &l) { return Senza(l, -1); }

// Files of the folder other than those the program keeps: stray temporaries.
QStringList Estranei(const QString &cartella)
{
    const QStringList noti = {Archivio::NomeFile(), SchedeEliminate::NomeFile(),
                              SchedeEliminate::NomeFile() + QStringLiteral("-date"), CopieGiornaliere::NomeCartella()};
    QStringList estranei;
    for (const QString &f : QDir(cartella).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden))
        if (!noti.contains(f))
            estranei << f;
    return estranei;
}

// Mixed records: some still to settle, amounts and dates told apart.
QList<TScheda> Miste()
{
    QList<TScheda> l;
    for (int i = 1; i <= 6; ++i)
        l << ArchivioDiProva::Semplice(QStringLiteral("Fornitore %1").arg(i),
                                       QStringLiteral("%1/02/2024").arg(i * 3, 2, 10, QLatin1Char('0')),
                                       QStringLiteral("COD%1").arg(i % 2), QStringLiteral("Servizio %1").arg(i),
                                       QStringLiteral("%1,50").arg(i * 7), i % 3 != 0);
    return l;
}

} // namespace

class TestSchedeEliminate : public QObject {
    Q_OBJECT
private slots:
    void init();

    void elimina_data();
    void elimina();
    void elimina_schedaNonPiuLaStessa_data();
    void elimina_schedaNonPiuLaStessa();
    void eliminaERipristina();
    void ripristina_elencoCambiato();
    void scrittura_suArchivioSostituito_data();
    void scrittura_suArchivioSostituito();
    void elimina_taglio_data();
    void elimina_taglio();
    void elimina_syncFallito_data();
    void elimina_syncFallito();
    void ripristina_taglio();
    void scansioniDopoEliminazione_data();
    void scansioniDopoEliminazione();

    void copie_elencoEDanneggiate();
    void copia_ripristinoSalvaPrimaLAttuale();
    void copia_danneggiataRifiutata_data();
    void copia_danneggiataRifiutata();
    void copia_taglio();

private:
    QString cartella() const { return m_dir->path(); }
    QString archivio() const { return Archivio::Percorso(cartella()); }
    QString eliminate() const { return SchedeEliminate::Percorso(cartella()); }
    QString backup() const { return CopieGiornaliere::Cartella(cartella()); }

    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestSchedeEliminate::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

void TestSchedeEliminate::elimina_data()
{
    QTest::addColumn<int>("quante");
    QTest::addColumn<int>("indice");
    QTest::newRow("la prima di cinque") << 5 << 0;
    QTest::newRow("una di mezzo") << 5 << 2;
    QTest::newRow("l'ultima") << 5 << 4;
    QTest::newRow("l'unica") << 1 << 0;
}

void TestSchedeEliminate::elimina()
{
    QFETCH(int, quante);
    QFETCH(int, indice);
    const QList<TScheda> l = ArchivioDiProva::Numerate(quante, true);
    ArchivioDiProva::Scrivi(archivio(), l);

    const EsitoModifica e = SchedeEliminate::Elimina(cartella(), indice, l.at(indice), kOggi);
    QCOMPARE(e.stato, Stato::Riuscita);
    QCOMPARE(ArchivioDiProva::Leggi(archivio()), Senza(l, indice));
    QCOMPARE(ArchivioDiProva::Leggi(eliminate()), Byte(l.at(indice)));
    QCOMPARE(ArchivioDiProva::Leggi(SchedeEliminate::PercorsoDate(cartella())), QByteArray("15/03/2024\n"));
    // The day's copy was taken before the change.
    QCOMPARE(ArchivioDiProva::Leggi(QDir(backup()).filePath(CopieGiornaliere::NomeCopia(kOggi))), Tutte(l));
    QCOMPARE(Estranei(cartella()), QStringList());
    QCOMPARE(QFileInfo(archivio()).permissions() & (QFile::ReadOther | QFile::ReadGroup), QFileDevice::Permissions());

    const QList<SchedeEliminate::Eliminata> elenco = SchedeEliminate::Elenco(cartella());
    QCOMPARE(elenco.size(), 1);
    QCOMPARE(Byte(elenco.first().scheda), Byte(l.at(indice)));
    QCOMPARE(elenco.first().data, kOggi);
}

void TestSchedeEliminate::elimina_schedaNonPiuLaStessa_data()
{
    QTest::addColumn<int>("indice");
    QTest::addColumn<int>("attesa");
    QTest::newRow("un'altra scheda al suo posto") << 1 << 2;
    QTest::newRow("posizione oltre la fine") << 3 << 2;
}

void TestSchedeEliminate::elimina_schedaNonPiuLaStessa()
{
    QFETCH(int, indice);
    QFETCH(int, attesa);
    const QList<TScheda> l = ArchivioDiProva::Numerate(3);
    ArchivioDiProva::Scrivi(archivio(), l);
    QCOMPARE(SchedeEliminate::Elimina(cartella(), indice, l.at(attesa), kOggi).stato, Stato::Cambiata);
    QCOMPARE(ArchivioDiProva::Leggi(archivio()), Tutte(l));
    QCOMPARE(ArchivioDiProva::Leggi(eliminate()), QByteArray());
}

void TestSchedeEliminate::eliminaERipristina()
{
    const QList<TScheda> l = ArchivioDiProva::Numerate(4);
    ArchivioDiProva::Scrivi(archivio(), l);
    QCOMPARE(SchedeEliminate::Elimina(cartella(), 1, l.at(1), kOggi).stato, Stato::Riuscita);
    QCOMPARE(SchedeEliminate::Elimina(cartella(), 0, l.at(0), kOggi.addDays(1)).stato, Stato::Riuscita);
    QCOMPARE(ArchivioDiProva::Leggi(eliminate()), Byte(l.at(1)) + Byte(l.at(0)));

    // The first removed (record 2) goes back, at the end.
    const EsitoModifica e = SchedeEliminate::Ripristina(cartella(), 0, l.at(1), kOggi.addDays(2));
    QCOMPARE(e.stato, Stato::Riuscita);
    QCOMPARE(e.posizione, qint64(3));
    QCOMPARE(ArchivioDiProva::Leggi(archivio()), Byte(l.at(2)) + Byte(l.at(3)) + Byte(l.at(1)));
    const QList<SchedeEliminate::Eliminata> elenco = SchedeEliminate::Elenco(cartella());
    QCOMPARE(elenco.size(), 1);
    QCOMPARE(Byte(elenco.first().scheda), Byte(l.at(0)));
    QCOMPARE(elenco.first().data, kOggi.addDays(1)); // its date went with it
    QCOMPARE(Estranei(cartella()), QStringList());

    QCOMPARE(SchedeEliminate::Ripristina(cartella(), 0, l.at(0), kOggi).stato, Stato::Riuscita);
    QCOMPARE(ArchivioDiProva::Leggi(archivio()), Byte(l.at(2)) + Byte(l.at(3)) + Byte(l.at(1)) + Byte(l.at(0)));
    QCOMPARE(SchedeEliminate::Elenco(cartella()).size(), 0);
}

void TestSchedeEliminate::ripristina_elencoCambiato()
{
    const QList<TScheda> l = ArchivioDiProva::Numerate(3);
    ArchivioDiProva::Scrivi(archivio(), l);
    QCOMPARE(SchedeEliminate::Elimina(cartella(), 0, l.at(0), kOggi).stato, Stato::Riuscita);
    QCOMPARE(SchedeEliminate::Ripristina(cartella(), 0, l.at(2), kOggi).stato, Stato::Cambiata);
    QCOMPARE(SchedeEliminate::Ripristina(cartella(), 1, l.at(0), kOggi).stato, Stato::Cambiata);
    QCOMPARE(ArchivioDiProva::Leggi(archivio()), Senza(l, 0));
    QCOMPARE(ArchivioDiProva::Leggi(eliminate()), Byte(l.at(0)));
}

void TestSchedeEliminate::scrittura_suArchivioSostituito_data()
{
    QTest::addColumn<int>("indice"); // -1: an append
    QTest::newRow("accodata") << -1;
    QTest::newRow("riscritta") << 0;
}

void TestSchedeEliminate::scrittura_suArchivioSostituito()
{
    // Another program opened the archive, then a removal replaced the file:
    // its write must not go into the file no one reads any more.
    QFETCH(int, indice);
    const QList<TScheda> l = ArchivioDiProva::Numerate(3);
    ArchivioDiProva::Scrivi(archivio(), l);
    Archivio altro(archivio());
    altro.ApriArchivio();
    QCOMPARE(SchedeEliminate::Elimina(cartella(), 1, l.at(1), kOggi).stato, Stato::Riuscita);
    const TScheda nuova = ArchivioDiProva::Semplice(QStringLiteral("Nuova"), QStringLiteral("01/03/2024"),
                                                     QStringLiteral("N"), QStringLiteral("N"));
    if (indice < 0)
        QVERIFY_THROWS_EXCEPTION(ArchivioOccupato, altro.AccodaScheda(nuova));
    else
        QVERIFY_THROWS_EXCEPTION(ArchivioOccupato, altro.ScriviScheda(indice, nuova));
    altro.Chiudi();
    QCOMPARE(ArchivioDiProva::Leggi(archivio()), Senza(l, 1));
    // Opened again, it writes into the archive as it now is.
    Archivio dopo(archivio());
    dopo.ApriArchivio();
    QCOMPARE(dopo.AccodaScheda(nuova), qint64(2));
    dopo.Chiudi();
    QCOMPARE(ArchivioDiProva::Leggi(archivio()), Senza(l, 1) + Byte(nuova));
}

void TestSchedeEliminate::elimina_taglio_data()
{
    // The program dies after this many bytes written, or right after this sync.
    QTest::addColumn<qint64>("byte");
    QTest::addColumn<int>("sync");
    QTest::addColumn<bool>("rinomina"); // or right after the new archive takes the name
    // Syncs: the day's copy, its folder and the folder that got Backup/, the
    // removed record, its date and their folder, the new archive and its
    // folder; the ninth never comes.
    const qint64 copia = 5 * R; // the day's copy comes first
    for (qint64 b : {qint64(0), qint64(100), copia, copia + 100, copia + R, copia + R + 5, copia + R + 11,
                     copia + R + 11 + 100, copia + R + 11 + 2 * R, copia + R + 11 + 4 * R - 1})
        QTest::newRow(qPrintable(QStringLiteral("dopo %1 byte").arg(b))) << b << -1 << false;
    for (int s = 1; s <= 9; ++s)
        QTest::newRow(qPrintable(QStringLiteral("dopo la sincronizzazione %1").arg(s))) << qint64(-1) << s << false;
    QTest::newRow("dopo la ridenominazione") << qint64(-1) << -1 << true;
}

void TestSchedeEliminate::elimina_taglio()
{
    QFETCH(qint64, byte);
    QFETCH(int, sync);
    QFETCH(bool, rinomina);
    const QList<TScheda> l = ArchivioDiProva::Numerate(5);
    ArchivioDiProva::Scrivi(archivio(), l);
    bool interrotta = false;
    {
        FileGuasto disco;
        disco.byteConcessi = byte;
        disco.taglioDopoSync = sync;
        // The day's copy is renamed into place first: the cut meant here
        // comes after the new archive takes the archive's name.
        if (rinomina)
            disco.taglioDopoRinominaIn = QStringLiteral("Operazioni_Pagamenti.pro");
        try {
            QCOMPARE(SchedeEliminate::Elimina(cartella(), 2, l.at(2), kOggi).stato, Stato::Riuscita);
        } catch (const Interruzione &) {
            interrotta = true;
        }
    }
    const QByteArray dopo = ArchivioDiProva::Leggi(archivio());
    const QByteArray tolte = ArchivioDiProva::Leggi(eliminate());
    // Old or new, never a mix; gone from the archive only when kept whole.
    QVERIFY2(dopo == Tutte(l) || dopo == Senza(l, 2), qPrintable(QString::number(dopo.size())));
    if (dopo == Senza(l, 2))
        QCOMPARE(tolte.left(R), Byte(l.at(2)));
    QCOMPARE(interrotta, sync != 9);
    if (rinomina)
        QCOMPARE(dopo, Senza(l, 2));
    if (!interrotta)
        QCOMPARE(dopo, Senza(l, 2));
    // What the next start finds: the archive whole, and a removal that can be
    // made again and leaves the record kept.
    if (dopo == Tutte(l)) {
        QCOMPARE(SchedeEliminate::Elimina(cartella(), 2, l.at(2), kOggi).stato, Stato::Riuscita);
        QCOMPARE(ArchivioDiProva::Leggi(archivio()), Senza(l, 2));
        const QList<SchedeEliminate::Eliminata> elenco = SchedeEliminate::Elenco(cartella());
        QVERIFY(!elenco.isEmpty());
        QCOMPARE(Byte(elenco.last().scheda), Byte(l.at(2)));
    }
}

void TestSchedeEliminate::elimina_syncFallito_data()
{
    QTest::addColumn<QString>("file");
    QTest::newRow("le schede eliminate") << SchedeEliminate::NomeFile();
    QTest::newRow("le date") << SchedeEliminate::NomeFile() + QStringLiteral("-date");
}

void TestSchedeEliminate::elimina_syncFallito()
{
    QFETCH(QString, file);
    const QList<TScheda> l = ArchivioDiProva::Numerate(3);
    ArchivioDiProva::Scrivi(archivio(), l);
    // An earlier removal stays as it was.
    QCOMPARE(SchedeEliminate::Elimina(cartella(), 0, l.at(0), kOggi).stato, Stato::Riuscita);
    const QByteArray prima = ArchivioDiProva::Leggi(eliminate());
    {
        FileGuasto disco;
        disco.syncFallito = file;
        disco.syncDaFallire = 1;
        const EsitoModifica e = SchedeEliminate::Elimina(cartella(), 1, l.at(2), kOggi);
        QCOMPARE(e.stato, Stato::NonRiuscita);
        QVERIFY(!e.dettaglio.isEmpty());
    }
    QCOMPARE(ArchivioDiProva::Leggi(archivio()), Senza(l, 0));
    QCOMPARE(ArchivioDiProva::Leggi(eliminate()), prima);
    QCOMPARE(SchedeEliminate::Elenco(cartella()).size(), 1);
    QCOMPARE(Estranei(cartella()), QStringList());
}

void TestSchedeEliminate::ripristina_taglio()
{
    const QList<TScheda> l = ArchivioDiProva::Numerate(3);
    for (int sync = 1; sync <= 10; ++sync) {
        init();
        ArchivioDiProva::Scrivi(archivio(), l);
        QCOMPARE(SchedeEliminate::Elimina(cartella(), 0, l.at(0), kOggi).stato, Stato::Riuscita);
        {
            FileGuasto disco;
            disco.taglioDopoSync = sync;
            try {
                SchedeEliminate::Ripristina(cartella(), 0, l.at(0), kOggi);
            } catch (const Interruzione &) {
            }
        }
        const QByteArray dopo = ArchivioDiProva::Leggi(archivio());
        const QByteArray tolte = ArchivioDiProva::Leggi(eliminate());
        QVERIFY(dopo == Senza(l, 0) || dopo == Senza(l, 0) + Byte(l.at(0)));
        // Never in neither place.
        QVERIFY2(dopo.size() == 3 * R || tolte == Byte(l.at(0)), qPrintable(QString::number(sync)));
        QVERIFY(tolte == Byte(l.at(0)) || tolte.isEmpty());
    }
}

void TestSchedeEliminate::scansioniDopoEliminazione_data()
{
    QTest::addColumn<int>("indice");
    for (int i = 0; i < 6; ++i)
        QTest::newRow(qPrintable(QStringLiteral("tolta la %1").arg(i + 1))) << i;
}

void TestSchedeEliminate::scansioniDopoEliminazione()
{
    QFETCH(int, indice);
    const QList<TScheda> l = Miste();
    ArchivioDiProva::Scrivi(archivio(), l);
    QCOMPARE(SchedeEliminate::Elimina(cartella(), indice, l.at(indice), kOggi).stato, Stato::Riuscita);

    // Each line against the record the archive's bytes hold at its position.
    const QByteArray b = ArchivioDiProva::Leggi(archivio());
    const auto inArchivio = [&](qint64 i) {
        TScheda s;
        std::memcpy(s.byte.data(), b.constData() + i * R, size_t(R));
        return s;
    };
    const auto verifica = [&](const RigheScheda &righe, const std::function<bool(const TScheda &)> &tenuta) {
        QList<qint64> attese;
        for (qint64 i = 0; i < b.size() / R; ++i)
            if (tenuta(inArchivio(i)))
                attese << i;
        QCOMPARE(righe.Posizioni(), attese);
        for (int k = 0; k < righe.size(); ++k)
            QCOMPARE(righe.righe.at(k), RigaScheda(inArchivio(righe.Posizioni().at(k))));
    };
    // The removed record is in none of them.
    const QString tolta = RigaScheda(l.at(indice));

    const RigheScheda tutte = CercaSchede(archivio(), {});
    verifica(tutte, [](const TScheda &) { return true; });
    QVERIFY(!tutte.righe.Elenco().contains(tolta));

    const RigheScheda cod1 = CercaSchede(archivio(), {{Campo::Codice, QStringLiteral("cod1")}});
    verifica(cod1, [](const TScheda &s) { return s.Testo(Campo::Codice) == QStringLiteral("COD1"); });

    const RigheScheda sospese = ContiDaSaldare(archivio());
    verifica(sospese, [](const TScheda &s) { return s.Testo(Campo::DaSaldare) == QStringLiteral("Sì"); });
    QVERIFY(!sospese.righe.Elenco().contains(tolta));

    CriteriRiepilogo c;
    c.inizio = QDate(2024, 2, 1);
    c.fine = QDate(2024, 2, 29);
    const Riepilogo r = CostruisciRiepilogo(archivio(), c);
    verifica(r.righe, [](const TScheda &) { return true; });
    double totale = 0;
    for (int i = 0; i < l.size(); ++i)
        if (i != indice)
            totale += (i + 1) * 7 + 0.5;
    QCOMPARE(r.totale, totale);
}

void TestSchedeEliminate::copie_elencoEDanneggiate()
{
    QDir().mkpath(backup());
    const QList<TScheda> l = ArchivioDiProva::Numerate(4);
    ArchivioDiProva::Scrivi(archivio(), l);
    ArchivioDiProva::Scrivi(QDir(backup()).filePath(QStringLiteral("Operazioni_Pagamenti-20240310.pro")), l.mid(0, 2));
    ArchivioDiProva::Scrivi(QDir(backup()).filePath(QStringLiteral("Operazioni_Pagamenti-20240312.pro")), l.mid(0, 3),
                            QByteArray(100, 'x'));
    ArchivioDiProva::Scrivi(QDir(backup()).filePath(QStringLiteral("Operazioni_Pagamenti-20240312-180000.pro")), l);
    ArchivioDiProva::Scrivi(QDir(backup()).filePath(QStringLiteral("Operazioni_Pagamenti-20240313.pro")), {},
                            QByteArray(50, 'x'));
    ArchivioDiProva::Scrivi(QDir(backup()).filePath(QStringLiteral("altro.pro")), l);

    const QList<CopieSicurezza::Copia> copie = CopieSicurezza::Elenco(cartella());
    QStringList nomi;
    for (const auto &c : copie)
        nomi << c.nome;
    QCOMPARE(nomi, (QStringList{QStringLiteral("Operazioni_Pagamenti-20240313.pro"),
                                QStringLiteral("Operazioni_Pagamenti-20240312-180000.pro"),
                                QStringLiteral("Operazioni_Pagamenti-20240312.pro"),
                                QStringLiteral("Operazioni_Pagamenti-20240310.pro")}));
    QCOMPARE(copie.at(0).danneggiata, true);
    QCOMPARE(copie.at(1).danneggiata, false);
    QCOMPARE(copie.at(1).schede, qint64(4));
    QCOMPARE(copie.at(2).danneggiata, true);
    QCOMPARE(copie.at(2).byte, 3 * R + 100);
    QCOMPARE(copie.at(3).schede, qint64(2));
    QCOMPARE(copie.at(3).byte, 2 * R);
    QCOMPARE(CopieSicurezza::Attuale(cartella()).schede, qint64(4));
}

void TestSchedeEliminate::copia_ripristinoSalvaPrimaLAttuale()
{
    QDir().mkpath(backup());
    const QList<TScheda> l = ArchivioDiProva::Numerate(5);
    ArchivioDiProva::Scrivi(archivio(), l);
    const QString vecchia = QStringLiteral("Operazioni_Pagamenti-20240310.pro");
    ArchivioDiProva::Scrivi(QDir(backup()).filePath(vecchia), l.mid(0, 2));
    const QDateTime adesso(kOggi, QTime(10, 30, 0));

    const EsitoModifica e = CopieSicurezza::Ripristina(cartella(), vecchia, adesso);
    QCOMPARE(e.stato, Stato::Riuscita);
    QCOMPARE(e.dettaglio, QStringLiteral("Operazioni_Pagamenti-20240315-103000.pro"));
    QCOMPARE(ArchivioDiProva::Leggi(archivio()), Tutte(l.mid(0, 2)));
    QCOMPARE(ArchivioDiProva::Leggi(QDir(backup()).filePath(e.dettaglio)), Tutte(l));
    QCOMPARE(ArchivioDiProva::Leggi(QDir(backup()).filePath(CopieGiornaliere::NomeCopia(kOggi))), Tutte(l));
    QCOMPARE(Estranei(cartella()), QStringList());
    QCOMPARE(QDir(backup()).entryList(QDir::Files).size(), 3);

    // The restore undone by restoring the copy it kept.
    const EsitoModifica indietro = CopieSicurezza::Ripristina(cartella(), e.dettaglio, adesso.addSecs(60));
    QCOMPARE(indietro.stato, Stato::Riuscita);
    QCOMPARE(ArchivioDiProva::Leggi(archivio()), Tutte(l));
}

void TestSchedeEliminate::copia_danneggiataRifiutata_data()
{
    QTest::addColumn<QByteArray>("contenuto");
    const TScheda s = ArchivioDiProva::Numerate(1).first();
    QTest::newRow("vuota") << QByteArray();
    QTest::newRow("più corta di una scheda") << Byte(s).left(R - 1);
    QTest::newRow("non un numero intero di schede") << Byte(s) + Byte(s).left(10);
}

void TestSchedeEliminate::copia_danneggiataRifiutata()
{
    QFETCH(QByteArray, contenuto);
    QDir().mkpath(backup());
    const QList<TScheda> l = ArchivioDiProva::Numerate(3);
    ArchivioDiProva::Scrivi(archivio(), l);
    const QString nome = QStringLiteral("Operazioni_Pagamenti-20240310.pro");
    ArchivioDiProva::Scrivi(QDir(backup()).filePath(nome), {}, contenuto);
    QVERIFY(CopieSicurezza::Elenco(cartella()).first().danneggiata);
    QCOMPARE(CopieSicurezza::Ripristina(cartella(), nome, QDateTime(kOggi, QTime(9, 0))).stato, Stato::NonRiuscita);
    QCOMPARE(ArchivioDiProva::Leggi(archivio()), Tutte(l));
    QCOMPARE(QDir(backup()).entryList(QDir::Files), QStringList{nome});
}

void TestSchedeEliminate::copia_taglio()
{
    const QList<TScheda> l = ArchivioDiProva::Numerate(4);
    const QString vecchia = QStringLiteral("Operazioni_Pagamenti-20240310.pro");
    for (int sync = 1; sync <= 8; ++sync) {
        init();
        QDir().mkpath(backup());
        ArchivioDiProva::Scrivi(archivio(), l);
        ArchivioDiProva::Scrivi(QDir(backup()).filePath(vecchia), l.mid(0, 1));
        {
            FileGuasto disco;
            disco.taglioDopoSync = sync;
            try {
                CopieSicurezza::Ripristina(cartella(), vecchia, QDateTime(kOggi, QTime(9, 0)));
            } catch (const Interruzione &) {
            }
        }
        const QByteArray dopo = ArchivioDiProva::Leggi(archivio());
        QVERIFY(dopo == Tutte(l) || dopo == Tutte(l.mid(0, 1)));
        // Replaced only once the archive before it is kept.
        if (dopo == Tutte(l.mid(0, 1)))
            QCOMPARE(ArchivioDiProva::Leggi(QDir(backup()).filePath(QStringLiteral("Operazioni_Pagamenti-20240315-090000.pro"))),
                     Tutte(l));
    }
}

QTEST_GUILESS_MAIN(TestSchedeEliminate)
#include "tst_schede_eliminate.moc"
