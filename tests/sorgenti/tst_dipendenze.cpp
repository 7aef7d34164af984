// The folders of src/ include one another in one direction only: a folder
// that reached one above it would tie the two together for good.
#include <QDirIterator>
#include <QFile>
#include <QHash>
#include <QRegularExpression>
#include <QSet>
#include <QtTest>

namespace {

using Grafo = QHash<QString, QSet<QString>>;

// Folder -> folders its files include ("src/x.cpp" is the folder "").
Grafo Dipendenze(const QString &radice)
{
    static const QRegularExpression inclusione(QStringLiteral("^#include \"([a-z]+)/"),
                                               QRegularExpression::MultilineOption);
    Grafo g;
    QDirIterator it(radice, {QStringLiteral("*.cpp"), QStringLiteral("*.h")}, QDir::Files,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString percorso = it.next();
        const QString relativo = QDir(radice).relativeFilePath(percorso);
        const QString cartella = relativo.contains(u'/') ? relativo.section(u'/', 0, 0) : QString();
        QFile f(percorso);
        if (!f.open(QIODevice::ReadOnly))
            continue;
        const QString testo = QString::fromUtf8(f.readAll());
        for (auto m = inclusione.globalMatch(testo); m.hasNext();) {
            const QString verso = m.next().captured(1);
            if (verso != cartella)
                g[cartella].insert(verso);
        }
    }
    return g;
}

// A path from `da` back to `a`, folder by folder, or empty.
QStringList Percorso(const Grafo &g, const QString &da, const QString &a, QSet<QString> &visti)
{
    for (const QString &n : g.value(da)) {
        if (n == a)
            return {da, n};
        if (visti.contains(n))
            continue;
        visti.insert(n);
        const QStringList resto = Percorso(g, n, a, visti);
        if (!resto.isEmpty())
            return QStringList{da} + resto;
    }
    return {};
}

// The folders from the top down; a folder includes only folders of a lower
// level, never one beside it. The root (the program put together) and the
// resources are outside the order.
const QHash<QString, int> &Livelli()
{
    static const QHash<QString, int> l{
        {QStringLiteral("analysis"), 7},
        {QStringLiteral("summary"), 6}, {QStringLiteral("charts"), 6},
        {QStringLiteral("lists"), 5}, {QStringLiteral("output"), 5}, {QStringLiteral("imports"), 5},
        {QStringLiteral("register"), 4},
        {QStringLiteral("checks"), 3},
        {QStringLiteral("app"), 2},
        {QStringLiteral("access"), 1},
        {QStringLiteral("platform"), 0},
    };
    return l;
}

} // namespace

class TestDipendenze : public QObject {
    Q_OBJECT
private slots:
    void cartelle_senzaCicli();
    void rilevaUnCiclo();
    void cartelle_nellOrdine();
};

void TestDipendenze::cartelle_senzaCicli()
{
    const Grafo g = Dipendenze(QStringLiteral(VALMORA_SORGENTI));
    QVERIFY(g.value(QString()).contains(QStringLiteral("register"))); // the tree was read
    for (auto it = g.cbegin(); it != g.cend(); ++it) {
        QSet<QString> visti;
        const QStringList ciclo = Percorso(g, it.key(), it.key(), visti);
        QVERIFY2(ciclo.isEmpty(), qPrintable(ciclo.join(QStringLiteral(" -> "))));
    }
}

void TestDipendenze::rilevaUnCiclo()
{
    // The search itself finds a cycle when there is one.
    const Grafo g{{QStringLiteral("a"), {QStringLiteral("b")}},
                  {QStringLiteral("b"), {QStringLiteral("c")}},
                  {QStringLiteral("c"), {QStringLiteral("a")}}};
    QSet<QString> visti;
    QCOMPARE(Percorso(g, QStringLiteral("a"), QStringLiteral("a"), visti),
             QStringList({QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c"), QStringLiteral("a")}));
}

void TestDipendenze::cartelle_nellOrdine()
{
    const Grafo g = Dipendenze(QStringLiteral(VALMORA_SORGENTI));
    QVERIFY(g.value(QStringLiteral("analysis")).contains(QStringLiteral("summary"))); // the new folder was read
    const QDir radice(QStringLiteral(VALMORA_SORGENTI));
    for (const QString &cartella : radice.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        if (cartella == QStringLiteral("resources"))
            continue;
        QVERIFY2(Livelli().contains(cartella),
                 qPrintable(QStringLiteral("la cartella %1 non ha un posto nell'ordine delle cartelle").arg(cartella)));
    }
    for (auto it = g.cbegin(); it != g.cend(); ++it) {
        if (it.key().isEmpty())
            continue;
        for (const QString &verso : it.value())
            QVERIFY2(Livelli().value(verso, -1) >= 0 && Livelli().value(verso) < Livelli().value(it.key()),
                     qPrintable(it.key() + QStringLiteral(" include ") + verso));
    }
}

QTEST_GUILESS_MAIN(TestDipendenze)
#include "tst_dipendenze.moc"
