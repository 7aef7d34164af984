// Valmora: the program entry. Loads Qt's Italian translations, creates the
// eighteen screens in their fixed order and runs the event loop.

#include "access/Password.h"
#include "app/Schermate.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Valmora"));
    QApplication::setApplicationDisplayName(QStringLiteral("Valmora"));
    QApplication::setDesktopFileName(QStringLiteral("valmora"));

    // Qt's own dialogs speak Italian: "Sì", "No", "Annulla".
    QTranslator traduzioneQt;
    if (traduzioneQt.load(QLocale(QLocale::Italian, QLocale::Italy), QStringLiteral("qtbase"),
                          QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&traduzioneQt);

    Schermate::CreaTutte();
    Schermate::Globali().frmPassword->show();
    const int esito = QApplication::exec();
    Schermate::DistruggiTutte();
    return esito;
}
