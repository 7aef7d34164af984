#include "SolaLettura.h"
#include "ArchivioDiProva.h"
#include "FakeDesktop.h"
#include "GuiTest.h"

#include "Programma.h"
#include "app/Avvio.h"
#include "app/TestiGuida.h"
#include "platform/Schermate.h"
#include "register/AllegaCartella.h"
#include "register/Archivio.h"
#include "register/Calendario.h"
#include "register/RegPagamenti.h"
#include "ui_RegPagamenti.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QCheckBox>
#include <QDir>
#include <QPointer>
#include <QtTest>
#include <unistd.h>

using namespace GuiTest;

namespace {

const QString kAccesso = QStringLiteral(
    "Attenzione: il sistema non permette di accedere all'archivio.\n\r\n\r"
    "Accertarsi di possedere i privilegi di scrittura nella cartella di installazione del programma.");
const QString kVuoto = QStringLiteral("L'archivio non contiene nessuna scheda.");
const QString kInserita = QStringLiteral("La scheda corrente è stata inserita in archivio.");
const QString kModificata =
    QStringLiteral("Le modifiche apportate alla scheda corrente sono state salvate in archivio.");

} // namespace

class TestRegPagamenti : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void apertura_nuovaSchedaDiOggi();
    void lunghezzeMassime_data();
    void lunghezzeMassime();
    void navigazione_data();
    void navigazione();
    void primo_archivioMancanteCreatoVuoto();
    void mostraScheda_tagliaBlankEDaSaldare();
    void salva_data();
    void salva();
    void salva_byteDelRecord();
    void salva_campiObbligatori_data();
    void salva_campiObbligatori();
    void salva_calcolaPrimaIlSaldo();
    void duplica_schedaConAllegatiPoiSalva();
    void duplica_schedaNuova();
    void erroreArchivio_data();
    void erroreArchivio();
    void anelloInvio();
    void importi_tastiEUscita();
    void campiData_data();
    void campiData();
    void calendario_etichettaSconosciuta();
    void codiceFiscale_maiuscoloSenzaBlank_data();
    void codiceFiscale_maiuscoloSenzaBlank();
    void evidenziazione();
    void suggerimenti_data();
    void suggerimenti();
    void dialoghi_data();
    void dialoghi();
    void chiusura_tornaAlMenu();
    void nomiAccessibili();
    void guida_dieciParagrafi();

private:
    QString archivio() const { return Archivio::Percorso(m_desk->cartella.path()); }
    QLineEdit *campo(const char *nome) const
    {
        return m_form->findChild<QLineEdit *>(QString::fromLatin1(nome));
    }
    QString focale() const
    {
        QWidget *w = QApplication::focusWidget();
        return w ? w->objectName() : QString();
    }
    void compilaObbligatori()
    {
        c()->txtFornitore->setText(QStringLiteral("Enel"));
        c()->txtCodice->setText(QStringLiteral("LUCE"));
        c()->txtServizi->setText(QStringLiteral("Bolletta"));
    }
    Ui::TfrmRegPagamenti *c() const { return m_form->Controlli(); }

    std::unique_ptr<FakeDesktopInstallato> m_desk;
    std::unique_ptr<TfrmRegPagamenti> m_form;
};

void TestRegPagamenti::init()
{
    m_desk = std::make_unique<FakeDesktopInstallato>();
    m_form = std::make_unique<TfrmRegPagamenti>();
    Programma::CollegaEditor(*m_form);
    m_form->setWindowState(Qt::WindowNoState);
    m_form->resize(1280, 720);
    m_form->show();
    QApplication::setActiveWindow(m_form.get());
    QVERIFY(QTest::qWaitForWindowActive(m_form.get()));
}

void TestRegPagamenti::cleanup()
{
    m_form.reset();
    m_desk.reset();
}

void TestRegPagamenti::apertura_nuovaSchedaDiOggi()
{
    TfrmRegPagamenti nuovo;
    // The form as it will be shown; the editor builds it on first showing.
    nuovo.Completa();
    QCOMPARE(nuovo.windowTitle(), QStringLiteral(" Valmora - Registro Spese"));
    QVERIFY(nuovo.windowState() & Qt::WindowMaximized);
    QCOMPARE(nuovo.Controlli()->panInfo->text(), QStringLiteral("Pronto per archiviare una nuova scheda..."));

    QCOMPARE(c()->txtData->text(), QStringLiteral("15/03/2024"));
    for (auto *e : {c()->txtDovuto, c()->txtAcconto, c()->txtSaldo})
        QCOMPARE(e->text(), QStringLiteral("0,00"));
    QVERIFY(c()->lblPosizione->text().isEmpty());
    QCOMPARE(focale(), QStringLiteral("txtNumDoc"));

    // Shown again after a record was browsed: a fresh new record.
    ArchivioDiProva::Scrivi(archivio(), ArchivioDiProva::Numerate(2));
    Clicca(m_form.get(), QStringLiteral("cmdUltimo"));
    QCOMPARE(c()->lblPosizione->text(), QStringLiteral("2"));
    m_form->hide();
    m_form->show();
    QVERIFY(c()->lblPosizione->text().isEmpty());
    QVERIFY(c()->txtFornitore->text().isEmpty());
    QCOMPARE(c()->txtData->text(), QStringLiteral("15/03/2024"));
}

void TestRegPagamenti::lunghezzeMassime_data()
{
    QTest::addColumn<QString>("nome");
    QTest::addColumn<int>("massimo");
    QTest::addColumn<int>("allineamento");
    const int s = int(Qt::AlignLeft), ce = int(Qt::AlignHCenter), d = int(Qt::AlignRight);
    const struct { const char *n; int m, a; } righe[] = {
        {"txtNumDoc", 20, ce},   {"txtDataDoc", 10, ce},  {"txtFornitore", 50, s},
        {"txtCodFisc", 16, s},   {"txtData", 10, s},      {"txtCodice", 30, s},
        {"txtTipologia", 50, s}, {"txtServizi", 120, s},  {"txtDettagli", 250, s},
        {"txtDovuto", 15, d},    {"txtAcconto", 15, d},   {"txtSaldo", 15, d},
        {"txtNote", 250, s},
    };
    for (const auto &r : righe)
        QTest::newRow(r.n) << QString::fromLatin1(r.n) << r.m << r.a;
}

void TestRegPagamenti::lunghezzeMassime()
{
    QFETCH(QString, nome);
    QFETCH(int, massimo);
    QFETCH(int, allineamento);
    auto *e = Trova<QLineEdit>(m_form.get(), nome);
    QVERIFY(e);
    QCOMPARE(e->maxLength(), massimo);
    QCOMPARE(int(e->alignment() & Qt::AlignHorizontal_Mask), allineamento);
    QCOMPARE(e->isReadOnly(), nome == u"txtData" || nome == u"txtDataDoc");
}

void TestRegPagamenti::navigazione_data()
{
    QTest::addColumn<int>("schede");
    QTest::addColumn<int>("partenza");   // 0: new record
    QTest::addColumn<QString>("comando");
    QTest::addColumn<QString>("posizione");
    QTest::addColumn<QString>("fornitore");
    QTest::addColumn<bool>("avvisoVuoto");

    const QString P = QStringLiteral("cmdPrimo"), I = QStringLiteral("cmdIndietro"),
                  A = QStringLiteral("cmdAvanti"), U = QStringLiteral("cmdUltimo");
    QTest::newRow("nuova, primo") << 3 << 0 << P << "1" << "F1" << false;
    QTest::newRow("nuova, indietro") << 3 << 0 << I << "1" << "F1" << false;
    QTest::newRow("nuova, avanti") << 3 << 0 << A << "1" << "F1" << false;
    QTest::newRow("nuova, ultimo") << 3 << 0 << U << "3" << "F3" << false;
    QTest::newRow("prima, indietro fermo") << 3 << 1 << I << "1" << "F1" << false;
    QTest::newRow("ultima, avanti fermo") << 3 << 3 << A << "3" << "F3" << false;
    QTest::newRow("seconda, indietro") << 3 << 2 << I << "1" << "F1" << false;
    QTest::newRow("seconda, avanti") << 3 << 2 << A << "3" << "F3" << false;
    QTest::newRow("vuoto, primo") << 0 << 0 << P << "" << "" << true;
    QTest::newRow("vuoto, indietro") << 0 << 0 << I << "" << "" << true;
    QTest::newRow("vuoto, avanti") << 0 << 0 << A << "" << "" << true;
    QTest::newRow("vuoto, ultimo") << 0 << 0 << U << "" << "" << true;
}

void TestRegPagamenti::navigazione()
{
    QFETCH(int, schede);
    QFETCH(int, partenza);
    QFETCH(QString, comando);
    QFETCH(QString, posizione);
    QFETCH(QString, fornitore);
    QFETCH(bool, avvisoVuoto);

    const QList<TScheda> l = ArchivioDiProva::Numerate(schede);
    // A partial record at the end is never reached.
    ArchivioDiProva::Scrivi(archivio(), l, QByteArray(100, 'x'));
    if (partenza > 0)
        m_form->MostraScheda(l.at(partenza - 1), partenza - 1);

    Clicca(m_form.get(), comando);
    QCOMPARE(c()->lblPosizione->text(), posizione);
    QCOMPARE(c()->txtFornitore->text(), fornitore);
    if (avvisoVuoto) {
        QCOMPARE(m_desk->messaggi.size(), 1);
        QCOMPARE(m_desk->ultimoGenere(), FakeDesktop::Voce::Informazione);
        QCOMPARE(m_desk->ultimoTesto(), kVuoto);
    } else {
        QVERIFY(m_desk->messaggi.isEmpty());
    }
}

void TestRegPagamenti::primo_archivioMancanteCreatoVuoto()
{
    QVERIFY(!QFileInfo::exists(archivio()));
    Clicca(m_form.get(), QStringLiteral("cmdPrimo"));
    QVERIFY(QFileInfo::exists(archivio()));
    QCOMPARE(QFileInfo(archivio()).size(), 0);
    QCOMPARE(m_desk->ultimoGenere(), FakeDesktop::Voce::Informazione);
    QCOMPARE(m_desk->ultimoTesto(), kVuoto);
    QCOMPARE(c()->txtData->text(), QStringLiteral("15/03/2024"));
}

void TestRegPagamenti::mostraScheda_tagliaBlankEDaSaldare()
{
    TScheda s = ArchivioDiProva::Scheda({{Campo::Fornitore, QStringLiteral("  Città \t")},
                                         {Campo::Dovuto, QStringLiteral(" 7")},
                                         {Campo::DaSaldare, QStringLiteral("Sì")},
                                         {Campo::File02, QStringLiteral(" b.pdf ")},
                                         {Campo::Desc03, QStringLiteral("terza ")}});
    m_form->MostraScheda(s, 4);
    QCOMPARE(c()->txtFornitore->text(), QStringLiteral("Città"));
    QCOMPARE(c()->txtDovuto->text(), QStringLiteral("7")); // shown as stored, not normalised
    QVERIFY(c()->chkDaSaldare->isChecked());
    QCOMPARE(c()->lblFile02->text(), QStringLiteral("b.pdf"));
    QCOMPARE(c()->lblDesc03->text(), QStringLiteral("terza"));
    QCOMPARE(c()->lblPosizione->text(), QStringLiteral("5"));

    s.ImpostaTesto(Campo::DaSaldare, QStringLiteral("??"));
    m_form->MostraScheda(s, 0);
    QVERIFY(c()->chkDaSaldare->isChecked()); // neither value: unchanged
    s.ImpostaTesto(Campo::DaSaldare, QStringLiteral("No"));
    m_form->MostraScheda(s, 0);
    QVERIFY(!c()->chkDaSaldare->isChecked());
}

void TestRegPagamenti::salva_data()
{
    QTest::addColumn<int>("schede");
    QTest::addColumn<int>("mostrata");   // 0: new record
    QTest::addColumn<QString>("posizione");
    QTest::addColumn<QString>("messaggio");
    QTest::newRow("archivio vuoto, nuova") << 0 << 0 << "1" << kInserita;
    QTest::newRow("sette, nuova") << 7 << 0 << "8" << kInserita;
    QTest::newRow("sette, settima") << 7 << 7 << "7" << kModificata;
    QTest::newRow("sette, prima") << 7 << 1 << "1" << kModificata;
}

void TestRegPagamenti::salva()
{
    QFETCH(int, schede);
    QFETCH(int, mostrata);
    QFETCH(QString, posizione);
    QFETCH(QString, messaggio);

    const QList<TScheda> l = ArchivioDiProva::Numerate(schede);
    ArchivioDiProva::Scrivi(archivio(), l);
    const QByteArray prima = ArchivioDiProva::Leggi(archivio());
    if (mostrata > 0)
        m_form->MostraScheda(l.at(mostrata - 1), mostrata - 1);
    compilaObbligatori();

    Clicca(m_form.get(), QStringLiteral("cmdSalva"));
    QCOMPARE(m_desk->ultimoGenere(), FakeDesktop::Voce::Informazione);
    QCOMPARE(m_desk->ultimoTesto(), messaggio);
    QCOMPARE(c()->lblPosizione->text(), posizione);

    const int k = posizione.toInt();
    const qint64 attese = std::max<qint64>(schede, k);
    QByteArray dopo = ArchivioDiProva::Leggi(archivio());
    QCOMPARE(dopo.size(), attese * TScheda::Dimensione);
    // Only the saved record's bytes changed.
    const qint64 inizio = qint64(k - 1) * TScheda::Dimensione;
    QCOMPARE(dopo.left(inizio), prima.left(inizio));
    QCOMPARE(dopo.mid(inizio + TScheda::Dimensione), prima.mid(inizio + TScheda::Dimensione));
    TScheda salvata;
    std::memcpy(salvata.byte.data(), dopo.constData() + inizio, TScheda::Dimensione);
    QCOMPARE(salvata.Testo(Campo::Fornitore), QStringLiteral("Enel"));

    // Saving again rewrites the same record: the archive does not grow.
    m_desk->pulisci();
    c()->txtNote->setText(QStringLiteral("seconda volta"));
    Clicca(m_form.get(), QStringLiteral("cmdSalva"));
    QCOMPARE(m_desk->ultimoTesto(), kModificata);
    QCOMPARE(c()->lblPosizione->text(), posizione);
    dopo = ArchivioDiProva::Leggi(archivio());
    QCOMPARE(dopo.size(), attese * TScheda::Dimensione);
    QVERIFY(dopo.mid(inizio + 613, 14) == QByteArray("\x0dseconda volta", 14));
}

void TestRegPagamenti::salva_byteDelRecord()
{
    GuiTest::Scrivi(m_form.get(), QStringLiteral("txtNumDoc"), QStringLiteral(" 12/A "));
    c()->txtDataDoc->setText(QStringLiteral("01/02/2024"));
    c()->txtFornitore->setText(QStringLiteral("Città di Milano"));
    c()->txtCodFisc->setText(QStringLiteral("01234567890"));
    c()->txtCodice->setText(QStringLiteral("TARI"));
    c()->txtTipologia->setText(QStringLiteral("Tributi"));
    c()->txtServizi->setText(QStringLiteral("Tassa rifiuti"));
    c()->txtDettagli->setText(QStringLiteral("Rata unica"));
    c()->txtDovuto->setText(QStringLiteral("250,00"));
    c()->txtAcconto->setText(QStringLiteral("50,00"));
    c()->txtNote->setText(QStringLiteral("pagato in posta"));
    c()->chkDaSaldare->setChecked(true);
    c()->lblFile01->setText(QStringLiteral("avviso.pdf"));
    c()->lblDesc01->setText(QStringLiteral("Avviso di pagamento"));
    Clicca(m_form.get(), QStringLiteral("cmdSalva"));
    QCOMPARE(m_desk->ultimoTesto(), kInserita);

    // The layout written out by hand: offset, capacity and the bytes of the text.
    QByteArray atteso(TScheda::Dimensione, '\0');
    auto metti = [&](int offset, int capacita, const QByteArray &testo) {
        QVERIFY(testo.size() <= capacita);
        atteso[offset] = char(testo.size());
        atteso.replace(offset + 1, testo.size(), testo);
    };
    metti(0, 20, " 12/A ");
    metti(21, 10, "01/02/2024");
    metti(32, 50, "Citt\xE0 di Milano");
    metti(83, 16, "01234567890");
    metti(100, 10, "15/03/2024");
    metti(111, 30, "TARI");
    metti(142, 50, "Tributi");
    metti(193, 120, "Tassa rifiuti");
    metti(314, 250, "Rata unica");
    metti(565, 15, "250,00");
    metti(581, 15, "50,00");
    metti(597, 15, "200,00");
    metti(613, 250, "pagato in posta");
    metti(864, 2, "S\xEC");
    metti(867, 250, "avviso.pdf");
    metti(1620, 250, "Avviso di pagamento");
    QCOMPARE(ArchivioDiProva::Leggi(archivio()), atteso);
}

void TestRegPagamenti::salva_campiObbligatori_data()
{
    QTest::addColumn<QString>("fornitore");
    QTest::addColumn<QString>("data");
    QTest::addColumn<QString>("codice");
    QTest::addColumn<QString>("servizi");
    QTest::addColumn<QString>("campo");
    QTest::addColumn<QString>("messaggio");
    const QString F = QStringLiteral("Attenzione: per salvare la scheda è necessario indicare il nome del beneficiario.");
    const QString D = QStringLiteral("Attenzione: per salvare la scheda è necessario indicare la data dell'operazione.");
    const QString C = QStringLiteral("Attenzione: per salvare la scheda è necessario indicare il codice del prodotto o servizio acquistato.");
    const QString S = QStringLiteral("Attenzione: per salvare la scheda è necessario inserire una breve descrizione del prodotto o servizio acquistato.");
    QTest::newRow("tutti vuoti") << "" << "" << "" << "" << "txtFornitore" << F;
    QTest::newRow("beneficiario di soli blank") << "   " << "15/03/2024" << "C" << "S" << "txtFornitore" << F;
    QTest::newRow("manca la data") << "Enel" << "" << "C" << "S" << "txtData" << D;
    QTest::newRow("mancano codice e descrizione") << "Enel" << "15/03/2024" << " " << "" << "txtCodice" << C;
    QTest::newRow("manca la descrizione") << "Enel" << "15/03/2024" << "C" << "\t" << "txtServizi" << S;
}

void TestRegPagamenti::salva_campiObbligatori()
{
    QFETCH(QString, fornitore);
    QFETCH(QString, data);
    QFETCH(QString, codice);
    QFETCH(QString, servizi);
    QFETCH(QString, campo);
    QFETCH(QString, messaggio);
    c()->txtFornitore->setText(fornitore);
    c()->txtData->setText(data);
    c()->txtCodice->setText(codice);
    c()->txtServizi->setText(servizi);
    c()->txtDovuto->setText(QStringLiteral("30,00"));
    c()->txtAcconto->setText(QStringLiteral("10,00"));
    c()->txtNumDoc->setFocus();

    Clicca(m_form.get(), QStringLiteral("cmdSalva"));
    QCOMPARE(m_desk->messaggi.size(), 1);
    QCOMPARE(m_desk->ultimoGenere(), FakeDesktop::Voce::Avviso);
    QCOMPARE(m_desk->ultimoTesto(), messaggio);
    QCOMPARE(focale(), campo);
    QVERIFY(!QFileInfo::exists(archivio()));
    QVERIFY(c()->lblPosizione->text().isEmpty());
    QCOMPARE(c()->txtSaldo->text(), QStringLiteral("20,00")); // the balance ran first
}

void TestRegPagamenti::salva_calcolaPrimaIlSaldo()
{
    compilaObbligatori();
    c()->txtDovuto->setText(QStringLiteral("30,00"));
    c()->txtAcconto->clear();
    c()->txtSaldo->setText(QStringLiteral("5,00"));
    Clicca(m_form.get(), QStringLiteral("cmdSalva"));
    QCOMPARE(m_desk->ultimoTesto(), kInserita);
    const QByteArray b = ArchivioDiProva::Leggi(archivio());
    TScheda s;
    std::memcpy(s.byte.data(), b.constData(), TScheda::Dimensione);
    QCOMPARE(s.Testo(Campo::Acconto), QStringLiteral("0,00"));
    QCOMPARE(s.Testo(Campo::Saldo), QStringLiteral("30,00"));
}

void TestRegPagamenti::duplica_schedaConAllegatiPoiSalva()
{
    TScheda orig = ArchivioDiProva::Numerate(1).first();
    orig.ImpostaTesto(Campo::File01, QStringLiteral("a.pdf"));
    orig.ImpostaTesto(Campo::Desc01, QStringLiteral("fattura"));
    orig.ImpostaTesto(Campo::File03, QStringLiteral("c.jpg"));
    orig.ImpostaTesto(Campo::DaSaldare, QStringLiteral("Sì"));
    ArchivioDiProva::Scrivi(archivio(), {orig});
    const QByteArray prima = ArchivioDiProva::Leggi(archivio());
    Clicca(m_form.get(), QStringLiteral("cmdPrimo"));
    QCOMPARE(c()->lblFile01->text(), QStringLiteral("a.pdf"));

    c()->txtNumDoc->setFocus();
    Clicca(m_form.get(), QStringLiteral("cmdDuplica"));
    QCOMPARE(m_desk->ultimoGenere(), FakeDesktop::Voce::Informazione);
    QCOMPARE(m_desk->ultimoTesto(),
             QStringLiteral("E' ora possibile apportare le proprie modifiche alla scheda corrente.\n\r\n\r"
                            "Al termine premere Salva per inserire la scheda in archivio."));
    QVERIFY(c()->lblPosizione->text().isEmpty());
    for (QLabel *l : {c()->lblFile01, c()->lblFile03, c()->lblDesc01})
        QVERIFY(l->text().isEmpty());
    QCOMPARE(c()->txtFornitore->text(), QStringLiteral("F1"));
    QVERIFY(c()->chkDaSaldare->isChecked());
    QCOMPARE(ArchivioDiProva::Leggi(archivio()), prima); // nothing written yet

    Clicca(m_form.get(), QStringLiteral("cmdSalva"));
    QCOMPARE(m_desk->ultimoTesto(), kInserita);
    QCOMPARE(c()->lblPosizione->text(), QStringLiteral("2"));
    const QByteArray dopo = ArchivioDiProva::Leggi(archivio());
    QCOMPARE(dopo.size(), 2 * TScheda::Dimensione);
    QCOMPARE(dopo.left(TScheda::Dimensione), prima);
    TScheda copia;
    std::memcpy(copia.byte.data(), dopo.constData() + TScheda::Dimensione, TScheda::Dimensione);
    for (Campo f : {Campo::Fornitore, Campo::Data, Campo::Codice, Campo::Servizi, Campo::DaSaldare})
        QCOMPARE(copia.Testo(f), orig.Testo(f));
    for (Campo f : {Campo::File01, Campo::File02, Campo::File03, Campo::Desc01, Campo::Desc02, Campo::Desc03})
        QCOMPARE(copia.Lunghezza(f), 0);
}

void TestRegPagamenti::duplica_schedaNuova()
{
    c()->txtFornitore->setText(QStringLiteral("Enel"));
    c()->lblFile01->setText(QStringLiteral("a.pdf"));
    Clicca(m_form.get(), QStringLiteral("cmdDuplica"));
    QCOMPARE(m_desk->ultimoGenere(), FakeDesktop::Voce::Avviso);
    QCOMPARE(m_desk->ultimoTesto(),
             QStringLiteral("Attenzione: la duplicazione di una scheda può avvenire soltanto dopo che "
                            "questa è stata inserita in archivio."));
    QCOMPARE(c()->lblFile01->text(), QStringLiteral("a.pdf"));
    QVERIFY(!QFileInfo::exists(archivio()));
}

void TestRegPagamenti::erroreArchivio_data()
{
    QTest::addColumn<bool>("cartella"); // a folder named like the archive, else a read-only file
    QTest::newRow("cartella con il nome dell'archivio") << true;
    QTest::newRow("archivio in sola lettura") << false;
}

void TestRegPagamenti::erroreArchivio()
{
    QFETCH(bool, cartella);
    std::unique_ptr<SolaLettura> solaLettura;
    if (cartella) {
        QVERIFY(QDir().mkpath(archivio()));
    } else {
        ArchivioDiProva::Scrivi(archivio(), ArchivioDiProva::Numerate(1));
        solaLettura = std::make_unique<SolaLettura>(archivio());
        if (!solaLettura->Riuscita())
            QSKIP("nothing here can make a file read-only");
    }
    const QByteArray prima = cartella ? QByteArray() : ArchivioDiProva::Leggi(archivio());

    compilaObbligatori();
    for (int volta = 0; volta < 2; ++volta) { // a new record stays new and can be tried again
        m_desk->pulisci();
        Clicca(m_form.get(), QStringLiteral("cmdSalva"));
        QCOMPARE(m_desk->messaggi.size(), 1);
        QCOMPARE(m_desk->ultimoGenere(), FakeDesktop::Voce::Errore);
        QCOMPARE(m_desk->ultimoTesto(), kAccesso);
        QVERIFY(c()->lblPosizione->text().isEmpty());
    }

    for (const char *comando : {"cmdPrimo", "cmdIndietro", "cmdAvanti", "cmdUltimo"}) {
        m_desk->pulisci();
        Clicca(m_form.get(), QString::fromLatin1(comando));
        QCOMPARE(m_desk->ultimoGenere(), FakeDesktop::Voce::Errore);
        QCOMPARE(m_desk->ultimoTesto(), kAccesso);
        QVERIFY2(c()->lblPosizione->text().isEmpty(), comando);
        QCOMPARE(c()->txtFornitore->text(), QStringLiteral("Enel"));
    }

    // Duplica shows the same text as a warning, after it has made the record new.
    m_form->MostraScheda(ArchivioDiProva::Numerate(1).first(), 0);
    c()->lblFile01->setText(QStringLiteral("a.pdf"));
    m_desk->pulisci();
    Clicca(m_form.get(), QStringLiteral("cmdDuplica"));
    QCOMPARE(m_desk->messaggi.size(), 1);
    QCOMPARE(m_desk->ultimoGenere(), FakeDesktop::Voce::Avviso);
    QCOMPARE(m_desk->ultimoTesto(), kAccesso);
    QVERIFY(c()->lblPosizione->text().isEmpty());
    QVERIFY(c()->lblFile01->text().isEmpty());

    if (!cartella)
        QCOMPARE(ArchivioDiProva::Leggi(archivio()), prima);
}

void TestRegPagamenti::anelloInvio()
{
    const QStringList anello = {
        QStringLiteral("txtDataDoc"), QStringLiteral("txtFornitore"), QStringLiteral("txtCodFisc"),
        QStringLiteral("txtData"),    QStringLiteral("txtCodice"),    QStringLiteral("txtTipologia"),
        QStringLiteral("txtServizi"), QStringLiteral("txtDettagli"),  QStringLiteral("txtDovuto"),
        QStringLiteral("txtAcconto"), QStringLiteral("txtSaldo"),     QStringLiteral("txtNote"),
        QStringLiteral("txtNumDoc")};
    c()->txtNumDoc->setFocus();
    QStringList visti;
    for (int i = 0; i < anello.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        visti << focale();
    }
    QCOMPARE(visti, anello);
    QVERIFY(m_desk->modali.isEmpty()); // Enter in a date field opens no calendar

    // Tab keeps the form's tab order, check box included.
    c()->txtNote->setFocus();
    QTest::keyClick(c()->txtNote, Qt::Key_Tab);
    QCOMPARE(focale(), QStringLiteral("chkDaSaldare"));
}

void TestRegPagamenti::importi_tastiEUscita()
{
    c()->txtDovuto->setFocus();
    c()->txtDovuto->selectAll();
    QTest::keyClicks(c()->txtDovuto, QStringLiteral("1a2.-x,5"));
    QCOMPARE(c()->txtDovuto->text(), QStringLiteral("12,5"));
    QTest::keyClick(c()->txtDovuto, Qt::Key_Return);
    QCOMPARE(focale(), QStringLiteral("txtAcconto"));
    QCOMPARE(c()->txtDovuto->text(), QStringLiteral("12,50"));

    // Leaving by any means normalises: here by a click elsewhere.
    c()->txtAcconto->selectAll();
    QTest::keyClicks(c()->txtAcconto, QStringLiteral("1,2,3"));
    c()->txtNote->setFocus();
    QCOMPARE(c()->txtAcconto->text(), QStringLiteral("0,00"));

    c()->txtSaldo->setFocus();
    c()->txtSaldo->selectAll();
    QTest::keyClick(c()->txtSaldo, Qt::Key_Delete);
    QTest::keyClick(c()->txtSaldo, Qt::Key_Return);
    QCOMPARE(focale(), QStringLiteral("txtNote"));
    QCOMPARE(c()->txtSaldo->text(), QStringLiteral("0,00"));

    c()->txtDovuto->setText(QStringLiteral("100,10"));
    c()->txtAcconto->setText(QStringLiteral("0,20"));
    Clicca(m_form.get(), QStringLiteral("btnCalcola"));
    QCOMPARE(c()->txtSaldo->text(), QStringLiteral("99,90"));
    // An unreadable advance counts as zero on its own: the due stays.
    c()->txtAcconto->setText(QStringLiteral("1,2,3"));
    Clicca(m_form.get(), QStringLiteral("btnCalcola"));
    QCOMPARE(c()->txtDovuto->text(), QStringLiteral("100,10"));
    QCOMPARE(c()->txtAcconto->text(), QStringLiteral("0,00"));
    QCOMPARE(c()->txtSaldo->text(), QStringLiteral("100,10"));
    QVERIFY(m_desk->messaggi.isEmpty());
}

void TestRegPagamenti::campiData_data()
{
    QTest::addColumn<QString>("campo");
    QTest::addColumn<QString>("altro");
    QTest::addColumn<QString>("etichetta");
    QTest::addColumn<QString>("successivo");
    QTest::newRow("data operazione") << "txtData" << "txtDataDoc" << "regpagamenti_data" << "txtCodice";
    QTest::newRow("data documento") << "txtDataDoc" << "txtData" << "regpagamenti_datadoc" << "txtFornitore";
}

void TestRegPagamenti::campiData()
{
    QFETCH(QString, campo);
    QFETCH(QString, altro);
    QFETCH(QString, etichetta);
    QFETCH(QString, successivo);
    auto *e = Trova<QLineEdit>(m_form.get(), campo);
    auto *a = Trova<QLineEdit>(m_form.get(), altro);
    a->setText(QStringLiteral("01/01/2000"));

    // Any other key: the calendar, on today's date, tagged with the caller.
    QString vista;
    QDate dataIniziale;
    m_desk->quandoModale = [&](QDialog *d) {
        vista = d->findChild<QLabel *>(QStringLiteral("lblMemory"))->text();
        auto *cal = d->findChild<QCalendarWidget *>(QStringLiteral("calAppuntamenti"));
        dataIniziale = cal->selectedDate();
        cal->setSelectedDate(QDate(2024, 1, 5));
        Clicca(d, QStringLiteral("btnImportaData"));
        return d->result();
    };
    e->setFocus();
    QTest::keyClick(e, Qt::Key_K);
    QCOMPARE(m_desk->modali.size(), 1);
    QCOMPARE(vista, etichetta);
    QCOMPARE(dataIniziale, QDate(2024, 3, 15));
    QCOMPARE(e->text(), QStringLiteral("05/01/2024"));
    QCOMPARE(a->text(), QStringLiteral("01/01/2000"));

    // Annulla writes nothing.
    m_desk->quandoModale = [](QDialog *d) {
        d->findChild<QCalendarWidget *>()->setSelectedDate(QDate(2020, 2, 2));
        Clicca(d, QStringLiteral("btnAnnulla"));
        return d->result();
    };
    QTest::keyClick(e, Qt::Key_5);
    QCOMPARE(m_desk->modali.size(), 2);
    QCOMPARE(e->text(), QStringLiteral("05/01/2024"));

    // Backspace and Delete empty the field wherever the caret is; Enter moves on.
    e->setCursorPosition(3);
    QTest::keyClick(e, Qt::Key_Backspace);
    QVERIFY(e->text().isEmpty());
    e->setText(QStringLiteral("05/01/2024"));
    e->setCursorPosition(0);
    QTest::keyClick(e, Qt::Key_Delete);
    QVERIFY(e->text().isEmpty());
    QTest::keyClick(e, Qt::Key_Return);
    QCOMPARE(focale(), successivo);
    QCOMPARE(m_desk->modali.size(), 2);
}

void TestRegPagamenti::calendario_etichettaSconosciuta()
{
    TfrmCalendario d(m_form.get());
    // As the editor does: the tag is written into the built form before showing.
    d.Completa();
    QCOMPARE(d.windowTitle(), QStringLiteral(" Importazione data"));
    d.findChild<QLabel *>(QStringLiteral("lblMemory"))->setText(QStringLiteral("regpagamenti"));
    d.show();
    Clicca(&d, QStringLiteral("btnImportaData"));
    QVERIFY(d.isVisible());
    QCOMPARE(c()->txtData->text(), QStringLiteral("15/03/2024"));
    QVERIFY(c()->txtDataDoc->text().isEmpty());
    QVERIFY(SenzaNomeAccessibile(&d).isEmpty());
}

void TestRegPagamenti::codiceFiscale_maiuscoloSenzaBlank_data()
{
    QTest::addColumn<QString>("digitato");
    QTest::addColumn<QString>("atteso");
    QTest::newRow("minuscole") << "rssmra80a01h501u" << "RSSMRA80A01H501U";
    QTest::newRow("blank ai lati") << " ab1 " << "AB1";
    QTest::newRow("blank in fondo") << "ab1 " << "AB1";
}

void TestRegPagamenti::codiceFiscale_maiuscoloSenzaBlank()
{
    QFETCH(QString, digitato);
    QFETCH(QString, atteso);
    GuiTest::Scrivi(m_form.get(), QStringLiteral("txtCodFisc"), digitato);
    QCOMPARE(c()->txtCodFisc->text(), atteso);
}

void TestRegPagamenti::evidenziazione()
{
    auto colore = [](QLineEdit *e, QPoint p) { return e->grab().toImage().pixelColor(p); };
    auto interno = [](QLineEdit *e) { return QPoint(e->width() - 8, e->height() / 2); };
    auto bordo = [](QLineEdit *e) { return QPoint(e->width() / 2, 0); };
    const QColor giallo(0xFF, 0xFF, 0x00), bianco(0xFF, 0xFF, 0xFF), azzurro(0x87, 0xCE, 0xEB);

    c()->txtFornitore->setFocus();
    QCOMPARE(colore(c()->txtFornitore, interno(c()->txtFornitore)), giallo);
    QCOMPARE(colore(c()->txtFornitore, bordo(c()->txtFornitore)), azzurro);
    QCOMPARE(colore(c()->txtCodFisc, interno(c()->txtCodFisc)), bianco);

    c()->txtCodFisc->setFocus();
    QCOMPARE(colore(c()->txtFornitore, interno(c()->txtFornitore)), bianco);
    QCOMPARE(colore(c()->txtFornitore, bordo(c()->txtFornitore)), azzurro);
    QCOMPARE(colore(c()->txtCodFisc, interno(c()->txtCodFisc)), giallo);
    QCOMPARE(colore(c()->txtCodFisc, bordo(c()->txtCodFisc)), azzurro);
}

void TestRegPagamenti::suggerimenti_data()
{
    QTest::addColumn<QString>("controllo");
    QTest::addColumn<QString>("testo");
    const QString data = QStringLiteral(
        "Fai clic su questo campo e premi un tasto qualsiasi per importare una data dal calendario.");
    const struct { const char *c; QString t; } righe[] = {
        {"cmdNuovo", QStringLiteral("Prepara la schermata per la registrazione di una nuova scheda.")},
        {"cmdDuplica", QStringLiteral("Prepara la schermata per la registrazione di una nuova scheda duplicando i dati correnti.")},
        {"cmdSalva", QStringLiteral("Salva la scheda corrente in archivio.")},
        {"cmdPrimo", QStringLiteral("Visualizza la prima scheda in archivio.")},
        {"cmdIndietro", QStringLiteral("Visualizza la scheda precedente in archivio.")},
        {"cmdAvanti", QStringLiteral("Visualizza la scheda successiva in archivio.")},
        {"cmdUltimo", QStringLiteral("Visualizza l'ultima scheda in archivio.")},
        {"cmdTrova", QStringLiteral("Trova una scheda in archivio.")},
        {"cmdListino", QStringLiteral("Visualizza il riepilogo dei conti da saldare.")},
        {"cmdFile", QStringLiteral("Allega file alla scheda corrente.")},
        {"cmdStampa", QStringLiteral("Stampa la scheda corrente.")},
        {"cmdEsporta", QStringLiteral("Esporta le schede in archivio in un file di Microsoft Excel.")},
        {"cmdGuida", QStringLiteral("Visualizza la pagina della guida sensibile al contesto.")},
        {"cmdEsci", QStringLiteral("Esci da questa schermata di lavoro.")},
        {"btnCodFisc", QStringLiteral("Controlla il codice fiscale.")},
        {"btnCalcola", QStringLiteral("Calcola il saldo sottraendo l'acconto al totale dovuto.")},
        {"chkDaSaldare", QStringLiteral("Spunta questa casella per annotare che il conto deve essere ancora saldato.")},
        {"txtData", data},
        {"txtDataDoc", data},
    };
    for (const auto &r : righe)
        QTest::newRow(r.c) << QString::fromLatin1(r.c) << r.t;
}

void TestRegPagamenti::suggerimenti()
{
    QFETCH(QString, controllo);
    QFETCH(QString, testo);
    auto muovi = [](QWidget *w) {
        QMouseEvent ev(QEvent::MouseMove, QPointF(3, 3), w->mapToGlobal(QPointF(3, 3)), Qt::NoButton,
                       Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(w, &ev);
    };
    QWidget *w = Trova<QWidget>(m_form.get(), controllo);
    QVERIFY(w);
    muovi(w);
    QCOMPARE(c()->panInfo->text(), testo);
    if (auto *b = qobject_cast<QAbstractButton *>(w); b && !controllo.startsWith(u"chk"))
        QCOMPARE(b->accessibleName(), testo);
    muovi(c()->txtFornitore); // fields without a hint leave the line alone
    QCOMPARE(c()->panInfo->text(), testo);
    muovi(c()->shpScheda);    // the background empties it
    QVERIFY(c()->panInfo->text().isEmpty());
    muovi(w);
    muovi(m_form.get());
    QVERIFY(c()->panInfo->text().isEmpty());
}

void TestRegPagamenti::dialoghi_data()
{
    QTest::addColumn<QString>("comando");
    QTest::addColumn<QString>("classe");
    QTest::addColumn<QString>("etichetta");
    QTest::newRow("trova") << "cmdTrova" << "TfrmTrovaRegPagamenti" << "regpagamenti";
    QTest::newRow("conti da saldare") << "cmdListino" << "TfrmSospesePag" << "";
    QTest::newRow("stampa") << "cmdStampa" << "TfrmStampaRegPagamenti" << "";
    QTest::newRow("esporta") << "cmdEsporta" << "TfrmExpRegPagamenti" << "";
    QTest::newRow("allegati") << "cmdFile" << "TfrmAllegaCartella" << "regpagamenti";
}

void TestRegPagamenti::dialoghi()
{
    QFETCH(QString, comando);
    QFETCH(QString, classe);
    QFETCH(QString, etichetta);
    QPointer<QDialog> visto;
    QString classeVista, etichettaVista;
    QObject *genitore = nullptr;
    bool haMemoria = false;
    m_desk->quandoModale = [&](QDialog *d) {
        visto = d;
        classeVista = QString::fromLatin1(d->metaObject()->className());
        genitore = d->parent();
        if (auto *m = d->findChild<QLabel *>(QStringLiteral("lblMemory"))) {
            haMemoria = true;
            etichettaVista = m->text();
        }
        return int(QDialog::Rejected);
    };
    Clicca(m_form.get(), comando);
    QCOMPARE(m_desk->modali.size(), 1);
    QCOMPARE(classeVista, classe);
    QCOMPARE(genitore, m_form.get());
    // The search dialog gets its hidden caller label from its own developer.
    if (haMemoria)
        QCOMPARE(etichettaVista, etichetta);
    else
        QVERIFY2(etichetta.isEmpty() || classe == u"TfrmTrovaRegPagamenti", "no caller label");
    QVERIFY(visto.isNull()); // destroyed once closed
}

void TestRegPagamenti::chiusura_tornaAlMenu()
{
    Programma::CreaSchermate();
    Schermate &s = Schermate::Globali();
    auto *editor = qobject_cast<TfrmRegPagamenti *>(s.frmRegPagamenti);
    s.frmAvvio->show();
    editor->show();
    QVERIFY(!s.frmAvvio->isVisible());
    QVERIFY(editor->isVisible());
    Clicca(editor, QStringLiteral("cmdEsci"));
    QVERIFY(!editor->isVisible());
    QVERIFY(s.frmAvvio->isVisible());

    editor->show();
    editor->close(); // the window's close button
    QVERIFY(!editor->isVisible());
    QVERIFY(s.frmAvvio->isVisible());
    QVERIFY(!QFileInfo::exists(archivio())); // nothing saved on closing
    Programma::DistruggiSchermate();
}

void TestRegPagamenti::nomiAccessibili()
{
    QCOMPARE(SenzaNomeAccessibile(m_form.get()), QStringList());
    TfrmAllegaCartella a(m_form.get());
    a.show();
    QCOMPARE(SenzaNomeAccessibile(&a), QStringList());
}

void TestRegPagamenti::guida_dieciParagrafi()
{
    QCOMPARE(TestiGuida::TitoloRegistro(), QStringLiteral("App Registro Spese"));
    const QStringList p = TestiGuida::TestoRegistro().split(QStringLiteral("\r\n\r\n"));
    QCOMPARE(p.size(), 10);
    for (const QString &t : p)
        QVERIFY(!t.trimmed().isEmpty() && !t.contains(u'\n') && !t.contains(u'\r'));
    // The values offered while typing, and the last record's fields, belong to adding one.
    for (const char *parola : {"elenco dei valori già registrati", "frecce su e giù", "Invio", "Esc",
                               "ultima scheda", "soltanto rispondendo Sì"})
        QVERIFY2(p.at(1).contains(QString::fromUtf8(parola)), parola);
    // Removing a record and taking it back belong to updating one.
    QVERIFY(p.at(3).contains(QStringLiteral("Elimina")));
    QVERIFY(p.at(3).contains(QStringLiteral("Schede_Eliminate.pro")));
    QVERIFY(p.at(3).contains(QStringLiteral("Ripristina")));
}

QTEST_MAIN(TestRegPagamenti)
#include "tst_regpagamenti.moc"
