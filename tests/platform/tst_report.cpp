// The report engine: reading designs, finding objects, laying bands out over
// pages and printing through the desktop seam.

#include "FakeDesktop.h"
#include "TestoPdf.h"
#include "platform/report/Report.h"

#include <QPrinter>
#include <QtTest>

namespace {

// A small page, 100 x 60 mm with 5 mm margins (50 mm of height for bands),
// a 10 mm title, a divisible data band whose text has a 5 mm pitch, and a
// 6 mm footer.
const char *const Piccolo = R"({
  "nome": "Prova",
  "pagine": [{
    "nome": "Pagina", "formato": [60, 100], "orientamento": "orizzontale", "margini": [5, 5, 5, 5],
    "bande": [
      {"nome": "Piede", "genere": "piede", "altezza": 6, "oggetti": [
        {"nome": "txtPiede", "tipo": "testo", "posizione": [0, 1, 90, 4], "testo": "fine"}]},
      {"nome": "Corpo", "genere": "dati", "altezza": 12, "divisibile": true, "oggetti": [
        {"nome": "txtCorpo", "tipo": "testo", "posizione": [1, 2, 88, 10], "interlinea": 5,
         "carattere": {"famiglia": "Courier New", "punti": 8}}]},
      {"nome": "Titolo", "genere": "titolo", "altezza": 10, "oggetti": [
        {"nome": "txtTitolo", "tipo": "testo", "posizione": [0, 0, 90, 8], "testo": "Titolo [DATE]",
         "riempimento": "#708090", "colore": "#ffffff", "allineamento": "centro", "verticale": "centro"},
        {"nome": "shpRiquadro", "tipo": "rettangolo", "posizione": [0, 8, 90, 1], "contorno": "#000000"}]}
    ]}]})";

Report CaricaPiccolo(int righe)
{
    auto r = Report::DaJson(QByteArray(Piccolo));
    if (!r)
        qFatal("fixture design unreadable");
    OggettoReport *corpo = r->Oggetto(QStringLiteral("txtCorpo"));
    corpo->SvuotaRighe();
    for (int i = 1; i <= righe; ++i)
        corpo->AggiungiRiga(QStringLiteral("riga %1").arg(i));
    corpo->ImpostaAltezza(5.0 * righe);
    r->Banda(QStringLiteral("Corpo"))->ImpostaAltezza(corpo->Altezza() + 2 + 1);
    return *r;
}

QList<const OggettoReport *> Pezzi(const Report &r, const QString &nome)
{
    QList<const OggettoReport *> pezzi;
    for (const PaginaPreparata &p : r.PaginePreparate())
        if (const OggettoReport *o = p.Trova(nome))
            pezzi.append(o);
    return pezzi;
}

} // namespace

class TestReport : public QObject {
    Q_OBJECT

private slots:
    void designNonValidi_data();
    void designNonValidi();
    void oggettiTrovatiPerNome();
    void testoRigaPerRiga();
    void bandaDivisaSuPiuPagine_data();
    void bandaDivisaSuPiuPagine();
    void bandaNonDivisibileVaAPaginaNuova();
    void bandaPiuAltaDellaPagina();
    void preparaScartaLePaginePrecedenti();
    void stampaAnnullataNonStampaNulla();
    void stampaPagineEOrientamento();
    void stampaSoloLePagineScelte();
};

void TestReport::designNonValidi_data()
{
    QTest::addColumn<QByteArray>("json");
    QTest::newRow("non JSON") << QByteArray("{ pagine: ");
    QTest::newRow("nessuna pagina") << QByteArray(R"({"nome": "x", "pagine": []})");
    const QByteArray pagina = R"({"pagine": [{"nome": "P", "formato": [210, 297], "margini": [10, 10, 10, 10], %1}]})";
    auto con = [&](const char *resto) { return QString::fromUtf8(pagina).arg(QString::fromUtf8(resto)).toUtf8(); };
    QTest::newRow("formato mancante")
        << QByteArray(R"({"pagine": [{"nome": "P", "margini": [10, 10, 10, 10]}]})");
    QTest::newRow("orientamento sconosciuto") << con(R"("orientamento": "obliquo")");
    QTest::newRow("tipo di oggetto sconosciuto")
        << con(R"("oggetti": [{"nome": "a", "tipo": "cerchio", "posizione": [0, 0, 1, 1]}])");
    QTest::newRow("oggetto senza nome") << con(R"("oggetti": [{"tipo": "testo", "posizione": [0, 0, 1, 1]}])");
    QTest::newRow("posizione incompleta")
        << con(R"("oggetti": [{"nome": "a", "tipo": "testo", "posizione": [0, 0, 1]}])");
    QTest::newRow("colore non valido")
        << con(R"("oggetti": [{"nome": "a", "tipo": "testo", "posizione": [0, 0, 1, 1], "riempimento": "grigiastro"}])");
    QTest::newRow("allineamento sconosciuto")
        << con(R"("oggetti": [{"nome": "a", "tipo": "testo", "posizione": [0, 0, 1, 1], "allineamento": "giustificato"}])");
    QTest::newRow("genere di banda sconosciuto")
        << con(R"("bande": [{"nome": "b", "genere": "intestazione", "altezza": 5}])");
    QTest::newRow("banda senza altezza") << con(R"("bande": [{"nome": "b", "genere": "dati"}])");
}

void TestReport::designNonValidi()
{
    QFETCH(QByteArray, json);
    QString errore;
    QVERIFY(!Report::DaJson(json, &errore).has_value());
    QVERIFY(!errore.isEmpty());
}

void TestReport::oggettiTrovatiPerNome()
{
    auto r = Report::DaJson(QByteArray(Piccolo));
    QVERIFY(r.has_value());
    QCOMPARE(r->Nome(), QStringLiteral("Prova"));
    OggettoReport *t = r->Oggetto(QStringLiteral("txtTitolo"));
    QVERIFY(t);
    QCOMPARE(t->Testo(), QStringLiteral("Titolo [DATE]"));
    QCOMPARE(t->mm, QRectF(0, 0, 90, 8));
    QCOMPARE(t->riempimento, QColor(0x70, 0x80, 0x90));
    QVERIFY(t->stile.allineamento & Qt::AlignHCenter);
    QCOMPARE(r->Oggetto(QStringLiteral("shpRiquadro"))->genere, OggettoReport::Genere::Rettangolo);
    QVERIFY(r->Banda(QStringLiteral("Corpo"))->divisibile);
    QVERIFY(!r->Oggetto(QStringLiteral("Corpo")));
    QVERIFY(!r->Oggetto(QStringLiteral("txtInesistente")));
    QVERIFY(!r->Banda(QStringLiteral("txtCorpo")));
    // Changes through the found object are changes to the report.
    t->ImpostaTesto(QStringLiteral("Nuovo"));
    QCOMPARE(r->Oggetto(QStringLiteral("txtTitolo"))->Testo(), QStringLiteral("Nuovo"));
}

void TestReport::testoRigaPerRiga()
{
    OggettoReport o;
    o.ImpostaTesto(QStringLiteral("uno\r\ndue\nquattro [x]"));
    QCOMPARE(o.Righe(), (QStringList{QStringLiteral("uno"), QStringLiteral("due"), QStringLiteral("quattro [x]")}));
    o.SvuotaRighe();
    QCOMPARE(o.NumeroRighe(), 0);
    o.AggiungiRiga(QString());
    o.AggiungiRiga(QStringLiteral("b"));
    QCOMPARE(o.NumeroRighe(), 2);
    QCOMPARE(o.Testo(), QStringLiteral("\nb"));
    o.ImpostaTesto(QString());
    QCOMPARE(o.NumeroRighe(), 0);
}

void TestReport::bandaDivisaSuPiuPagine_data()
{
    QTest::addColumn<int>("righe");
    QTest::addColumn<int>("pagine");
    // First page: 40 mm below the title; the text starts 2 mm into the band,
    // so 7 lines fit. Later pages: 50 mm, 10 lines with no top offset left.
    QTest::newRow("tutto sulla prima pagina") << 5 << 1;
    QTest::newRow("il piede non ci sta piu'") << 7 << 2;
    QTest::newRow("una riga in piu'") << 8 << 2;
    QTest::newRow("tre pagine") << 25 << 3;
}

void TestReport::bandaDivisaSuPiuPagine()
{
    QFETCH(int, righe);
    QFETCH(int, pagine);
    Report r = CaricaPiccolo(righe);
    r.Prepara();
    const auto &pp = r.PaginePreparate();
    QCOMPARE(pp.size(), pagine);

    QStringList stampate;
    for (int i = 0; i < pp.size(); ++i) {
        const PaginaPreparata &p = pp[i];
        QCOMPARE(p.carta, QSizeF(100, 60));
        QCOMPARE(p.orientamento, QPageLayout::Landscape);
        QCOMPARE(p.Trova(QStringLiteral("txtTitolo")) != nullptr, i == 0);
        QCOMPARE(p.Trova(QStringLiteral("txtPiede")) != nullptr, i == pp.size() - 1);
        for (const OggettoReport &o : p.oggetti) {
            QVERIFY2(o.mm.top() >= 5 - 1e-9 && o.mm.bottom() <= 55 + 1e-9, qPrintable(o.nome));
            if (o.nome == u"txtCorpo") {
                // Every line of the piece lies inside the piece: no line is cut.
                QVERIFY(o.NumeroRighe() * 5.0 <= o.mm.height() + 1e-9);
                stampate += o.Righe();
            }
        }
    }
    QStringList attese;
    for (int i = 1; i <= righe; ++i)
        attese << QStringLiteral("riga %1").arg(i);
    QCOMPARE(stampate, attese);

    // The footer follows the last piece of the body directly.
    const PaginaPreparata &ultima = pp.last();
    const auto *corpo = ultima.TrovaBanda(QStringLiteral("Corpo"));
    const auto *piede = ultima.TrovaBanda(QStringLiteral("Piede"));
    QVERIFY(piede);
    if (corpo)
        QVERIFY(qAbs(piede->mm.top() - corpo->mm.bottom()) < 1e-9);
    else
        QCOMPARE(piede->mm.top(), 5.0);
    QCOMPARE(ultima.Trova(QStringLiteral("txtPiede"))->mm, QRectF(5, piede->mm.top() + 1, 90, 4));
}

void TestReport::bandaNonDivisibileVaAPaginaNuova()
{
    Report r = CaricaPiccolo(5);
    r.Banda(QStringLiteral("Corpo"))->divisibile = false;
    r.Banda(QStringLiteral("Corpo"))->ImpostaAltezza(41); // 10 + 41 > 50, 41 + 6 <= 50
    r.Prepara();
    const auto &pp = r.PaginePreparate();
    QCOMPARE(pp.size(), 2);
    QVERIFY(!pp[0].Trova(QStringLiteral("txtCorpo")));
    QCOMPARE(pp[1].Trova(QStringLiteral("txtCorpo"))->mm.topLeft(), QPointF(6, 7));
    QCOMPARE(pp[1].Trova(QStringLiteral("txtCorpo"))->NumeroRighe(), 5);
}

void TestReport::bandaPiuAltaDellaPagina()
{
    // Neither divisible nor fitting on an empty page: printed once, cut by the
    // paper's edge, instead of asking for new pages forever.
    Report r = CaricaPiccolo(20);
    r.Banda(QStringLiteral("Corpo"))->divisibile = false;
    r.Prepara();
    const auto &pp = r.PaginePreparate();
    QCOMPARE(pp.size(), 3);
    QCOMPARE(Pezzi(r, QStringLiteral("txtCorpo")).size(), 1);
    QCOMPARE(pp[1].Trova(QStringLiteral("txtCorpo"))->NumeroRighe(), 20);
    QVERIFY(pp[2].Trova(QStringLiteral("txtPiede")));
}

void TestReport::preparaScartaLePaginePrecedenti()
{
    Report r = CaricaPiccolo(25);
    r.Prepara();
    r.Prepara();
    QCOMPARE(r.PaginePreparate().size(), 3);
    QCOMPARE(Pezzi(r, QStringLiteral("txtTitolo")).size(), 1);
}

void TestReport::stampaAnnullataNonStampaNulla()
{
    FakeDesktopInstallato d;
    d.stampaAccettata = false;
    Report r = CaricaPiccolo(3);
    r.Prepara();
    QVERIFY(!r.Stampa(nullptr));
    QCOMPARE(d.dialoghiStampa, 1);
    QVERIFY(d.stampe.isEmpty());
}

void TestReport::stampaPagineEOrientamento()
{
    FakeDesktopInstallato d;
    Report r = CaricaPiccolo(25);
    r.Prepara();
    QVERIFY(r.Stampa(nullptr));
    QCOMPARE(d.stampe.size(), 1);
    const QList<QSizeF> formati = TestoPdf::Formati(d.stampe[0]);
    QCOMPARE(formati.size(), 3);
    for (const QSizeF &f : formati) {
        QVERIFY2(qAbs(f.width() - 100) < 0.5 && qAbs(f.height() - 60) < 0.5,
                 qPrintable(QStringLiteral("%1 x %2").arg(f.width()).arg(f.height())));
    }
    const QStringList pagine = TestoPdf::Pagine(d.stampe[0]);
    QCOMPARE(pagine.size(), 3);
    // Texts print literally: no expression in brackets is expanded.
    QVERIFY(pagine[0].contains(QStringLiteral("Titolo [DATE]")));
    QVERIFY(pagine[0].contains(QStringLiteral("riga 7")));
    QVERIFY(!pagine[0].contains(QStringLiteral("riga 8")));
    QVERIFY(pagine[1].contains(QStringLiteral("riga 8")));
    QVERIFY(pagine[2].contains(QStringLiteral("riga 25")));
    QVERIFY(pagine[2].contains(QStringLiteral("fine")));
    QVERIFY(!pagine[1].contains(QStringLiteral("fine")));
}

void TestReport::stampaSoloLePagineScelte()
{
    FakeDesktopInstallato d;
    d.nelDialogoStampa = [](QPrinter &p) {
        p.setPrintRange(QPrinter::PageRange);
        p.setFromTo(2, 2);
    };
    Report r = CaricaPiccolo(25);
    r.Prepara();
    QVERIFY(r.Stampa(nullptr));
    const QStringList pagine = TestoPdf::Pagine(d.stampe.value(0));
    QCOMPARE(pagine.size(), 1);
    QVERIFY(pagine[0].contains(QStringLiteral("riga 8")));
    QVERIFY(!pagine[0].contains(QStringLiteral("Titolo")));
}

QTEST_MAIN(TestReport)
#include "tst_report.moc"
