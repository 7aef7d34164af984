// The list report: layout of its page, bands and texts, the body split over
// landscape pages, and what reaches paper.

#include "FakeDesktop.h"
#include "TestoPdf.h"
#include "lists/ReportLista.h"

#include <QtTest>

namespace {

constexpr double Tolleranza = 0.1; // mm

QString Confronta(const QRectF &avuto, const QRectF &atteso)
{
    return QStringLiteral("got %1,%2 %3x%4 mm, expected %5,%6 %7x%8 mm")
        .arg(avuto.left()).arg(avuto.top()).arg(avuto.width()).arg(avuto.height())
        .arg(atteso.left()).arg(atteso.top()).arg(atteso.width()).arg(atteso.height());
}

bool Vicini(const QRectF &a, const QRectF &b)
{
    return qAbs(a.left() - b.left()) <= Tolleranza && qAbs(a.top() - b.top()) <= Tolleranza
        && qAbs(a.width() - b.width()) <= Tolleranza && qAbs(a.height() - b.height()) <= Tolleranza;
}

QStringList Righe(int n)
{
    QStringList r;
    for (int i = 1; i <= n; ++i)
        r << QStringLiteral("%1  05/03/2024  FORNITORE %2  CODICE%3  PRODOTTO  %4,00")
                 .arg(i, 4, 10, QLatin1Char('0')).arg(i).arg(i % 7).arg(i * 3);
    return r;
}

const QString Chiusura = QStringLiteral("Stampa eseguita in data 15/03/2024 alle ore 10:30:00");

} // namespace

class TestReportLista : public QObject {
    Q_OBJECT

private slots:
    void paginaEPosizioni_data();
    void paginaEPosizioni();
    void altezzaDelCorpo_data();
    void altezzaDelCorpo();
    void testiCompilati();
    void sullaCarta_data();
    void sullaCarta();
    void duecentoRigheSuPiuPagine();
    void parentesiStampateComeScritte();
    void annullareNonStampaNulla();
    void dueStampeComplete();
};

void TestReportLista::paginaEPosizioni_data()
{
    // One line of body: 12.822 units = 3.3925 mm; the band 10 units more (2.6458 mm).
    const double corpo = 12.822 * 25.4 / 96;
    const double banda = corpo + 10 * 25.4 / 96;
    const double piede = 18 + banda;
    QTest::addColumn<QString>("nome");
    QTest::addColumn<bool>("eBanda");
    QTest::addColumn<QRectF>("atteso");
    QTest::newRow("ReportTitle") << QStringLiteral("ReportTitle") << true << QRectF(10, 10, 277, 8);
    QTest::newRow("txtTitolo") << QStringLiteral("txtTitolo") << false << QRectF(12, 11, 273, 5);
    QTest::newRow("MasterData") << QStringLiteral("MasterData") << true << QRectF(10, 18, 277, banda);
    QTest::newRow("txtRiepilogo") << QStringLiteral("txtRiepilogo") << false << QRectF(13, 18, 273, corpo);
    QTest::newRow("Footer") << QStringLiteral("Footer") << true << QRectF(10, piede, 277, 8);
    QTest::newRow("txtPagina") << QStringLiteral("txtPagina") << false << QRectF(13, piede + 2, 272, 5);
}

void TestReportLista::paginaEPosizioni()
{
    QFETCH(QString, nome);
    QFETCH(bool, eBanda);
    QFETCH(QRectF, atteso);
    FakeDesktopInstallato d;
    auto r = PreparaReportLista(QStringLiteral("Riepilogo dati"), QStringLiteral("Titolo"), Righe(1));
    QVERIFY(r.has_value());
    QCOMPARE(r->PaginePreparate().size(), 1);
    const PaginaPreparata &p = r->PaginePreparate().first();
    QCOMPARE(p.carta, QSizeF(297, 210));
    QCOMPARE(p.orientamento, QPageLayout::Landscape);
    QCOMPARE(p.margini, QMarginsF(10, 10, 10, 10));
    QRectF avuto;
    if (eBanda) {
        QVERIFY(p.TrovaBanda(nome));
        avuto = p.TrovaBanda(nome)->mm;
    } else {
        QVERIFY(p.Trova(nome));
        avuto = p.Trova(nome)->mm;
    }
    QVERIFY2(Vicini(avuto, atteso), qPrintable(Confronta(avuto, atteso)));
}

void TestReportLista::altezzaDelCorpo_data()
{
    QTest::addColumn<int>("righe");
    QTest::newRow("lista vuota") << 0;
    QTest::newRow("una riga") << 1;
    QTest::newRow("dieci righe") << 10;
}

void TestReportLista::altezzaDelCorpo()
{
    QFETCH(int, righe);
    FakeDesktopInstallato d;
    auto r = PreparaReportLista(QStringLiteral("Riepilogo dati"), QStringLiteral("Titolo"), Righe(righe));
    QVERIFY(r.has_value());
    const double testo = UnitaReport::DaMm(r->Oggetto(QStringLiteral("txtRiepilogo"))->Altezza());
    const double banda = UnitaReport::DaMm(r->Banda(QStringLiteral("MasterData"))->Altezza());
    QVERIFY2(qAbs(testo - righe * 12.822) < 1e-6, qPrintable(QString::number(testo)));
    QVERIFY2(qAbs(banda - (righe * 12.822 + 10)) < 1e-6, qPrintable(QString::number(banda)));
    QCOMPARE(r->Oggetto(QStringLiteral("txtRiepilogo"))->NumeroRighe(), righe);
}

void TestReportLista::testiCompilati()
{
    FakeDesktopInstallato d;
    d.oggi = QDate(2025, 1, 2);
    d.ora = QTime(7, 5, 9);
    auto r = PreparaReportLista(QStringLiteral("Riepilogo pagamenti"), QStringLiteral("Riepilogo uscite"),
                                {QStringLiteral("a"), QStringLiteral("b")});
    QVERIFY(r.has_value());
    QCOMPARE(r->Nome(), QStringLiteral("Riepilogo pagamenti"));
    QCOMPARE(r->Oggetto(QStringLiteral("txtTitolo"))->Testo(), QStringLiteral("Riepilogo uscite"));
    QCOMPARE(r->Oggetto(QStringLiteral("txtPagina"))->Testo(),
             QStringLiteral("Stampa eseguita in data 02/01/2025 alle ore 07:05:09"));
    QCOMPARE(r->Oggetto(QStringLiteral("txtRiepilogo"))->Righe(), (QStringList{QStringLiteral("a"), QStringLiteral("b")}));
}

void TestReportLista::sullaCarta_data()
{
    QTest::addColumn<int>("quante");
    QTest::newRow("lista vuota") << 0;
    QTest::newRow("una riga") << 1;
    QTest::newRow("tre righe") << 3;
}

void TestReportLista::sullaCarta()
{
    QFETCH(int, quante);
    FakeDesktopInstallato d;
    const QStringList righe = Righe(quante);
    QVERIFY(StampaReportLista(nullptr, QStringLiteral("Riepilogo dati"),
                              QStringLiteral("Riepilogo conti da saldare"), righe));
    QCOMPARE(d.dialoghiStampa, 1);
    QCOMPARE(d.stampe.size(), 1);
    const QList<QSizeF> formati = TestoPdf::Formati(d.stampe[0]);
    QCOMPARE(formati.size(), 1);
    QVERIFY(qAbs(formati[0].width() - 297) < 0.5 && qAbs(formati[0].height() - 210) < 0.5);
    const QStringList testo = TestoPdf::Righe(TestoPdf::Pagine(d.stampe[0]).value(0));
    QCOMPARE(testo, QStringList{QStringLiteral("Riepilogo conti da saldare")} + TestoPdf::Semplificate(righe)
                        + QStringList{Chiusura});
    QCOMPARE(TestoPdf::Informazione(d.stampe[0], QStringLiteral("Title")), QStringLiteral("Riepilogo dati"));
    if (righe.isEmpty())
        return;
    // The body needs a monospaced face for its columns to line up.
    const QStringList caratteri = TestoPdf::Caratteri(d.stampe[0]);
    QVERIFY2(caratteri.contains(QStringLiteral("LiberationMono")), qPrintable(caratteri.join(QLatin1Char(' '))));
}

void TestReportLista::duecentoRigheSuPiuPagine()
{
    FakeDesktopInstallato d;
    const QStringList righe = Righe(200);
    const QString titolo = QStringLiteral("Riepilogo pagamenti in Registro spese");

    auto r = PreparaReportLista(QStringLiteral("Riepilogo dati"), titolo, righe);
    QVERIFY(r.has_value());
    const auto &pp = r->PaginePreparate();
    QVERIFY(pp.size() >= 3);
    QStringList nelCorpo;
    for (int i = 0; i < pp.size(); ++i) {
        QCOMPARE(pp[i].carta, QSizeF(297, 210));
        QCOMPARE(pp[i].Trova(QStringLiteral("txtTitolo")) != nullptr, i == 0);
        QCOMPARE(pp[i].Trova(QStringLiteral("txtPagina")) != nullptr, i == pp.size() - 1);
        for (const OggettoReport &o : pp[i].oggetti) {
            QVERIFY2(o.mm.top() >= 10 - 1e-9 && o.mm.bottom() <= 200 + 1e-9, qPrintable(o.nome));
            if (o.nome == u"txtRiepilogo")
                nelCorpo += o.Righe();
        }
    }
    QCOMPARE(nelCorpo, righe);

    QVERIFY(StampaReportLista(nullptr, QStringLiteral("Riepilogo dati"), titolo, righe));
    QCOMPARE(d.stampe.size(), 1);
    const QStringList pagine = TestoPdf::Pagine(d.stampe[0]);
    QCOMPARE(pagine.size(), pp.size());
    for (const QSizeF &f : TestoPdf::Formati(d.stampe[0]))
        QVERIFY(qAbs(f.width() - 297) < 0.5 && qAbs(f.height() - 210) < 0.5);
    QStringList sullaCarta;
    for (int i = 0; i < pagine.size(); ++i) {
        QStringList testo = TestoPdf::Righe(pagine[i]);
        QCOMPARE(testo.contains(titolo), i == 0);
        QCOMPARE(testo.contains(Chiusura), i == pagine.size() - 1);
        if (i == 0)
            QCOMPARE(testo.takeFirst(), titolo);
        if (i == pagine.size() - 1)
            QCOMPARE(testo.takeLast(), Chiusura);
        sullaCarta += testo;
    }
    QCOMPARE(sullaCarta, TestoPdf::Semplificate(righe));
}

void TestReportLista::parentesiStampateComeScritte()
{
    FakeDesktopInstallato d;
    const QStringList righe{QStringLiteral("0001  [DATE]  Rossi [srl]  <b>x</b>  [1+1]  {TIME}  &amp;")};
    const QString titolo = QStringLiteral("Riepilogo [Page#]");
    QVERIFY(StampaReportLista(nullptr, QStringLiteral("Riepilogo dati"), titolo, righe));
    const QStringList testo = TestoPdf::Righe(TestoPdf::Pagine(d.stampe.value(0)).value(0));
    QCOMPARE(testo, (QStringList{titolo, righe[0].simplified(), Chiusura}));
}

void TestReportLista::annullareNonStampaNulla()
{
    FakeDesktopInstallato d;
    d.stampaAccettata = false;
    QVERIFY(!StampaReportLista(nullptr, QStringLiteral("Riepilogo dati"), QStringLiteral("T"), Righe(3)));
    QCOMPARE(d.dialoghiStampa, 1);
    QVERIFY(d.stampe.isEmpty());
}

void TestReportLista::dueStampeComplete()
{
    FakeDesktopInstallato d;
    const QStringList righe = Righe(70);
    const QString titolo = QStringLiteral("Riepilogo uscite");
    QVERIFY(StampaReportLista(nullptr, QStringLiteral("Riepilogo pagamenti"), titolo, righe));
    QVERIFY(StampaReportLista(nullptr, QStringLiteral("Riepilogo pagamenti"), titolo, righe));
    QCOMPARE(d.stampe.size(), 2);
    QVERIFY(d.stampe[0] != d.stampe[1]);
    for (const QString &pdf : std::as_const(d.stampe)) {
        QStringList tutto;
        for (const QString &pagina : TestoPdf::Pagine(pdf))
            tutto += TestoPdf::Righe(pagina);
        QCOMPARE(tutto, QStringList{titolo} + TestoPdf::Semplificate(righe) + QStringList{Chiusura});
    }
}

QTEST_MAIN(TestReportLista)
#include "tst_report_lista.moc"
