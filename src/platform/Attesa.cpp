#include "platform/Attesa.h"

#include "platform/Desktop.h"

#include <QWidget>

namespace {

// The window an object works for: itself, or the nearest widget it belongs to.
QWidget *Finestra(QObject *chi)
{
    for (QObject *o = chi; o; o = o->parent())
        if (auto *w = qobject_cast<QWidget *>(o))
            return w;
    return nullptr;
}

class GestoreDesktop : public Avanzamento::Gestore {
public:
    void Inizio(QObject *chi, const QString &testo) override
    {
        Desktop::Corrente().InizioLavoro(Finestra(chi), testo);
    }
    void Avanza(QObject *chi, int percento) override
    {
        Desktop::Corrente().AvanzamentoLavoro(Finestra(chi), percento);
    }
    void Fine(QObject *chi) override { Desktop::Corrente().FineLavoro(Finestra(chi)); }
};

} // namespace

Attesa::Attesa(QWidget *finestra, const QString &testo) : Avanzamento::Lavoro(finestra, testo) {}

Avanzamento::Gestore &Attesa::Gestore()
{
    static GestoreDesktop g;
    return g;
}
