#include "app/Applicazione.h"

#include "app/Schermate.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#if QT_CONFIG(sessionmanager)
#include <QSessionManager>
#endif

namespace Applicazione {

void Prepara(QApplication &app)
{
    QApplication::setApplicationName(QStringLiteral("Valmora"));
    // No display name: the window system would append it to every caption
    // that does not end with it, and the captions must read exactly as given.
    QApplication::setDesktopFileName(QStringLiteral("valmora"));

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
