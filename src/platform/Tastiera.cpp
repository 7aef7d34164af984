#include "platform/Tastiera.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QRadioButton>

namespace {

class InvioSuiPulsanti : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *oggetto, QEvent *evento) override
    {
        if (evento->type() != QEvent::KeyPress)
            return false;
        auto *tasto = static_cast<QKeyEvent *>(evento);
        if (tasto->key() != Qt::Key_Return && tasto->key() != Qt::Key_Enter)
            return false;
        if ((tasto->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier)
            return false;
        auto *pulsante = qobject_cast<QAbstractButton *>(oggetto);
        // Check boxes and radio buttons toggle with Space only.
        if (!pulsante || qobject_cast<QCheckBox *>(pulsante) || qobject_cast<QRadioButton *>(pulsante))
            return false;
        if (!pulsante->hasFocus() || !pulsante->isEnabled() || !pulsante->isVisible())
            return false;
        // A key held down presses once, as Space does.
        if (!tasto->isAutoRepeat())
            pulsante->click();
        return true;
    }
};

} // namespace

namespace Tastiera {

void InstallaInvioSuiPulsanti(QCoreApplication &app)
{
    app.installEventFilter(new InvioSuiPulsanti(&app));
}

} // namespace Tastiera
