#pragma once
// Small rules shared by the program's fixed dialogs.

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace Finestre {

// Fixed border and a caption without the window-system buttons.
inline constexpr Qt::WindowFlags CorniceFissa = Qt::Dialog | Qt::CustomizeWindowHint
    | Qt::WindowTitleHint | Qt::MSWindowsFixedSizeDialogHint;

// Centres the window on the screen it is on (or the primary one).
inline void CentraSulloSchermo(QWidget *finestra)
{
    QScreen *schermo = finestra->screen() ? finestra->screen() : QGuiApplication::primaryScreen();
    if (!schermo)
        return;
    QRect r = finestra->frameGeometry();
    r.moveCenter(schermo->availableGeometry().center());
    finestra->move(r.topLeft());
}

} // namespace Finestre
