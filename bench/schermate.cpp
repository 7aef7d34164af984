// The screens as the user meets them: from the click on a button to the last
// paint of what it brought, on the real window system (scripts/bench.sh runs
// it under Xvfb). The click is a mouse press and release posted to the button;
// the clock stops at the end of the last paint (or window expose) that
// followed it, once nothing has been painted for a while. A window the click
// opens modally is closed after the measure, as the user would close it.
//
//   bench_schermate ARCHIVE [REPETITIONS [SCREEN]]   (one line per screen;
//   SCREEN, a word of its description, runs that one alone, for a profiler;
//   with TRACCIA set in the environment every paint is listed on stderr)

#include "Programma.h"
#include "app/Applicazione.h"
#include "lists/TrovaRegPagamenti.h"
#include "platform/Caratteri.h"
#include "platform/Desktop.h"
#include "platform/Schermate.h"
#include "register/Archivio.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFileInfo>
#include <QLineEdit>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <unistd.h>

namespace {

QElapsedTimer g_orologio;
qint64 g_ultimoDisegnoNs = 0;

// Notes when the last paint pass ended: a paint, the top level's update
// request (paint and flush to the window system) or an expose.
class Applicazione_ : public QApplication {
public:
    using QApplication::QApplication;
    bool notify(QObject *o, QEvent *e) override
    {
        const QEvent::Type t = e->type();
        const bool disegno = t == QEvent::Paint || t == QEvent::UpdateRequest || t == QEvent::Expose;
        const bool r = QApplication::notify(o, e);
        if (disegno) {
            g_ultimoDisegnoNs = g_orologio.nsecsElapsed();
            if (qEnvironmentVariableIsSet("TRACCIA"))
                std::fprintf(stderr, "%lld %d %s %s\n", (long long)(g_ultimoDisegnoNs / 1000000), int(t),
                             o->metaObject()->className(), qPrintable(o->objectName()));
        }
        return r;
    }
};

// The real desktop, with the archive's folder as the program's and no
// message left waiting for an answer.
class DesktopBench : public DesktopReale {
public:
    explicit DesktopBench(QString cartella) : m_cartella(std::move(cartella)) {}
    QString CartellaProgramma() const override { return m_cartella; }
    void Messaggio(Tipo, const QString &testo, QWidget *) override
    {
        std::fprintf(stderr, "messaggio: %s\n", qPrintable(testo));
    }
    bool Domanda(const QString &, QWidget *) override { return false; }
    Scelta DomandaConAnnulla(const QString &, QWidget *) override { return Scelta::Annulla; }
    void MessaggioSemplice(const QString &testo, QWidget *p) override { Messaggio(Tipo::Informazione, testo, p); }

private:
    QString m_cartella;
};

// Runs the event loop until nothing has been painted for the quiet time.
void AttendiQuiete(int quieteMs = 600)
{
    QEventLoop ciclo;
    QTimer controllo;
    const qint64 inizio = g_orologio.nsecsElapsed();
    QObject::connect(&controllo, &QTimer::timeout, [&] {
        const qint64 ora = g_orologio.nsecsElapsed();
        const qint64 ultimo = std::max(g_ultimoDisegnoNs, inizio);
        if (ora - ultimo > qint64(quieteMs) * 1000000)
            ciclo.quit();
    });
    controllo.start(20);
    ciclo.exec();
}

void Clic(QWidget *bersaglio)
{
    const QPointF centro = QRectF(bersaglio->rect()).center();
    const QPointF globale = bersaglio->mapToGlobal(centro);
    QCoreApplication::postEvent(bersaglio, new QMouseEvent(QEvent::MouseButtonPress, centro, globale, Qt::LeftButton,
                                                           Qt::LeftButton, Qt::NoModifier));
    QCoreApplication::postEvent(bersaglio, new QMouseEvent(QEvent::MouseButtonRelease, centro, globale,
                                                           Qt::LeftButton, Qt::NoButton, Qt::NoModifier));
}

// From the click to the end of the last paint that followed it, in ms. A
// modal window the click opened is closed once the paints have stopped.
double ClicFinoAlDisegno(QWidget *bersaglio, int quieteMs = 600)
{
    QEventLoop ciclo;
    QTimer controllo;
    double ms = -1;
    qint64 t0 = 0;
    QObject::connect(&controllo, &QTimer::timeout, [&] {
        const qint64 ora = g_orologio.nsecsElapsed();
        if (ms >= 0 || ora - std::max(g_ultimoDisegnoNs, t0) <= qint64(quieteMs) * 1000000)
            return;
        ms = double(g_ultimoDisegnoNs - t0) / 1e6;
        controllo.stop();
        if (QWidget *modale = QApplication::activeModalWidget())
            if (auto *d = qobject_cast<QDialog *>(modale))
                d->reject();
        ciclo.quit();
    });
    g_ultimoDisegnoNs = 0;
    t0 = g_orologio.nsecsElapsed();
    if (qEnvironmentVariableIsSet("TRACCIA"))
        std::fprintf(stderr, "clic %lld\n", (long long)(t0 / 1000000));
    Clic(bersaglio);
    controllo.start(20);
    ciclo.exec();
    return g_ultimoDisegnoNs > t0 ? ms : -1;
}

template <class T>
T *Controllo(QWidget *finestra, const char *nome)
{
    return finestra->findChild<T *>(QString::fromLatin1(nome));
}

void Mostra(QWidget *w)
{
    w->show();
    w->raise();
    w->activateWindow();
    AttendiQuiete();
}

struct Esito {
    double migliore = 1e300, mediano = 0;
};

QString g_solo;

Esito Ripeti(const char *descrizione, int volte, const std::function<double()> &una)
{
    if (!g_solo.isEmpty() && !QString::fromUtf8(descrizione).contains(g_solo))
        return {-2, -2};
    QList<double> tempi;
    for (int i = 0; i < volte; ++i) {
        const double ms = una();
        if (ms < 0)
            return {-1, -1};
        tempi << ms;
    }
    std::sort(tempi.begin(), tempi.end());
    return {tempi.first(), tempi.at(tempi.size() / 2)};
}

void Stampa(const char *descrizione, const Esito &e)
{
    if (e.migliore == -2)
        return;
    if (e.migliore < 0) {
        std::printf("  %-52s errore: nessun disegno dopo il clic\n", descrizione);
    } else {
        std::printf("  %-52s %8.1f %8.1f   %s\n", descrizione, e.migliore, e.mediano,
                    e.mediano <= 100 ? "ok" : "NO");
    }
    std::fflush(stdout);
}

int g_volte = 5;

// Runs one screen's measure the given times and prints its line.
void Misura(const char *descrizione, const std::function<double()> &una)
{
    Stampa(descrizione, Ripeti(descrizione, g_volte, una));
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc < 2) {
        std::fprintf(stderr, "uso: bench_schermate ARCHIVIO [RIPETIZIONI]\n");
        return 2;
    }
    const QString archivio = QFileInfo(QString::fromLocal8Bit(argv[1])).absoluteFilePath();
    g_volte = argc > 2 ? std::max(1, atoi(argv[2])) : 5;
    if (argc > 3)
        g_solo = QString::fromLocal8Bit(argv[3]);
    // The program finds its archive beside it: a folder of its own holding a
    // hard link to the benchmark's archive (same file system, no copy).
    QTemporaryDir cartella(QFileInfo(archivio).absolutePath() + QStringLiteral("/schermate-XXXXXX"));
    const QString nome = Archivio::Percorso(cartella.path());
    if (::link(QFile::encodeName(archivio).constData(), QFile::encodeName(nome).constData()) != 0) {
        std::fprintf(stderr, "impossibile collegare l'archivio in %s\n", qPrintable(cartella.path()));
        return 1;
    }

    CaratteriInAnticipo caratteri;
    Applicazione_ app(argc, argv);
    caratteri.Attendi();
    Applicazione::Prepara(app);
    // A blinking text cursor repaints for ever: the quiet that ends a measure
    // would never come.
    QApplication::setCursorFlashTime(0);
    DesktopBench desktop(cartella.path());
    Desktop::Installa(&desktop);
    Programma::CreaSchermate();
    g_orologio.start();
    Schermate &s = Schermate::Globali();

    std::printf("  %-52s %8s %8s   %s\n", "dal clic all'ultimo disegno (ms)", "migliore", "mediano",
                "obiettivo <=100");

    Misura("ricerca di tutte le schede (Cerca)", [&] {
               // A new dialog each time, as the editor opens one.
               TfrmTrovaRegPagamenti trova;
               Mostra(&trova);
               const double ms = ClicFinoAlDisegno(Controllo<QAbstractButton>(&trova, "btnCerca"));
               trova.hide();
               AttendiQuiete(200);
               return ms;
           });

    Mostra(s.frmRegPagamenti);
    // The editor reads the values it offers while typing in slices on the
    // event loop once shown: measured from a click after that, as a user's
    // first click comes.
    AttendiQuiete(600);
    Misura("conti da saldare (dall'editor)",
           [&] { return ClicFinoAlDisegno(Controllo<QAbstractButton>(s.frmRegPagamenti, "cmdListino")); });
    Misura("griglia di esportazione (dall'editor)",
           [&] { return ClicFinoAlDisegno(Controllo<QAbstractButton>(s.frmRegPagamenti, "cmdEsporta")); });
    s.frmRegPagamenti->hide();
    AttendiQuiete(200);

    QWidget *criteri = s.frmMenuRiepPagamenti;
    Mostra(criteri);
    Controllo<QLineEdit>(criteri, "txtAnno")->setText(QStringLiteral("2015"));
    // From the first day of the first month to the last of the last.
    for (const char *nome : {"txtGiornoInizio", "txtMeseInizio"})
        Controllo<QComboBox>(criteri, nome)->setCurrentIndex(0);
    for (const char *nome : {"txtGiornoFine", "txtMeseFine"}) {
        auto *c = Controllo<QComboBox>(criteri, nome);
        c->setCurrentIndex(c->count() - 1);
    }
    Misura("riepilogo di un anno (Visualizza)",
           [&] { return ClicFinoAlDisegno(Controllo<QAbstractButton>(criteri, "btnVisualizza")); });
    criteri->hide();
    AttendiQuiete(200);

    QWidget *grafici = s.frmStatistiche;
    Mostra(grafici);
    Controllo<QLineEdit>(grafici, "txtAnno")->setText(QStringLiteral("2015"));
    Misura("grafico di un anno (Apri)",
           [&] { return ClicFinoAlDisegno(Controllo<QAbstractButton>(grafici, "btnApri")); });
    grafici->hide();

    Programma::DistruggiSchermate();
    Desktop::Installa(nullptr);
    return 0;
}
