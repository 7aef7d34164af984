// The record sheet: what the register editor shows, printed on one A4 page
// at the places of its design, through the small Stampa/Annulla dialog.

#include "FakeDesktop.h"
#include "GuiTest.h"
#include "TestoPdf.h"
#include "Programma.h"
#include "output/StampaRegPagamenti.h"
#include "platform/Schermate.h"
#include "register/RegPagamenti.h"

#include <QPointer>
#include <QPushButton>
#include <QtTest>

namespace {

struct Riga {
    const char *campo;
    const char *etichetta;
};

// The thirteen rows, top to bottom.
const Riga Righe[] = {
    {"txtNumDoc", "Documento n."},        {"txtDataDoc", "Data emissione:"},
    {"txtFornitore", "Beneficiario:"},    {"txtCodFisc", "Codice fiscale:"},
    {"txtData", "Data operazione:"},      {"txtCodice", "Codice prodotto o servizio:"},
    {"txtTipologia", "Tipologia:"},       {"txtServizi", "Prodotto o servizio:"},
    {"txtDettagli", "Dettagli:"},         {"txtDovuto", "Totale dovuto:  €"},
    {"txtAcconto", "Acconto:  €"},        {"txtSaldo", "Saldo:  €"},
    {"txtNote", "Note:"},
};

const QString Titolo = QStringLiteral("SCHEDA OPERAZIONE IN USCITA");
const QString Calce = QStringLiteral("Stampa eseguita in data 15/03/2024 alle ore 10:30:00");

} // namespace

class TestStampaRegPagamenti : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void aspettoDelDialogo();
    void valoreStampatoNellaSuaRiga_data();
    void valoreStampatoNellaSuaRiga();
    void schedaCompletaSullaCarta();
    void editorVuoto();
    void valoreLungoNonVaACapo();
    void posizioni_data();
    void posizioni();
    void annulla();
    void invioSulPulsante_data();
    void invioSulPulsante();
    void dialogoDiStampaAnnullato();
    void dueStampeComplete();

private:
    QLineEdit *Campo(const QString &nome);
    // Opens a new dialog as the editor does, presses the given button inside it.
    void Apri(const QString &pulsante);

    std::unique_ptr<FakeDesktopInstallato> m_desktop;
    QPointer<TfrmStampaRegPagamenti> m_ultimo;
    bool m_visibileDopo = true;
};

void TestStampaRegPagamenti::init()
{
    m_desktop = std::make_unique<FakeDesktopInstallato>();
    Programma::CreaSchermate();
}

void TestStampaRegPagamenti::cleanup()
{
    Programma::DistruggiSchermate();
    m_desktop.reset();
}

QLineEdit *TestStampaRegPagamenti::Campo(const QString &nome)
{
    QWidget *editor = Schermate::Globali().frmRegPagamenti;
    auto *e = editor->findChild<QLineEdit *>(nome);
    if (!e) {
        // The editor under construction may not have every edit yet.
        e = new QLineEdit(editor);
        e->setObjectName(nome);
    }
    return e;
}

void TestStampaRegPagamenti::Apri(const QString &pulsante)
{
    auto *dlg = new TfrmStampaRegPagamenti(Schermate::Globali().frmRegPagamenti);
    m_ultimo = dlg;
    m_desktop->quandoModale = [&](QDialog *d) {
        GuiTest::Clicca(d, pulsante);
        return d->result();
    };
    Desktop::Corrente().MostraModale(dlg);
    m_visibileDopo = dlg->isVisible();
    // The editor keeps the last one alive until here, to inspect it.
}

void TestStampaRegPagamenti::aspettoDelDialogo()
{
    TfrmStampaRegPagamenti dlg(Schermate::Globali().frmRegPagamenti);
    // The form as it will be shown; the dialog builds it on first showing.
    dlg.Completa();
    QCOMPARE(dlg.windowTitle(), QStringLiteral(" Stampa scheda"));
    QCOMPARE(dlg.size(), QSize(364, 287));
    QCOMPARE(dlg.minimumSize(), dlg.maximumSize());
    QVERIFY(!(dlg.windowFlags() & Qt::WindowCloseButtonHint));
    for (const char *nome : {"btnStampa", "btnAnnulla"}) {
        auto *b = GuiTest::Trova<QPushButton>(&dlg, QString::fromLatin1(nome));
        QVERIFY(b);
        QCOMPARE(b->size(), QSize(137, 28));
    }
    QCOMPARE(GuiTest::Testo(&dlg, QStringLiteral("btnStampa")), QStringLiteral("Stampa"));
    QCOMPARE(GuiTest::Testo(&dlg, QStringLiteral("btnAnnulla")), QStringLiteral("Annulla"));
    dlg.show();
    QCOMPARE(GuiTest::SenzaNomeAccessibile(&dlg), QStringList());
    QVERIFY(dlg.findChildren<QLineEdit *>().isEmpty());
}

void TestStampaRegPagamenti::valoreStampatoNellaSuaRiga_data()
{
    QTest::addColumn<QString>("campo");
    QTest::addColumn<QString>("etichetta");
    QTest::addColumn<QString>("scritto");
    QTest::addColumn<QString>("stampato");
    const QString esempi[] = {
        QStringLiteral("FT 2024/0042"), QStringLiteral("04/03/2024"), QStringLiteral("  Idraulica Bianchi S.n.c."),
        QStringLiteral("RSSMRA80A01H501U "), QStringLiteral("05/03/2024"), QStringLiteral("IDR-01"),
        QStringLiteral("Manutenzione"), QStringLiteral("Sostituzione caldaia"), QStringLiteral("\tcon collaudo\t"),
        QStringLiteral("  1250,00 "), QStringLiteral(" 500,00"), QStringLiteral("750,00   "),
        QStringLiteral("Saldo entro [30] giorni [DATE]"),
    };
    int i = 0;
    for (const Riga &r : Righe) {
        const QString scritto = esempi[i++];
        QTest::newRow(r.campo) << QString::fromLatin1(r.campo) << QString::fromUtf8(r.etichetta) << scritto
                               << scritto.trimmed();
    }
}

void TestStampaRegPagamenti::valoreStampatoNellaSuaRiga()
{
    QFETCH(QString, campo);
    QFETCH(QString, etichetta);
    QFETCH(QString, scritto);
    QFETCH(QString, stampato);
    Campo(campo)->setText(scritto);
    Apri(QStringLiteral("btnStampa"));
    QVERIFY(m_ultimo);
    QCOMPARE(m_ultimo->Documento()->PaginePreparate().value(0).Trova(campo)->Testo(), stampato);

    QCOMPARE(m_desktop->stampe.size(), 1);
    const QStringList testo = TestoPdf::Righe(TestoPdf::Pagine(m_desktop->stampe[0]).value(0));
    const QString attesa = (etichetta + QLatin1Char(' ') + stampato).simplified();
    QVERIFY2(testo.contains(attesa), qPrintable(testo.join(QLatin1Char('|'))));
}

void TestStampaRegPagamenti::schedaCompletaSullaCarta()
{
    QStringList attese{Titolo};
    int i = 0;
    for (const Riga &r : Righe) {
        const QString valore = QStringLiteral("valore %1").arg(++i);
        Campo(QString::fromLatin1(r.campo))->setText(QStringLiteral("  ") + valore);
        attese << (QString::fromUtf8(r.etichetta) + QLatin1Char(' ') + valore).simplified();
    }
    attese << Calce;
    Apri(QStringLiteral("btnStampa"));
    QVERIFY(!m_visibileDopo);
    QCOMPARE(m_desktop->dialoghiStampa, 1);
    QCOMPARE(m_desktop->stampe.size(), 1);
    const QList<QSizeF> formati = TestoPdf::Formati(m_desktop->stampe[0]);
    QCOMPARE(formati.size(), 1);
    QVERIFY(qAbs(formati[0].width() - 210) < 0.5 && qAbs(formati[0].height() - 297) < 0.5);
    QCOMPARE(TestoPdf::Righe(TestoPdf::Pagine(m_desktop->stampe[0]).value(0)), attese);
    QCOMPARE(TestoPdf::Informazione(m_desktop->stampe[0], QStringLiteral("Title")), QStringLiteral("Scheda Spesa"));
}

void TestStampaRegPagamenti::editorVuoto()
{
    for (const Riga &r : Righe)
        Campo(QString::fromLatin1(r.campo))->clear();
    Apri(QStringLiteral("btnStampa"));
    QStringList attese{Titolo};
    for (const Riga &r : Righe)
        attese << QString::fromUtf8(r.etichetta).simplified();
    attese << Calce;
    QCOMPARE(TestoPdf::Righe(TestoPdf::Pagine(m_desktop->stampe.value(0)).value(0)), attese);
}

void TestStampaRegPagamenti::valoreLungoNonVaACapo()
{
    QString lungo;
    for (int i = 1; lungo.size() < 240; ++i)
        lungo += QStringLiteral("parola%1 ").arg(i);
    Campo(QStringLiteral("txtDettagli"))->setText(lungo);
    Apri(QStringLiteral("btnStampa"));
    const PaginaPreparata &p = m_ultimo->Documento()->PaginePreparate().value(0);
    QCOMPARE(p.Trova(QStringLiteral("txtDettagli"))->NumeroRighe(), 1);
    QVERIFY(!p.Trova(QStringLiteral("txtDettagli"))->stile.aCapo);
    // On paper the next row follows at once: no second line of details.
    const QStringList testo = TestoPdf::Righe(TestoPdf::Pagine(m_desktop->stampe.value(0)).value(0));
    qsizetype i = 0;
    while (i < testo.size() && !testo[i].startsWith(QStringLiteral("Dettagli: parola1 ")))
        ++i;
    QVERIFY2(i + 1 < testo.size(), qPrintable(testo.join(QLatin1Char('|'))));
    QVERIFY2(testo[i + 1].startsWith(QStringLiteral("Totale dovuto: €")), qPrintable(testo[i + 1]));
}

void TestStampaRegPagamenti::posizioni_data()
{
    // Places on the paper, in mm from its top left corner: the design's
    // places plus the 10 mm margins.
    QTest::addColumn<QString>("nome");
    QTest::addColumn<QRectF>("atteso");
    QTest::newRow("Shape1") << QStringLiteral("Shape1") << QRectF(11, 11, 188, 5.8);
    QTest::newRow("titArcataSup") << QStringLiteral("titArcataSup") << QRectF(12, 12, 185.8, 4.2);
    QTest::newRow("Shape23") << QStringLiteral("Shape23") << QRectF(11, 82, 188, 5.8);
    QTest::newRow("txtCalce") << QStringLiteral("txtCalce") << QRectF(12, 83, 185.8, 4.2);
    QTest::newRow("Line2") << QStringLiteral("Line2") << QRectF(52, 17, 0, 64.6);
    const char *const rettangoli[] = {"Shape2", "Shape3", "Shape4", "Shape6", "Shape7", "Shape8", "Shape9",
                                      "Shape10", "Shape11", "Shape12", "Shape13", "Shape14", "Shape15"};
    for (int i = 0; i < 13; ++i) {
        const double alto = 17 + 5 * i;
        const QString etichetta = QStringLiteral("Memo%1").arg(i + 1);
        QTest::newRow(rettangoli[i]) << QString::fromLatin1(rettangoli[i]) << QRectF(11, alto, 188, 4.6);
        QTest::newRow(qPrintable(etichetta))
            << etichetta << QRectF(12, alto + 0.5, etichetta == u"Memo9" ? 39.5 : 37.8, 3.5);
        QTest::newRow(Righe[i].campo) << QString::fromLatin1(Righe[i].campo) << QRectF(54, alto + 0.5, 144, 3.5);
    }
}

void TestStampaRegPagamenti::posizioni()
{
    QFETCH(QString, nome);
    QFETCH(QRectF, atteso);
    Apri(QStringLiteral("btnStampa"));
    const auto &pagine = m_ultimo->Documento()->PaginePreparate();
    QCOMPARE(pagine.size(), 1);
    QCOMPARE(pagine[0].carta, QSizeF(210, 297));
    QCOMPARE(pagine[0].orientamento, QPageLayout::Portrait);
    QCOMPARE(pagine[0].margini, QMarginsF(10, 10, 10, 10));
    const OggettoReport *o = pagine[0].Trova(nome);
    QVERIFY(o);
    const QRectF r = o->mm;
    QVERIFY2(qAbs(r.left() - atteso.left()) <= 0.1 && qAbs(r.top() - atteso.top()) <= 0.1
                 && qAbs(r.width() - atteso.width()) <= 0.1 && qAbs(r.height() - atteso.height()) <= 0.1,
             qPrintable(QStringLiteral("%1,%2 %3x%4").arg(r.left()).arg(r.top()).arg(r.width()).arg(r.height())));
}

void TestStampaRegPagamenti::annulla()
{
    Campo(QStringLiteral("txtFornitore"))->setText(QStringLiteral("Rossi"));
    Apri(QStringLiteral("btnAnnulla"));
    QVERIFY(!m_visibileDopo);
    QCOMPARE(m_desktop->dialoghiStampa, 0);
    QVERIFY(m_desktop->stampe.isEmpty());
}

void TestStampaRegPagamenti::invioSulPulsante_data()
{
    QTest::addColumn<QString>("pulsante");
    QTest::addColumn<int>("dialoghi");
    QTest::newRow("Annulla") << QStringLiteral("btnAnnulla") << 0;
    QTest::newRow("Stampa") << QStringLiteral("btnStampa") << 1;
}

void TestStampaRegPagamenti::invioSulPulsante()
{
    // Enter presses the button that has the focus, not another one.
    QFETCH(QString, pulsante);
    QFETCH(int, dialoghi);
    m_desktop->stampaAccettata = false;
    auto *dlg = new TfrmStampaRegPagamenti(Schermate::Globali().frmRegPagamenti);
    m_ultimo = dlg;
    m_desktop->quandoModale = [&](QDialog *d) {
        auto *b = GuiTest::Trova<QPushButton>(d, pulsante);
        b->setFocus();
        QTest::keyClick(b, Qt::Key_Return);
        return d->result();
    };
    Desktop::Corrente().MostraModale(dlg);
    QVERIFY(!dlg->isVisible());
    QCOMPARE(m_desktop->dialoghiStampa, dialoghi);
}

void TestStampaRegPagamenti::dialogoDiStampaAnnullato()
{
    m_desktop->stampaAccettata = false;
    Apri(QStringLiteral("btnStampa"));
    QVERIFY(!m_visibileDopo);
    QCOMPARE(m_desktop->dialoghiStampa, 1);
    QVERIFY(m_desktop->stampe.isEmpty());
}

void TestStampaRegPagamenti::dueStampeComplete()
{
    Campo(QStringLiteral("txtFornitore"))->setText(QStringLiteral("Rossi"));
    Apri(QStringLiteral("btnStampa"));
    Campo(QStringLiteral("txtFornitore"))->setText(QStringLiteral("Verdi"));
    Apri(QStringLiteral("btnStampa"));
    QCOMPARE(m_desktop->stampe.size(), 2);
    const QStringList prima = TestoPdf::Righe(TestoPdf::Pagine(m_desktop->stampe[0]).value(0));
    const QStringList seconda = TestoPdf::Righe(TestoPdf::Pagine(m_desktop->stampe[1]).value(0));
    QCOMPARE(prima.size(), 15);
    QCOMPARE(seconda.size(), 15);
    QVERIFY(prima.contains(QStringLiteral("Beneficiario: Rossi")));
    QVERIFY(seconda.contains(QStringLiteral("Beneficiario: Verdi")));
    QCOMPARE(seconda.last(), Calce);
}

QTEST_MAIN(TestStampaRegPagamenti)
#include "tst_stampa_reg_pagamenti.moc"
