// Removing a record from the editor, the list of removed records and the
// screen of the archive's copies, driven through their real controls on real
// files, with the desktop seam answering the questions.
#include "ArchivioDiProva.h"
#include "FakeDesktop.h"
#include "GuiTest.h"
#include "TestoPdf.h"

#include "app/Avvio.h"
#include "lists/Eliminate.h"
#include "lists/RigaScheda.h"
#include "register/Archivio.h"
#include "register/Copie.h"
#include "register/CopieGiornaliere.h"
#include "register/RegPagamenti.h"
#include "register/SchedeEliminate.h"
#include "ui_Copie.h"
#include "ui_Eliminate.h"
#include "ui_RegPagamenti.h"

#include <QDir>
#include <QtTest>

using namespace GuiTest;

namespace {

constexpr qint64 R = TScheda::Dimensione;
QByteArray Byte(const TScheda &s) { return QByteArray(s.byte.data(), R); }
QByteArray Senza(const QList<TScheda> &l, int indice)
{
    QByteArray b;
    for (int i = 0; i < l.size(); ++i)
        if (i != indice)
            b += Byte(l.at(i));
    return b;
}

} // namespace

class TestEliminazioneGui : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void elimina_data();
    void elimina();
    void elimina_modificheInSospeso_data();
    void elimina_modificheInSospeso();
    void elimina_schedaMaiSalvata();
    void elimina_archivioCambiatoDaAltri();
    void salva_dopoEliminazioneAltrove();
    void comandi_accessibiliEDaTastiera();

    void eliminate_elencoRipristinoStampa();

    void copie_danneggiataERipristino();
    void copie_dalMenuDiAvvio();

private:
    QString cartella() const { return m_desk->cartella.path(); }
    QString archivio() const { return Archivio::Percorso(cartella()); }
    Ui::TfrmRegPagamenti *c() const { return m_form->Controlli(); }
    QList<FakeDesktop::Voce::Genere> generi() const
    {
        QList<FakeDesktop::Voce::Genere> g;
        for (const auto &m : m_desk->messaggi)
            g << m.genere;
        return g;
    }

    std::unique_ptr<FakeDesktopInstallato> m_desk;
    std::unique_ptr<TfrmRegPagamenti> m_form;
};

void TestEliminazioneGui::init()
{
    m_desk = std::make_unique<FakeDesktopInstallato>();
    m_form = std::make_unique<TfrmRegPagamenti>();
    m_form->ImpostaEliminate([](QWidget *g, VisoreScheda *v) -> QDialog * {
        auto *d = new TfrmEliminate(g);
        d->visore = v;
        return d;
    });
    m_form->setWindowState(Qt::WindowNoState);
    m_form->show();
}

void TestEliminazioneGui::cleanup()
{
    m_form.reset();
    m_desk.reset();
}

void TestEliminazioneGui::elimina_data()
{
    QTest::addColumn<int>("mostrata");   // 1-based
    QTest::addColumn<bool>("si");
    QTest::addColumn<int>("dopo");       // the position shown afterwards
    QTest::newRow("la prima, Sì") << 1 << true << 1;
    QTest::newRow("una di mezzo, Sì") << 3 << true << 3;
    QTest::newRow("l'ultima, Sì") << 5 << true << 4;
    QTest::newRow("la prima, No") << 1 << false << 1;
    QTest::newRow("una di mezzo, No") << 3 << false << 3;
    QTest::newRow("l'ultima, No") << 5 << false << 5;
}

void TestEliminazioneGui::elimina()
{
    QFETCH(int, mostrata);
    QFETCH(bool, si);
    QFETCH(int, dopo);
    const QList<TScheda> l = ArchivioDiProva::Numerate(5, true);
    ArchivioDiProva::Scrivi(archivio(), l);
    m_form->MostraScheda(l.at(mostrata - 1), mostrata - 1);
    m_desk->risposte.enqueue(si);
    Clicca(m_form.get(), QStringLiteral("cmdElimina"));

    // The question names the record: position, payee, date and amount due.
    QVERIFY(!m_desk->messaggi.isEmpty());
    QCOMPARE(m_desk->messaggi.first().genere, FakeDesktop::Voce::Domanda);
    const QString domanda = m_desk->messaggi.first().testo;
    QVERIFY2(domanda.contains(QStringLiteral("scheda n. %1?").arg(mostrata)), qPrintable(domanda));
    QVERIFY(domanda.contains(QStringLiteral("Beneficiario: F%1").arg(mostrata)));
    QVERIFY(domanda.contains(QStringLiteral("Data operazione: %1/01/2024").arg(mostrata, 2, 10, QLatin1Char('0'))));
    QVERIFY(domanda.contains(QStringLiteral("€ %1,00").arg(mostrata * 10)));

    QCOMPARE(c()->lblPosizione->text(), QString::number(dopo));
    if (!si) {
        QCOMPARE(m_desk->messaggi.size(), 1);
        QCOMPARE(ArchivioDiProva::Leggi(archivio()), Senza(l, -1));
        QCOMPARE(c()->txtFornitore->text(), QStringLiteral("F%1").arg(mostrata));
        return;
    }
    QCOMPARE(ArchivioDiProva::Leggi(archivio()), Senza(l, mostrata - 1));
    QCOMPARE(ArchivioDiProva::Leggi(SchedeEliminate::Percorso(cartella())), Byte(l.at(mostrata - 1)));
    // The record that took its place, or the new last one.
    const int originale = mostrata < 5 ? mostrata + 1 : 4;
    QCOMPARE(c()->txtFornitore->text(), QStringLiteral("F%1").arg(originale));
    QCOMPARE(generi(), (QList<FakeDesktop::Voce::Genere>{FakeDesktop::Voce::Domanda, FakeDesktop::Voce::Informazione}));
    const QString esito = m_desk->ultimoTesto();
    QVERIFY2(esito.contains(QStringLiteral("La scheda n. %1 (F%1,").arg(mostrata)), qPrintable(esito));
    QVERIFY(esito.contains(QStringLiteral("\"Schede_Eliminate.pro\"")));
    QVERIFY(esito.contains(QStringLiteral("n. %1.").arg(dopo)));
    // Moving on asks nothing: the shown record holds no edits.
    m_desk->pulisci();
    Clicca(m_form.get(), QStringLiteral("cmdPrimo"));
    QCOMPARE(m_desk->messaggi.size(), 0);
}

void TestEliminazioneGui::elimina_modificheInSospeso_data()
{
    QTest::addColumn<int>("scelta"); // the answer to the unsaved-changes question
    QTest::addColumn<bool>("eliminata");
    QTest::addColumn<QString>("notaTolta");
    QTest::newRow("salvate, poi eliminata") << int(Desktop::Scelta::Si) << true << "modificata";
    QTest::newRow("lasciate, poi eliminata") << int(Desktop::Scelta::No) << true << "";
    QTest::newRow("annullato") << int(Desktop::Scelta::Annulla) << false << "";
}

void TestEliminazioneGui::elimina_modificheInSospeso()
{
    QFETCH(int, scelta);
    QFETCH(bool, eliminata);
    QFETCH(QString, notaTolta);
    const QList<TScheda> l = ArchivioDiProva::Numerate(3);
    ArchivioDiProva::Scrivi(archivio(), l);
    m_form->MostraScheda(l.at(1), 1);
    c()->txtNote->setText(QStringLiteral("modificata"));
    m_desk->scelte.enqueue(Desktop::Scelta(scelta));
    m_desk->risposte.enqueue(true);
    Clicca(m_form.get(), QStringLiteral("cmdElimina"));

    QVERIFY(!m_desk->messaggi.isEmpty());
    QCOMPARE(m_desk->messaggi.first().genere, FakeDesktop::Voce::DomandaConAnnulla);
    if (!eliminata) {
        QCOMPARE(m_desk->messaggi.size(), 1);
        QCOMPARE(ArchivioDiProva::Leggi(archivio()), Senza(l, -1));
        QCOMPARE(c()->txtNote->text(), QStringLiteral("modificata"));
        return;
    }
    QCOMPARE(m_desk->ultimoGenere(), FakeDesktop::Voce::Informazione);
    QCOMPARE(ArchivioDiProva::Leggi(archivio()), Senza(l, 1));
    const QList<SchedeEliminate::Eliminata> tolte = SchedeEliminate::Elenco(cartella());
    QCOMPARE(tolte.size(), 1);
    QCOMPARE(tolte.first().scheda.Testo(Campo::Fornitore), QStringLiteral("F2"));
    QCOMPARE(tolte.first().scheda.Testo(Campo::Note), notaTolta);
    QCOMPARE(c()->txtFornitore->text(), QStringLiteral("F3"));
}

void TestEliminazioneGui::elimina_schedaMaiSalvata()
{
    const QList<TScheda> l = ArchivioDiProva::Numerate(2);
    ArchivioDiProva::Scrivi(archivio(), l);
    Clicca(m_form.get(), QStringLiteral("cmdNuovo"));
    c()->txtFornitore->setText(QStringLiteral("Nuovo"));
    Clicca(m_form.get(), QStringLiteral("cmdElimina"));
    QCOMPARE(generi(), QList<FakeDesktop::Voce::Genere>{FakeDesktop::Voce::Avviso});
    QCOMPARE(m_desk->ultimoTesto(),
             QStringLiteral("Attenzione: l'eliminazione di una scheda può avvenire soltanto dopo che questa è "
                            "stata inserita in archivio."));
    QCOMPARE(ArchivioDiProva::Leggi(archivio()), Senza(l, -1));
    QCOMPARE(c()->txtFornitore->text(), QStringLiteral("Nuovo"));
    QVERIFY(!QFileInfo::exists(SchedeEliminate::Percorso(cartella())));
}

void TestEliminazioneGui::elimina_archivioCambiatoDaAltri()
{
    // Another copy of the program removed record 2 after this one showed record 3.
    const QList<TScheda> l = ArchivioDiProva::Numerate(4);
    ArchivioDiProva::Scrivi(archivio(), l);
    m_form->MostraScheda(l.at(2), 2);
    QCOMPARE(SchedeEliminate::Elimina(cartella(), 1, l.at(1), m_desk->oggi).stato, EsitoModifica::Stato::Riuscita);
    Clicca(m_form.get(), QStringLiteral("cmdElimina"));
    QCOMPARE(generi(), QList<FakeDesktop::Voce::Genere>{FakeDesktop::Voce::Avviso});
    QVERIFY(m_desk->ultimoTesto().contains(QStringLiteral("non è più quella mostrata")));
    // Record 3 of the file is now the old fourth: it stays.
    QCOMPARE(ArchivioDiProva::Leggi(archivio()), Senza(l, 1));
}

void TestEliminazioneGui::salva_dopoEliminazioneAltrove()
{
    // This copy shows record 3; another copy removes record 2, so that
    // position 3 now holds the old fourth record. A save here must not write
    // over it: the save compares the record's bytes on disk with those it
    // loaded before rewriting, and asks.
    const QList<TScheda> l = ArchivioDiProva::Numerate(4);
    ArchivioDiProva::Scrivi(archivio(), l);
    m_form->MostraScheda(l.at(2), 2);
    QCOMPARE(SchedeEliminate::Elimina(cartella(), 1, l.at(1), m_desk->oggi).stato, EsitoModifica::Stato::Riuscita);
    c()->txtNote->setText(QStringLiteral("modificata qui"));
    // Whatever the editor asks, the user declines to write over it.
    m_desk->risposte.enqueue(false);
    m_desk->scelte.enqueue(Desktop::Scelta::Annulla);
    Clicca(m_form.get(), QStringLiteral("cmdSalva"));
    const QByteArray b = ArchivioDiProva::Leggi(archivio());
    QCOMPARE(b.size(), 3 * R);
    QCOMPARE(b.mid(2 * R, R), Byte(l.at(3)));
}

void TestEliminazioneGui::comandi_accessibiliEDaTastiera()
{
    for (const char *nome : {"cmdElimina", "cmdEliminate"}) {
        auto *b = Trova<QAbstractButton>(m_form.get(), QString::fromLatin1(nome));
        QVERIFY(b);
        QVERIFY(!b->accessibleName().isEmpty());
        QVERIFY(b->focusPolicy() & Qt::TabFocus);
    }
    // The caption as shown: "Elimina", its Alt letter underlined.
    QCOMPARE(c()->cmdElimina->text().remove(u'&'), QStringLiteral("Elimina"));
    // Tab reaches Elimina right after Duplica.
    QApplication::setActiveWindow(m_form.get());
    QVERIFY(QTest::qWaitForWindowActive(m_form.get()));
    c()->cmdDuplica->setFocus();
    QTest::keyClick(c()->cmdDuplica, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), c()->cmdElimina);
    // Space presses it: a new record has nothing to remove.
    Clicca(m_form.get(), QStringLiteral("cmdNuovo"));
    c()->cmdElimina->setFocus();
    QTest::keyClick(c()->cmdElimina, Qt::Key_Space);
    QCOMPARE(generi(), QList<FakeDesktop::Voce::Genere>{FakeDesktop::Voce::Avviso});
}

void TestEliminazioneGui::eliminate_elencoRipristinoStampa()
{
    const QList<TScheda> l = ArchivioDiProva::Numerate(4);
    ArchivioDiProva::Scrivi(archivio(), l);
    QCOMPARE(SchedeEliminate::Elimina(cartella(), 0, l.at(0), QDate(2024, 3, 1)).stato, EsitoModifica::Stato::Riuscita);
    QCOMPARE(SchedeEliminate::Elimina(cartella(), 1, l.at(2), QDate(2024, 3, 2)).stato, EsitoModifica::Stato::Riuscita);
    QCOMPARE(ArchivioDiProva::Leggi(archivio()), Byte(l.at(1)) + Byte(l.at(3)));

    QStringList righe, righeDopo;
    QString stampato;
    m_desk->quandoModale = [&](QDialog *d) {
        auto *u = d->findChild<QListWidget *>(QStringLiteral("lstRecords"));
        if (!u)
            return 0;
        for (int i = 0; i < u->count(); ++i)
            righe << u->item(i)->text();
        Clicca(d, QStringLiteral("btnStampa"));
        if (!m_desk->stampe.isEmpty())
            stampato = TestoPdf::Pagine(m_desk->stampe.last()).join(QLatin1Char('\n'));
        // The older one (record 1) back.
        u->setCurrentRow(1);
        m_desk->risposte.enqueue(true);
        Clicca(d, QStringLiteral("btnRipristina"));
        for (int i = 0; i < u->count(); ++i)
            righeDopo << u->item(i)->text();
        return 0;
    };
    Clicca(m_form.get(), QStringLiteral("cmdEliminate"));

    // Newest first, each after the day it was removed.
    QCOMPARE(righe, (QStringList{QStringLiteral("Eliminata il 02/03/2024  ") + RigaScheda(l.at(2)),
                                 QStringLiteral("Eliminata il 01/03/2024  ") + RigaScheda(l.at(0))}));
    QVERIFY2(stampato.contains(QStringLiteral("Schede eliminate")), qPrintable(stampato));
    QVERIFY(stampato.contains(QStringLiteral("Eliminata il 02/03/2024")));
    QVERIFY(stampato.contains(QStringLiteral("Eliminata il 01/03/2024")));

    QCOMPARE(m_desk->ultimoGenere(), FakeDesktop::Voce::Informazione);
    QVERIFY2(m_desk->ultimoTesto().contains(QStringLiteral("scheda n. 3")), qPrintable(m_desk->ultimoTesto()));
    QCOMPARE(ArchivioDiProva::Leggi(archivio()), Byte(l.at(1)) + Byte(l.at(3)) + Byte(l.at(0)));
    QCOMPARE(righeDopo, QStringList{righe.first()});
    QCOMPARE(ArchivioDiProva::Leggi(SchedeEliminate::Percorso(cartella())), Byte(l.at(2)));
}

void TestEliminazioneGui::copie_danneggiataERipristino()
{
    const QString backup = CopieGiornaliere::Cartella(cartella());
    QDir().mkpath(backup);
    const QList<TScheda> l = ArchivioDiProva::Numerate(5);
    ArchivioDiProva::Scrivi(archivio(), l);
    ArchivioDiProva::Scrivi(QDir(backup).filePath(QStringLiteral("Operazioni_Pagamenti-20240310.pro")), l.mid(0, 2));
    ArchivioDiProva::Scrivi(QDir(backup).filePath(QStringLiteral("Operazioni_Pagamenti-20240312.pro")), l.mid(0, 1),
                            QByteArray(7, 'x'));

    TfrmCopie copie;
    copie.show();
    auto *grd = Trova<QTableWidget>(&copie, QStringLiteral("grdCopie"));
    QVERIFY(grd);
    QCOMPARE(grd->rowCount(), 2);
    QCOMPARE(grd->item(0, 0)->text(), QStringLiteral("12/03/2024"));
    QCOMPARE(grd->item(0, 3)->text(), QStringLiteral("danneggiata"));
    QCOMPARE(grd->item(1, 1)->text(), QStringLiteral("2"));
    QVERIFY(Testo(&copie, QStringLiteral("lblArchivio")).contains(QStringLiteral("5 schede")));
    QVERIFY(SenzaNomeAccessibile(&copie).isEmpty());

    // The damaged copy is refused, asking nothing.
    grd->selectRow(0);
    Clicca(&copie, QStringLiteral("btnRipristina"));
    QCOMPARE(generi(), QList<FakeDesktop::Voce::Genere>{FakeDesktop::Voce::Avviso});
    QVERIFY(m_desk->ultimoTesto().contains(QStringLiteral("danneggiata")));
    QCOMPARE(ArchivioDiProva::Leggi(archivio()), Senza(l, -1));

    // The good one: the question names it and what the archive would lose.
    m_desk->pulisci();
    grd->selectRow(1);
    m_desk->risposte.enqueue(true);
    Clicca(&copie, QStringLiteral("btnRipristina"));
    QCOMPARE(generi(), (QList<FakeDesktop::Voce::Genere>{FakeDesktop::Voce::Domanda, FakeDesktop::Voce::Informazione}));
    const QString domanda = m_desk->messaggi.first().testo;
    QVERIFY2(domanda.contains(QStringLiteral("\"Operazioni_Pagamenti-20240310.pro\"")), qPrintable(domanda));
    QVERIFY(domanda.contains(QStringLiteral("da 5 a 2 schede: l'archivio perderebbe 3 schede")));
    QCOMPARE(ArchivioDiProva::Leggi(archivio()), Senza(l.mid(0, 2), -1));
    const QString salvata = QStringLiteral("Operazioni_Pagamenti-20240315-103000.pro");
    QVERIFY(m_desk->ultimoTesto().contains(salvata));
    QCOMPARE(ArchivioDiProva::Leggi(QDir(backup).filePath(salvata)), Senza(l, -1));
    // The list now shows the kept archive and the day's copy too.
    QCOMPARE(grd->rowCount(), 4);
    QCOMPARE(grd->item(0, 4)->text(), salvata);

    Clicca(&copie, QStringLiteral("btnApri"));
    QCOMPARE(m_desk->aperti.size(), 1);
    QCOMPARE(m_desk->aperti.first(), QUrl::fromLocalFile(backup));
}

void TestEliminazioneGui::copie_dalMenuDiAvvio()
{
    TfrmAvvio avvio;
    avvio.ImpostaCopie([](QWidget *g) -> QDialog * { return new TfrmCopie(g); });
    avvio.show();
    QString aperta;
    m_desk->quandoModale = [&](QDialog *d) {
        aperta = d->objectName();
        return 0;
    };
    auto *b = Trova<QAbstractButton>(&avvio, QStringLiteral("imgCopie"));
    QVERIFY(b);
    QCOMPARE(b->text(), QStringLiteral("Copie di sicurezza"));
    QVERIFY(!b->accessibleName().isEmpty());
    Clicca(&avvio, QStringLiteral("imgCopie"));
    QCOMPARE(aperta, QStringLiteral("TfrmCopie"));
}

QTEST_MAIN(TestEliminazioneGui)
#include "tst_eliminazione_gui.moc"
