#include "platform/Adattamento.h"

#include <QApplication>
#include <QAbstractButton>
#include <QEvent>
#include <QLabel>
#include <QLayout>
#include <QMainWindow>
#include <QScreen>
#include <QScrollArea>
#include <QStyle>
#include <QTimer>
#include <QVBoxLayout>
#include <QWindow>

namespace {

const char *const kScorrimento = "scorrimentoFinestra";

// The room the window's contents ask for: its minimum size, its layout's
// minimum, and for a form laid out by coordinates the extent of its controls.
QSize Necessaria(QWidget *finestra)
{
    QSize s = finestra->minimumSize();
    if (QLayout *l = finestra->layout())
        s = s.expandedTo(l->totalMinimumSize());
    else if (!qobject_cast<QMainWindow *>(finestra)) {
        const QRect controlli = finestra->childrenRect();
        s = s.expandedTo(QSize(controlli.right() + 1, controlli.bottom() + 1));
    }
    return s;
}

// The room the screen leaves for the window's inside: its free area less the
// window's frame (a caption's height while the window manager has not yet
// framed it).
QSize Disponibile(QWidget *finestra)
{
    QScreen *schermo = finestra->screen() ? finestra->screen() : QGuiApplication::primaryScreen();
    if (!schermo)
        return QSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    QSize libera = schermo->availableGeometry().size();
    QMargins cornice;
    if (QWindow *w = finestra->windowHandle())
        cornice = w->frameMargins();
    if (cornice.isNull() && !(finestra->windowFlags() & Qt::FramelessWindowHint))
        cornice.setTop(finestra->style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, finestra));
    return libera.shrunkBy(cornice).expandedTo(QSize(1, 1));
}

// Moves the contents of the widget (its layout, or its controls where they
// stand) into a scroll area that becomes its only child. The controls stay in
// the same window, so their tab order holds.
QScrollArea *Avvolgi(QWidget *contenitore, QSize necessaria)
{
    auto *scorrimento = new QScrollArea(contenitore);
    scorrimento->setObjectName(QLatin1String(kScorrimento));
    scorrimento->setFrameShape(QFrame::NoFrame);
    scorrimento->setFocusPolicy(Qt::NoFocus); // the controls inside take the focus, not the area
    scorrimento->setWidgetResizable(true);
    scorrimento->setAccessibleName(contenitore->window()->windowTitle());
    auto *contenuto = new QWidget;
    contenuto->setObjectName(QStringLiteral("contenutoFinestra"));
    scorrimento->setWidget(contenuto);
    // The window's own background (often its style sheet's) shows through.
    scorrimento->viewport()->setAutoFillBackground(false);
    contenuto->setAutoFillBackground(false);

    if (QLayout *disposizione = contenitore->layout())
        contenuto->setLayout(disposizione); // takes it off the window, with its controls
    else
        contenuto->setMinimumSize(necessaria);
    for (QObject *figlio : contenitore->children()) {
        auto *controllo = qobject_cast<QWidget *>(figlio);
        if (!controllo || controllo == scorrimento || controllo->isWindow())
            continue;
        const QRect dove = controllo->geometry();
        controllo->setParent(contenuto); // keeps an explicit hiding, and nothing else
        controllo->setGeometry(dove);
    }
    auto *riempi = new QVBoxLayout(contenitore);
    riempi->setContentsMargins(0, 0, 0, 0);
    riempi->addWidget(scorrimento);
    scorrimento->show();

    // A control reached by Tab, a mnemonic or a click is brought into view.
    QObject::connect(qApp, &QApplication::focusChanged, scorrimento, [scorrimento, contenuto](QWidget *, QWidget *ora) {
        if (!ora || !contenuto->isAncestorOf(ora))
            return;
        // The whole control where it fits, not only its text cursor.
        const QRect dove(ora->mapTo(contenuto, QPoint(0, 0)), ora->size());
        const QSize vista = scorrimento->viewport()->size();
        scorrimento->ensureVisible(dove.center().x(), dove.center().y(),
                                   qMin(dove.width() / 2 + 8, vista.width() / 2),
                                   qMin(dove.height() / 2 + 8, vista.height() / 2));
        // Its start and the caption on its left come before its far end.
        scorrimento->ensureVisible(dove.left(), dove.center().y(), qMin(160, vista.width() / 3),
                                   qMin(dove.height() / 2 + 8, vista.height() / 2));
    });
    return scorrimento;
}

// A caption drawn wider than its control, in a form laid out by coordinates
// (a larger desktop font does it): the control grows to its text where the
// room beside it is free, keeping its left edge, its centre or its right edge
// as its text is aligned.
void AllargaTesti(QWidget *finestra)
{
    for (QWidget *c : finestra->findChildren<QWidget *>()) {
        QWidget *genitore = c->parentWidget();
        if (c->window() != finestra || !genitore || genitore->layout() || c->isHidden())
            continue;
        Qt::Alignment allineamento = Qt::AlignHCenter;
        if (auto *l = qobject_cast<QLabel *>(c)) {
            if (l->wordWrap() || !l->pixmap().isNull() || l->text().isEmpty())
                continue;
            allineamento = l->alignment() & Qt::AlignHorizontal_Mask;
        } else if (auto *b = qobject_cast<QAbstractButton *>(c); !b || b->text().isEmpty())
            continue;
        const int serve = c->minimumSizeHint().width();
        if (serve <= c->width())
            continue;
        const QRect ora = c->geometry();
        const auto ancorata = [&](Qt::Alignment a) {
            QRect r = ora;
            r.setWidth(serve);
            if (a & Qt::AlignRight)
                r.moveRight(ora.right());
            else if (a & Qt::AlignHCenter)
                r.moveCenter(QPoint(ora.center().x(), r.center().y()));
            return r;
        };
        const auto libera = [&](const QRect &r) {
            if (!genitore->rect().contains(r))
                return false;
            for (QWidget *altro : genitore->findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
                if (altro != c && !altro->isHidden() && altro->geometry().intersects(r))
                    return false;
            return true;
        };
        for (Qt::Alignment a : {allineamento, Qt::Alignment(Qt::AlignLeft), Qt::Alignment(Qt::AlignRight),
                                Qt::Alignment(Qt::AlignHCenter)})
            if (const QRect r = ancorata(a); libera(r)) {
                c->setGeometry(r);
                break;
            }
    }
}

bool Massimizzata(QWidget *finestra)
{
    return finestra->windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen);
}

// Qt's own dialogs, menus and tips are not the program's to rearrange.
bool DelProgramma(QWidget *w)
{
    if (!w->isWindow())
        return false;
    const Qt::WindowType tipo = w->windowType();
    if (tipo != Qt::Window && tipo != Qt::Dialog && tipo != Qt::Sheet)
        return false;
    return !QByteArray(w->metaObject()->className()).startsWith('Q');
}

class AdattaAlloSchermo : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *oggetto, QEvent *evento) override
    {
        // The show event comes before the window is mapped: fitted here, it
        // never appears at its oversized size.
        if (evento->type() == QEvent::Show && oggetto->isWidgetType()) {
            auto *w = static_cast<QWidget *>(oggetto);
            if (DelProgramma(w))
                Adattamento::AlloSchermo(w);
        }
        // A window may size itself again as it is shown (a fixed dialog
        // setting its size in its own show event): fitted again after.
        if (evento->type() == QEvent::Resize && oggetto->isWidgetType()) {
            auto *w = static_cast<QWidget *>(oggetto);
            if (w->isVisible() && DelProgramma(w))
                QTimer::singleShot(0, w, [w] { Adattamento::AlloSchermo(w); });
        }
        return false;
    }
};

} // namespace

namespace Adattamento {

void Installa(QCoreApplication &app)
{
    app.installEventFilter(new AdattaAlloSchermo(&app));
}

QScrollArea *AlloSchermo(QWidget *finestra)
{
    // A main window scrolls its central part; its bars stay in place.
    auto *principale = qobject_cast<QMainWindow *>(finestra);
    QWidget *contenitore = principale && principale->centralWidget() ? principale->centralWidget() : finestra;
    QScrollArea *scorrimento =
        contenitore->findChild<QScrollArea *>(QLatin1String(kScorrimento), Qt::FindDirectChildrenOnly);

    AllargaTesti(finestra);
    const QSize disponibile = Disponibile(finestra);
    const QSize designata = Massimizzata(finestra) ? QSize(0, 0) : finestra->size();
    if (!scorrimento) {
        const QSize necessaria =
            Necessaria(contenitore).expandedTo(contenitore == finestra ? QSize() : Necessaria(finestra));
        if (necessaria.boundedTo(disponibile) != necessaria || designata.boundedTo(disponibile) != designata)
            scorrimento = Avvolgi(contenitore, necessaria.expandedTo(contenitore == finestra ? designata : QSize()));
    }
    if (scorrimento)
        finestra->setMinimumSize(finestra->minimumSize().boundedTo(disponibile));
    if (Massimizzata(finestra)) {
        if (scorrimento)
            finestra->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    } else if (QScreen *schermo = finestra->screen()) {
        // A window already placed within the free area keeps its place and
        // size; another is made to fit and kept where it was centred or put.
        const QRect libera = schermo->availableGeometry();
        if (!libera.contains(finestra->frameGeometry())) {
            if (scorrimento)
                finestra->resize(finestra->size().boundedTo(disponibile));
            QRect dove = finestra->frameGeometry();
            dove.moveRight(qMin(dove.right(), libera.right()));
            dove.moveBottom(qMin(dove.bottom(), libera.bottom()));
            dove.moveLeft(qMax(dove.left(), libera.left()));
            dove.moveTop(qMax(dove.top(), libera.top()));
            finestra->move(dove.topLeft());
        }
    }
    return scorrimento;
}

} // namespace Adattamento
