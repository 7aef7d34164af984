#include "platform/Schermate.h"

#include <QWidget>

Schermate &Schermate::Globali()
{
    static Schermate s;
    return s;
}

bool Schermate::ConsentonoUscita()
{
    // The editor closes first, as its own close would: that asks about its
    // unsaved edits once, and the windows closed on quitting ask nothing more.
    QWidget *editor = Globali().frmRegPagamenti;
    return !editor || !editor->isVisible() || editor->close();
}
