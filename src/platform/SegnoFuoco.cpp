#include "platform/SegnoFuoco.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QEvent>
#include <QPainter>
#include <QPointer>
#include <QWidget>

namespace {

// Beyond the control on every side: the light line outside, the dark one
// within, a light line again against the control's own edge.
constexpr int kMargine = 4;

class Anello : public QWidget {
public:
    explicit Anello(QWidget *genitore) : QWidget(genitore)
    {
        setObjectName(QStringLiteral("segnoFuoco"));
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setAttribute(Qt::WA_NoSystemBackground);
        setFocusPolicy(Qt::NoFocus);
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        const QRect r = rect();
        const auto cornice = [&](int dentro, int spessore, const QColor &colore) {
            const QRect fuori = r.adjusted(dentro, dentro, -dentro, -dentro);
            QRegion anello(fuori);
            anello -= QRegion(fuori.adjusted(spessore, spessore, -spessore, -spessore));
            for (const QRect &parte : anello)
                p.fillRect(parte, colore);
        };
        cornice(0, 1, Qt::white);
        cornice(1, 2, QColor(20, 20, 20));
        cornice(3, 1, Qt::white);
    }
};

class Segno : public QObject {
public:
    explicit Segno(QApplication &app) : QObject(&app)
    {
        app.installEventFilter(this);
        connect(&app, &QApplication::focusChanged, this, [this](QWidget *, QWidget *ora) { Segui(ora); });
    }

protected:
    bool eventFilter(QObject *oggetto, QEvent *evento) override
    {
        // Qt draws its own focus marks only after a focus change by key: a
        // window counts as reached by keyboard from the moment it is shown.
        if (evento->type() == QEvent::Show && oggetto->isWidgetType()) {
            auto *w = static_cast<QWidget *>(oggetto);
            if (w->isWindow())
                w->setAttribute(Qt::WA_KeyboardFocusChange);
        }
        if (oggetto == m_controllo && m_controllo) {
            switch (evento->type()) {
            case QEvent::Move:
            case QEvent::Resize:
            case QEvent::Show:
            case QEvent::Hide:
            case QEvent::ParentChange:
                Colloca();
                break;
            default:
                break;
            }
        }
        return false;
    }

private:
    // The control that stands for the focus: an edit inside a drop-down or
    // a spin box is marked as the whole control.
    static QWidget *Controllo(QWidget *w)
    {
        while (w && !w->isWindow() && w->parentWidget() && w->parentWidget()->focusProxy() == w)
            w = w->parentWidget();
        return w;
    }

    void Segui(QWidget *ora)
    {
        m_controllo = ora ? Controllo(ora) : nullptr;
        Colloca();
    }

    void Colloca()
    {
        QWidget *c = m_controllo;
        if (!c || c->isWindow() || !c->parentWidget() || !c->isVisible()) {
            if (m_anello)
                m_anello->hide();
            return;
        }
        QWidget *genitore = c->parentWidget();
        // Moved, never deleted: a caller may be walking the widgets as the
        // focus moves.
        if (!m_anello)
            m_anello = new Anello(genitore);
        else if (m_anello->parentWidget() != genitore)
            m_anello->setParent(genitore);
        m_anello->setGeometry(c->geometry().adjusted(-kMargine, -kMargine, kMargine, kMargine));
        m_anello->raise();
        m_anello->show();
    }

    QPointer<QWidget> m_controllo;
    QPointer<Anello> m_anello;
};

} // namespace

namespace SegnoFuoco {

void Installa(QApplication &app)
{
    new Segno(app);
}

} // namespace SegnoFuoco
