// Developer tool: shows the main screens one at a time on the current display
// and saves a picture of the whole screen for each, for scripts/screenshots.sh.
//   fotografa_schermate <folder> <suffix>
// Nothing waits for a person: messages are printed, dialogs are not opened,
// and the program folder is a temporary one.

#include "app/Avvio.h"
#include "app/Guida.h"
#include "app/Info.h"
#include "app/Splash.h"
#include "app/TestiGuida.h"
#include "app/Schermate.h"
#include "charts/Statistiche.h"
#include "platform/Desktop.h"
#include "register/RegPagamenti.h"
#include "summary/MenuRiepPagamenti.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QLibraryInfo>
#include <QLocale>
#include <QScreen>
#include <QTemporaryDir>
#include <QTranslator>
#include <QWindow>
#include <cstdio>

namespace {

class DesktopSenzaAttese : public DesktopReale {
public:
    void Messaggio(Tipo, const QString &testo, QWidget *) override { Stampa("messaggio", testo); }
    bool Domanda(const QString &testo, QWidget *) override
    {
        Stampa("domanda", testo);
        return false;
    }
    Scelta DomandaConAnnulla(const QString &testo, QWidget *) override
    {
        Stampa("domanda", testo);
        return Scelta::No;
    }
    void MessaggioSemplice(const QString &testo, QWidget *) override { Stampa("messaggio", testo); }
    std::optional<QString> InputBox(const QString &, const QString &richiesta, const QString &,
                                    QWidget *) override
    {
        Stampa("input", richiesta);
        return std::nullopt;
    }
    QString ApriFile(const QString &titolo, const QString &, QWidget *) override
    {
        Stampa("file", titolo);
        return QString();
    }
    int MostraModale(QDialog *d) override
    {
        Stampa("dialogo", d->windowTitle());
        return QDialog::Rejected;
    }
    bool DialogoStampa(QPrinter &, QWidget *) override { return false; }
    void ApriUrl(const QUrl &url) override { Stampa("apri", url.toString()); }
    QString CartellaProgramma() const override { return m_cartella.path(); }

private:
    static void Stampa(const char *genere, const QString &testo)
    {
        std::fprintf(stderr, "[%s] %s\n", genere, qPrintable(testo));
    }
    QTemporaryDir m_cartella;
};

void Attendi(QWidget *w)
{
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < 3000) {
        QApplication::processEvents(QEventLoop::AllEvents, 50);
        if (w->windowHandle() && w->windowHandle()->isExposed() && t.elapsed() > 400)
            break;
    }
    QApplication::processEvents();
}

bool Fotografa(QWidget *w, const QString &file)
{
    Attendi(w);
    QScreen *schermo = w->screen() ? w->screen() : QGuiApplication::primaryScreen();
    const QPixmap foto = schermo->grabWindow(0);
    const bool ok = !foto.isNull() && foto.save(file);
    std::printf("%s %s\n", ok ? "salvata" : "NON salvata", qPrintable(file));
    return ok;
}

// Work screens fill the screen as if maximised (Xvfb has no window manager).
void MostraAPienoSchermo(QWidget *w)
{
    w->setGeometry(QGuiApplication::primaryScreen()->availableGeometry());
    w->show();
    w->raise();
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "uso: fotografa_schermate <cartella> <suffisso>\n");
        return 2;
    }
    QTranslator traduzioneQt;
    if (traduzioneQt.load(QLocale(QLocale::Italian, QLocale::Italy), QStringLiteral("qtbase"),
                          QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&traduzioneQt);

    DesktopSenzaAttese desktop;
    Desktop::Installa(&desktop);
    const QDir cartella(QString::fromLocal8Bit(argv[1]));
    const QString suffisso = QString::fromLocal8Bit(argv[2]);
    auto nome = [&](const char *schermata) {
        return cartella.filePath(QStringLiteral("%1-%2.png").arg(QLatin1String(schermata), suffisso));
    };

    Schermate::CreaTutte();
    Schermate &s = Schermate::Globali();
    int errori = 0;

    struct Voce {
        const char *nome;
        QWidget *schermata;
    };
    const Voce lavoro[] = {
        {"menu", s.frmAvvio},
        {"registro", s.frmRegPagamenti},
        {"riepilogo", s.frmMenuRiepPagamenti},
        {"grafici", s.frmStatistiche},
    };
    for (const Voce &v : lavoro) {
        MostraAPienoSchermo(v.schermata);
        errori += Fotografa(v.schermata, nome(v.nome)) ? 0 : 1;
        v.schermata->hide();
    }

    // The information screen over the start menu, as the user sees it.
    MostraAPienoSchermo(s.frmAvvio);
    {
        TfrmInfo info(s.frmAvvio);
        info.show();
        info.raise();
        errori += Fotografa(&info, nome("informazioni")) ? 0 : 1;
    }
    {
        TfrmSplash crediti(s.frmAvvio);
        crediti.show();
        crediti.raise();
        errori += Fotografa(&crediti, nome("crediti")) ? 0 : 1;
    }
    {
        TfrmGuida guida(s.frmAvvio);
        guida.ImpostaArgomento(TestiGuida::TitoloAvvio(), TestiGuida::TestoAvvio());
        guida.show();
        guida.raise();
        errori += Fotografa(&guida, nome("guida")) ? 0 : 1;
    }
    s.frmAvvio->hide();

    Schermate::DistruggiTutte();
    Desktop::Installa(nullptr);
    return errori == 0 ? 0 : 1;
}
