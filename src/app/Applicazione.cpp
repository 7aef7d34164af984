#include "app/Applicazione.h"

#include "platform/Accessibilita.h"
#include "platform/Adattamento.h"
#include "platform/Aspetto.h"
#include "platform/Immagini.h"
#include "platform/Schermate.h"
#include "platform/SegnoFuoco.h"
#include "platform/Tastiera.h"

#include <QApplication>
#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#if QT_CONFIG(sessionmanager)
#include <QSessionManager>
#endif

static void InizializzaRisorse()
{
    // The icon lives in the static GUI library; pull its resources in explicitly.
    Q_INIT_RESOURCE(valmora);
}

namespace Applicazione {

void Prepara(QApplication &app)
{
    InizializzaRisorse();
    QApplication::setApplicationName(QStringLiteral("Valmora"));
    // No display name: the window system would append it to every caption
    // that does not end with it, and the captions must read exactly as given.
    QApplication::setDesktopFileName(QStringLiteral("valmora"));
    // Every window without an icon of its own, dialogs and message boxes
    // included, shows this one in its caption and in the task bar.
    // The sizes the window system is given for a scalable icon.
    QApplication::setWindowIcon(Immagini::Icona(QStringLiteral(":/img/logo.svg"), {16, 32, 64, 128}));
    Aspetto::Applica();
    Adattamento::Installa(app);
    Tastiera::InstallaInvioSuiPulsanti(app);
    SegnoFuoco::Installa(app);
    Accessibilita::Installa(app);

    auto *traduzioneQt = new QTranslator(&app);
    if (traduzioneQt->load(QLocale(QLocale::Italian, QLocale::Italy), QStringLiteral("qtbase"),
                           QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(traduzioneQt);
    else
        delete traduzioneQt;

#if QT_CONFIG(sessionmanager)
    // The desktop session ending ends the program too: the editor asks about
    // unsaved edits first, and staying cancels the log-out where it may.
    QObject::connect(&app, &QGuiApplication::commitDataRequest, &app, [](QSessionManager &sessione) {
        if (!sessione.allowsInteraction())
            return;
        const bool esce = Schermate::ConsentonoUscita();
        sessione.release();
        if (!esce)
            sessione.cancel();
    });
#endif
}

} // namespace Applicazione
