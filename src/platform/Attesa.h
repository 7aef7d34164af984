#pragma once
// A long piece of work a window does, such as a scan of the archive: for the
// object's lifetime the desktop shows a busy cursor, and the progress the
// work reports goes to the desktop in whole percents, which shows it and
// keeps the windows painted. Objects without widgets (a model) declare their
// work as an Avanzamento::Lavoro; it reaches the desktop the same way.

#include "platform/Avanzamento.h"

#include <QString>

class QWidget;

class Attesa : public Avanzamento::Lavoro {
public:
    Attesa(QWidget *finestra, const QString &testo);

    // The manager that hands long work to the desktop seam, for the window
    // of the object that does it.
    static Avanzamento::Gestore &Gestore();
};
