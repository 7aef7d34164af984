#include "app/Applicazione.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

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
}

} // namespace Applicazione
