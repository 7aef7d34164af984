#include "platform/Accessibilita.h"

#include "platform/CalendarioAccessibile.h"
#include "platform/Differita.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QAccessibleWidget>
#include <QApplication>
#include <QCalendarWidget>
#include <QComboBox>
#include <QDialog>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QTimer>

namespace Accessibilita {

void NominaParti(QCalendarWidget *calendario)
{
    // Before any name is set: naming a part may already put it on the bus.
    CalendarioAccessibile::Prepara(calendario);
    const struct {
        const char *oggetto;
        QString nome;
    } parti[] = {
        {"qt_calendar_prevmonth", QStringLiteral("Mese precedente")},
        {"qt_calendar_nextmonth", QStringLiteral("Mese successivo")},
        {"qt_calendar_yearedit", QStringLiteral("Anno")},
        {"qt_calendar_calendarview", QStringLiteral("Giorni del mese")},
    };
    for (const auto &p : parti)
        if (auto *w = calendario->findChild<QWidget *>(QLatin1String(p.oggetto)))
            w->setAccessibleName(p.nome);
    // Qt leaves the month arrows and the month and year buttons out of the
    // Tab chain: a keyboard user could only page by month from the grid.
    // They follow the grid, which takes the focus first (the calendar hands
    // its focus to the grid, so Tab coming round lands there), and take none
    // from a click, which leaves it on the grid.
    QWidget *precedente = nullptr;
    for (const char *nome : {"qt_calendar_calendarview", "qt_calendar_prevmonth", "qt_calendar_monthbutton",
                             "qt_calendar_yearbutton", "qt_calendar_nextmonth"}) {
        auto *w = calendario->findChild<QWidget *>(QLatin1String(nome));
        if (!w)
            continue;
        if (w->focusPolicy() == Qt::NoFocus)
            w->setFocusPolicy(Qt::TabFocus);
        if (precedente)
            QWidget::setTabOrder(precedente, w);
        precedente = w;
    }
}

void RisultatoRaggiungibile(QLabel *valore, QLabel *didascalia)
{
    // The mouse may still select its text; Tab reaches it, a click does not
    // take the focus from where the user works.
    valore->setFocusPolicy(Qt::TabFocus);
    if (didascalia)
        didascalia->setBuddy(valore);
    // Its own focus mark: a label draws none. A sheet of plain declarations
    // goes into a rule of its own first.
    QString foglio = valore->styleSheet().trimmed();
    if (!foglio.isEmpty() && !foglio.contains(u'{'))
        foglio = QStringLiteral("QLabel { ") + foglio + QStringLiteral(" }");
    valore->setStyleSheet(foglio + QStringLiteral(" QLabel { border: 2px solid transparent; }"
                                                   " QLabel:focus { border: 2px solid %1; }")
                                       .arg(ColoreSegnoFuoco().name()));
}

QColor ColoreSegnoFuoco() { return QColor(0x1F, 0x4E, 0x8C); }

void NominaParti(QComboBox *tendina)
{
    const QString nome = tendina->accessibleName();
    if (QLineEdit *riga = tendina->lineEdit())
        riga->setAccessibleName(nome);
    if (QAbstractItemView *elenco = tendina->view())
        elenco->setAccessibleName(nome);
}

} // namespace Accessibilita

namespace {

// A password field as the bus sees it: an editable field marked as holding a
// password, with no text to read. The bridge sends the text of an insertion
// only for controls that expose their text, so nothing typed leaves the
// program; the reader hears the field's name and nothing of its content.
class CampoPassword : public QAccessibleWidget {
public:
    explicit CampoPassword(QLineEdit *campo) : QAccessibleWidget(campo, QAccessible::EditableText) {}

    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        s.editable = true;
        s.passwordEdit = true;
        s.readOnly = static_cast<QLineEdit *>(widget())->isReadOnly();
        return s;
    }
    QString text(QAccessible::Text t) const override
    {
        return t == QAccessible::Value ? QString() : QAccessibleWidget::text(t);
    }
};

QAccessibleInterface *Interfaccia(const QString &classe, QObject *oggetto)
{
    // Asked once per class of the object's chain: answer for the class itself only.
    if (!oggetto || !oggetto->isWidgetType() || classe != QLatin1String(oggetto->metaObject()->className()))
        return nullptr;
    if (auto *campo = qobject_cast<QLineEdit *>(oggetto)) {
        // The program's password fields are hidden from their making on.
        if (campo->echoMode() != QLineEdit::Normal)
            return new CampoPassword(campo);
        return nullptr;
    }
    auto *w = static_cast<QWidget *>(oggetto);
    if (w->isWindow() && dynamic_cast<Completabile *>(w) && !qobject_cast<QDialog *>(w)
        && !qobject_cast<QMainWindow *>(w))
        return new QAccessibleWidget(w, QAccessible::Window);
    return nullptr;
}

// Qt tells the bus of a focus change only after the control has handled its
// focus-in, in which an edit selects its text and moves its caret.
class FuocoPrimaDelCursore : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *oggetto, QEvent *evento) override
    {
        // A window shown back (the start menu when a work screen closes) is
        // made active after its control took the focus, which the reader
        // dropped: the focus is told again once the window is active.
        if (evento->type() == QEvent::WindowActivate && oggetto->isWidgetType() && QAccessible::isActive()
            && static_cast<QWidget *>(oggetto)->isWindow()) {
            QPointer<QWidget> finestra = static_cast<QWidget *>(oggetto);
            QTimer::singleShot(0, this, [finestra] {
                QWidget *f = QApplication::focusWidget();
                if (!finestra || !finestra->isActiveWindow() || !f || f->window() != finestra
                    || qobject_cast<QMenu *>(f) || qobject_cast<QMenuBar *>(f))
                    return;
                QAccessibleEvent fuoco(f, QAccessible::Focus);
                QAccessible::updateAccessibility(&fuoco);
            });
            return false;
        }
        if (evento->type() != QEvent::FocusIn || !oggetto->isWidgetType() || !QAccessible::isActive())
            return false;
        auto *w = static_cast<QWidget *>(oggetto);
        // Menus tell their focus themselves, as Qt leaves them to.
        if (w != QApplication::focusWidget() || !w->isActiveWindow() || qobject_cast<QMenu *>(w)
            || qobject_cast<QMenuBar *>(w))
            return false;
        QAccessibleEvent fuoco(w, QAccessible::Focus);
        QAccessible::updateAccessibility(&fuoco);
        return false;
    }
};

} // namespace

namespace Accessibilita {

void Installa(QApplication &app)
{
    static bool installata = false;
    if (!installata) {
        QAccessible::installFactory(Interfaccia);
        CalendarioAccessibile::Registra();
    }
    installata = true;
    app.installEventFilter(new FuocoPrimaDelCursore(&app));
}

} // namespace Accessibilita
