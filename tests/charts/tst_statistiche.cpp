#include "Programma.h"
#include "app/Avvio.h"
#include "charts/Statistiche.h"
#include "platform/Schermate.h"
#include "platform/chart/Grafico.h"
#include "register/Archivio.h"

#include "ArchivioDiProva.h"
#include "FakeDesktop.h"
#include "GuiTest.h"

#include <QDir>
#include <QFile>
#include <QMouseEvent>
#include <QPrinter>
#include <QRegularExpression>
#include <QtTest>
#include <memory>

using namespace GuiTest;

namespace {

const QString kDomandaStampa = QStringLiteral("Si vuole stampare il presente grafico statistico?");

// Pages of a PDF written by Qt, each with its width and height in points.
QList<QSizeF> PaginePdf(const QString &file)
{
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    const QByteArray pdf = f.readAll();
    QList<QSizeF> pagine;
    static const QRegularExpression pagina(
        QStringLiteral(R"(/Type\s*/Page\b(?!s)[^>]*?/MediaBox\s*\[\s*0\s+0\s+([\d.]+)\s+([\d.]+)\s*\])"),
        QRegularExpression::DotMatchesEverythingOption);
    auto it = pagina.globalMatch(QString::fromLatin1(pdf));
    while (it.hasNext()) {
        const auto m = it.next();
        pagine.append(QSizeF(m.captured(1).toDouble(), m.captured(2).toDouble()));
    }
    return pagine;
}

} // namespace

class TestStatistiche : public QObject {
    Q_OBJECT
    std::unique_ptr<FakeDesktopInstallato> m_desktop;
    TfrmStatistiche *m_form = nullptr;

    FakeDesktopInstallato &Fd() { return *m_desktop; }
    Grafico *Chart() { return Trova<Grafico>(m_form, u"ChartStats"_qs); }
    bool Visibile(const QString &nome) { return Trova<QWidget>(m_form, nome)->isVisible(); }

    // Records given as "date|amount due".
    void Archivio(const QStringList &righe)
    {
        QList<TScheda> schede;
        for (const QString &r : righe) {
            const QStringList c = r.split(u'|');
            schede.append(ArchivioDiProva::Semplice(u"Fornitore"_qs, c.at(0), u"C1"_qs, u"Servizio"_qs, c.at(1)));
        }
        ArchivioDiProva::Scrivi(Archivio::Percorso(Fd().cartella.path()), schede);
    }
    void Apri(const QString &anno)
    {
        if (!m_form->isVisible())
            m_form->show();
        Scrivi(m_form, u"txtAnno"_qs, anno);
        Clicca(m_form, u"btnApri"_qs);
    }

private slots:
    void init()
    {
        m_desktop = std::make_unique<FakeDesktopInstallato>();
        Programma::CreaSchermate();
        m_form = qobject_cast<TfrmStatistiche *>(Schermate::Globali().frmStatistiche);
    }
    void cleanup()
    {
        Programma::DistruggiSchermate();
        m_desktop.reset();
    }

    void mostra_partedallAnnoCorrente()
    {
        m_form->show();
        QCOMPARE(m_form->windowTitle(), u" Valmora - Grafici Spese Annuali"_qs);
        QCOMPARE(Testo(m_form, u"txtAnno"_qs), u"2024"_qs);
        QVERIFY(Visibile(u"panAvvio"_qs));
        QVERIFY(!Visibile(u"panContainer"_qs));
        QCOMPARE(m_form->focusWidget(), Trova<QWidget>(m_form, u"txtAnno"_qs));
    }

    void apri_disegnaDodiciMesi()
    {
        Archivio({u"15/03/2024|10,20"_qs, u"15/03/2024|5,35"_qs, u"20/11/2024|99,50"_qs, u"20/11/2023|7,00"_qs});
        Apri(u"2024"_qs);
        QVERIFY(Visibile(u"panContainer"_qs));
        QVERIFY(!Visibile(u"panAvvio"_qs));
        QVERIFY(Chart()->isVisible());
        QCOMPARE(Testo(m_form, u"lblTitolo"_qs), u"Rappresentazione grafica delle spese sostenute nell'anno 2024."_qs);
        const QList<PuntoGrafico> &punti = Chart()->Serie().Punti();
        QCOMPARE(punti.size(), 12);
        const QStringList mesi{u"Gennaio"_qs, u"Febbraio"_qs, u"Marzo"_qs, u"Aprile"_qs, u"Maggio"_qs, u"Giugno"_qs,
                               u"Luglio"_qs, u"Agosto"_qs, u"Settembre"_qs, u"Ottobre"_qs, u"Novembre"_qs,
                               u"Dicembre"_qs};
        const QList<QRgb> colori{0xFFFF0000, 0xFF0000FF, 0xFFFFE4C4, 0xFFFF00FF, 0xFFC0DCC0, 0xFFFFFF00,
                                 0xFF00FF00, 0xFFC0C0C0, 0xFFF0FBFF, 0xFF87CEEB, 0xFF800000, 0xFF008000};
        for (int m = 0; m < 12; ++m) {
            QCOMPARE(punti[m].etichetta, mesi[m]);
            QCOMPARE(punti[m].colore.rgba(), colori[m]);
            QCOMPARE(punti[m].valore, m == 2 ? 16.0 : m == 10 ? 100.0 : 0.0);
        }
        // The year shows only in the screen's title, never in the chart's.
        QCOMPARE(Chart()->Titolo().testo, u"Grafici statistici spese"_qs);
        QCOMPARE(Chart()->Piede().testo, u"Tutti gli importi sono arrotondati all'euro"_qs);
        QCOMPARE(Chart()->TitoloLegenda(), u"Spese mensili:"_qs);
        QVERIFY(Fd().messaggi.isEmpty());
    }

    void annoNonDiQuattroCaratteri_avvisa_data()
    {
        QTest::addColumn<QString>("anno");
        QTest::newRow("three digits") << u"202"_qs;
        QTest::newRow("empty") << QString();
    }
    void annoNonDiQuattroCaratteri_avvisa()
    {
        QFETCH(QString, anno);
        Archivio({u"15/03/2024|10,00"_qs});
        Apri(anno);
        QCOMPARE(Fd().messaggi.size(), 1);
        QCOMPARE(Fd().ultimoGenere(), FakeDesktop::Voce::Avviso);
        QCOMPARE(Fd().ultimoTesto(), u"Attenzione: indicare l'anno solare utilizzando quattro cifre."_qs);
        QVERIFY(Visibile(u"panAvvio"_qs));
        QVERIFY(!Visibile(u"panContainer"_qs));
        QCOMPARE(m_form->focusWidget(), Trova<QWidget>(m_form, u"txtAnno"_qs));
        QCOMPARE(Testo(m_form, u"lblTitolo"_qs), u"Rappresentazione grafica delle spese sostenute nell'anno solare."_qs);
    }

    void importoIlleggibile_data()
    {
        QTest::addColumn<QStringList>("schede");
        QTest::addColumn<QString>("anno");
        QTest::addColumn<QString>("posizioni"); // empty: the chart is drawn
        QTest::newRow("same year: named") << QStringList{u"15/03/2023|8,00"_qs, u"15/03/2024|"_qs} << u"2024"_qs
                                          << u"2"_qs;
        QTest::newRow("other year: ignored") << QStringList{u"15/03/2023|8,00"_qs, u"15/03/2024|"_qs}
                                             << u"2023"_qs << QString();
        QTest::newRow("all of them, in file order")
            << QStringList{u"15/03/2024|abc"_qs, u"15/04/2024|1,00"_qs, u"15/05/2024|1.5"_qs, u"01/12/2024|"_qs}
            << u"2024"_qs << u"1, 3, 4"_qs;
        QStringList molte;
        for (int i = 0; i < 12; ++i)
            molte << u"15/06/2024|x"_qs;
        QTest::newRow("more than ten") << molte << u"2024"_qs << u"1, 2, 3, 4, 5, 6, 7, 8, 9, 10, ..."_qs;
    }
    void importoIlleggibile()
    {
        QFETCH(QStringList, schede);
        QFETCH(QString, anno);
        QFETCH(QString, posizioni);
        Archivio(schede);
        Apri(anno);
        const bool grafico = posizioni.isEmpty();
        QCOMPARE(Visibile(u"panContainer"_qs), grafico);
        QCOMPARE(Visibile(u"panAvvio"_qs), !grafico);
        QCOMPARE(Testo(m_form, u"lblTitolo"_qs),
                 u"Rappresentazione grafica delle spese sostenute nell'anno "_qs + anno + u"."_qs);
        if (grafico) {
            QVERIFY(Fd().messaggi.isEmpty());
            QCOMPARE(Chart()->Serie().Punti().at(2).valore, 8.0);
            return;
        }
        QCOMPARE(Fd().messaggi.size(), 1);
        QCOMPARE(Fd().ultimoGenere(), FakeDesktop::Voce::Errore);
        QCOMPARE(Fd().ultimoTesto(),
                 u"Attenzione: il grafico dell'anno "_qs + anno + u" non può essere disegnato.\n\r\n\r"
                 "Le schede n. "_qs + posizioni + u" dell'archivio hanno il totale dovuto non leggibile: "
                 "correggerle nel Registro spese e premere di nuovo Apri."_qs);
        QCOMPARE(m_form->focusWidget(), Trova<QWidget>(m_form, u"txtAnno"_qs));
    }

    void archivioInaccessibile_avvisa()
    {
        // A folder where the archive should be: it can be neither opened nor created.
        QVERIFY(QDir(Fd().cartella.path()).mkdir(Archivio::NomeFile()));
        Apri(u"2024"_qs);
        QVERIFY(Visibile(u"panAvvio"_qs));
        QCOMPARE(Fd().messaggi.size(), 1);
        QCOMPARE(Fd().ultimoGenere(), FakeDesktop::Voce::Errore);
        QVERIFY2(Fd().ultimoTesto().startsWith(u"Attenzione: il sistema non permette di accedere all'archivio."_qs),
                 qPrintable(Fd().ultimoTesto()));
    }

    void tastiAnno_data()
    {
        QTest::addColumn<QString>("tasti");
        QTest::addColumn<QString>("testo");
        QTest::newRow("digits") << u"1999"_qs << u"1999"_qs;
        QTest::newRow("letters and signs are swallowed") << u"2a0-2 4."_qs << u"2024"_qs;
        QTest::newRow("at most four") << u"202456"_qs << u"2024"_qs;
    }
    void tastiAnno()
    {
        QFETCH(QString, tasti);
        QFETCH(QString, testo);
        m_form->show();
        Scrivi(m_form, u"txtAnno"_qs, tasti);
        QCOMPARE(Testo(m_form, u"txtAnno"_qs), testo);
    }

    void invio_portaSuApri()
    {
        m_form->show();
        auto *anno = Trova<QLineEdit>(m_form, u"txtAnno"_qs);
        anno->setFocus();
        QTest::keyClick(anno, Qt::Key_Return);
        QCOMPARE(m_form->focusWidget(), Trova<QWidget>(m_form, u"btnApri"_qs));
        QVERIFY(Visibile(u"panAvvio"_qs)); // Enter does not open by itself
    }

    void torta_restaDopoLaRiapertura()
    {
        Archivio({u"15/03/2024|10,00"_qs, u"15/04/2024|30,00"_qs});
        Apri(u"2024"_qs);
        QCOMPARE(Chart()->Serie().Tipo(), TipoSerie::Barre);
        Clicca(m_form, u"btnTorta"_qs);
        QCOMPARE(Chart()->Serie().Tipo(), TipoSerie::Torta);
        QVERIFY(Chart()->View3D());
        QCOMPARE(Chart()->Serie().Punti().size(), 12); // the points stay

        Clicca(m_form, u"btnEsci"_qs);
        QVERIFY(!m_form->isVisible());
        QVERIFY(Schermate::Globali().frmAvvio->isVisible());

        m_form->show();
        QVERIFY(Visibile(u"panAvvio"_qs));
        QVERIFY(!Visibile(u"panContainer"_qs));
        QVERIFY(Chart()->Serie().Punti().isEmpty());
        Clicca(m_form, u"btnApri"_qs);
        QCOMPARE(Chart()->Serie().Tipo(), TipoSerie::Torta);
        QCOMPARE(Chart()->Serie().Punti().at(3).valore, 30.0);

        Clicca(m_form, u"btnBarre"_qs);
        QCOMPARE(Chart()->Serie().Tipo(), TipoSerie::Barre);
    }

    void imgEsci_chiudeDalPannelloAnno()
    {
        m_form->show();
        Clicca(m_form, u"imgEsci"_qs);
        QVERIFY(!m_form->isVisible());
        QVERIFY(Schermate::Globali().frmAvvio->isVisible());
    }

    void suggerimenti_data()
    {
        QTest::addColumn<QString>("controllo");
        QTest::addColumn<QString>("suggerimento");
        QTest::newRow("btnBarre") << u"btnBarre"_qs
                                  << u"Visualizza le statistiche delle spese sotto forma di grafico a barre tridimensionali."_qs;
        QTest::newRow("btnTorta") << u"btnTorta"_qs
                                  << u"Visualizza le statistiche delle spese sotto forma di grafico a torta tridimensionale."_qs;
        QTest::newRow("btnStampa") << u"btnStampa"_qs << u"Stampa il grafico corrente."_qs;
        QTest::newRow("btnEsci") << u"btnEsci"_qs << u"Esci da questo ambiente di lavoro."_qs;
        QTest::newRow("cmdGuida") << u"cmdGuida"_qs << u"Visualizza la pagina della guida sensibile al contesto."_qs;
    }
    void suggerimenti()
    {
        QFETCH(QString, controllo);
        QFETCH(QString, suggerimento);
        Archivio({});
        Apri(u"2024"_qs);
        auto Muovi = [](QWidget *w) {
            QMouseEvent e(QEvent::MouseMove, QPointF(5, 5), w->mapToGlobal(QPointF(5, 5)), Qt::NoButton,
                          Qt::NoButton, Qt::NoModifier);
            QApplication::sendEvent(w, &e);
        };
        Muovi(Trova<QWidget>(m_form, controllo));
        QCOMPARE(Testo(m_form, u"panInfo"_qs), suggerimento);
        Muovi(Chart());
        QCOMPARE(Testo(m_form, u"panInfo"_qs), QString());
        Muovi(Trova<QWidget>(m_form, controllo));
        Muovi(Trova<QWidget>(m_form, u"panContainer"_qs));
        QCOMPARE(Testo(m_form, u"panInfo"_qs), QString());
    }

    void nomiAccessibili()
    {
        Archivio({});
        m_form->show();
        QCOMPARE(SenzaNomeAccessibile(m_form), QStringList());
        Apri(u"2024"_qs);
        QVERIFY(Visibile(u"panContainer"_qs));
        QCOMPARE(SenzaNomeAccessibile(m_form), QStringList());
    }

    // --- printing

    void stampa_unaPaginaOrizzontalePerCopia_data()
    {
        QTest::addColumn<QString>("risposta");
        QTest::addColumn<int>("copieNelDialogo"); // -1: left as it is
        QTest::addColumn<int>("copieProposte");
        QTest::addColumn<int>("stampe");
        QTest::newRow("3") << u"3"_qs << -1 << 3 << 3;
        QTest::newRow("3, then 2 in the dialog") << u"3"_qs << 2 << 3 << 2;
        QTest::newRow("leading zeros") << u"002"_qs << -1 << 2 << 2;
        QTest::newRow("letters give 1") << u"tre"_qs << -1 << 1 << 1;
        QTest::newRow("digit then letter gives 1") << u"3a"_qs << -1 << 1 << 1;
        QTest::newRow("blank then digit gives 1") << u" 3"_qs << -1 << 1 << 1;
        QTest::newRow("empty gives 1") << QString() << -1 << 1 << 1;
        QTest::newRow("blanks give 1") << u"   "_qs << -1 << 1 << 1;
        QTest::newRow("largest count is accepted") << u"2147483647"_qs << 1 << 2147483647 << 1;
        QTest::newRow("0 prints nothing") << u"0"_qs << -1 << 0 << 0;
    }
    void stampa_unaPaginaOrizzontalePerCopia()
    {
        QFETCH(QString, risposta);
        QFETCH(int, copieNelDialogo);
        QFETCH(int, copieProposte);
        QFETCH(int, stampe);
        Archivio({u"15/03/2024|10,00"_qs});
        Apri(u"2024"_qs);
        Fd().inputBox.enqueue(risposta);
        int proposte = -1;
        Fd().nelDialogoStampa = [&](QPrinter &p) {
            proposte = p.copyCount();
            // Whatever the dialog chooses, the chart goes on a landscape page.
            p.setPageOrientation(QPageLayout::Portrait);
            if (copieNelDialogo >= 0)
                p.setCopyCount(copieNelDialogo);
        };
        Clicca(m_form, u"btnStampa"_qs);

        QCOMPARE(Fd().messaggi.size(), 2);
        QCOMPARE(Fd().messaggi[0].genere, FakeDesktop::Voce::Domanda);
        QCOMPARE(Fd().messaggi[0].testo, kDomandaStampa);
        QCOMPARE(Fd().titoloInput, u"Numero copie da stampare"_qs);
        QCOMPARE(Fd().richiestaInput, u"Copie:"_qs);
        QCOMPARE(Fd().valoreInput, u"1"_qs);
        QCOMPARE(Fd().dialoghiStampa, 1);
        QCOMPARE(proposte, copieProposte);
        QCOMPARE(Fd().stampe.size(), stampe);
        for (const QString &pdf : std::as_const(Fd().stampe)) {
            const QList<QSizeF> pagine = PaginePdf(pdf);
            QCOMPARE(pagine.size(), 1);
            QVERIFY2(pagine[0].width() > pagine[0].height(), qPrintable(pdf));
        }
        QVERIFY(Visibile(u"panContainer"_qs));
    }

    void stampa_annullata_data()
    {
        QTest::addColumn<bool>("si");
        QTest::addColumn<bool>("confermaInput");
        QTest::addColumn<bool>("confermaDialogo");
        QTest::addColumn<int>("dialoghi");
        QTest::newRow("No to the question") << false << true << true << 0;
        QTest::newRow("input box cancelled") << true << false << true << 0;
        QTest::newRow("print dialog cancelled") << true << true << false << 1;
    }
    void stampa_annullata()
    {
        QFETCH(bool, si);
        QFETCH(bool, confermaInput);
        QFETCH(bool, confermaDialogo);
        QFETCH(int, dialoghi);
        Archivio({u"15/03/2024|10,00"_qs});
        Apri(u"2024"_qs);
        Fd().risposte.enqueue(si);
        if (confermaInput)
            Fd().inputBox.enqueue(u"2"_qs);
        Fd().stampaAccettata = confermaDialogo;
        Clicca(m_form, u"btnStampa"_qs);
        QCOMPARE(Fd().dialoghiStampa, dialoghi);
        QVERIFY(Fd().stampe.isEmpty());
        QCOMPARE(Fd().messaggi.first().testo, kDomandaStampa);
        QCOMPARE(Fd().messaggi.size(), si ? 2 : 1); // no input box after No
        QVERIFY(Visibile(u"panContainer"_qs));
    }

    void stampa_copieOltreIlLimite_data()
    {
        QTest::addColumn<QString>("risposta");
        QTest::newRow("2147483648") << u"2147483648"_qs;
        QTest::newRow("twenty digits") << u"99999999999999999999"_qs;
    }
    void stampa_copieOltreIlLimite()
    {
        QFETCH(QString, risposta);
        Archivio({u"15/03/2024|10,00"_qs});
        Apri(u"2024"_qs);
        Fd().inputBox.enqueue(risposta);
        Clicca(m_form, u"btnStampa"_qs);
        QCOMPARE(Fd().ultimoGenere(), FakeDesktop::Voce::Avviso);
        QVERIFY(Fd().ultimoTesto().startsWith(u"Attenzione: il numero di copie indicato è troppo grande."_qs));
        QCOMPARE(Fd().dialoghiStampa, 0);
        QVERIFY(Fd().stampe.isEmpty());
    }
};

QTEST_MAIN(TestStatistiche)
#include "tst_statistiche.moc"
