#include "platform/Collegamento.h"

#include <QKeyEvent>
#include <QMouseEvent>

Collegamento::Collegamento(QWidget *parent) : QLabel(parent) { Imposta(); }

Collegamento::Collegamento(const QString &testo, QWidget *parent) : QLabel(testo, parent)
{
    Imposta();
}

void Collegamento::Imposta()
{
    QFont f(QStringLiteral("Tahoma"), 14);
    f.setUnderline(true);
    setFont(f);
    setCursor(Qt::PointingHandCursor);
    // Reachable from the keyboard too: Space or Enter opens it. (Setting the
    // interaction flags resets the focus policy, so they come first.)
    setTextInteractionFlags(Qt::NoTextInteraction);
    setFocusPolicy(Qt::StrongFocus);
    ImpostaColore(ColoreRiposo());
}

QColor Collegamento::Colore() const { return palette().color(QPalette::WindowText); }

void Collegamento::ImpostaColore(const QColor &c)
{
    QPalette p = palette();
    p.setColor(QPalette::WindowText, c);
    p.setColor(QPalette::Text, c);
    setPalette(p);
}

void Collegamento::Associa(QWidget *immagine)
{
    if (!immagine)
        return;
    immagine->setCursor(Qt::PointingHandCursor);
    immagine->installEventFilter(this);
    m_immagini.append(immagine);
}

void Collegamento::Premi()
{
    m_premuto = true;
    ImpostaColore(ColorePremuto());
    emit premuto();
}

void Collegamento::Rilascia(bool sopra)
{
    const bool eraPremuto = m_premuto;
    m_premuto = false;
    ImpostaColore(ColoreRiposo());
    emit rilasciato();
    // A click needs both halves: a press that started here and a release here.
    if (eraPremuto && sopra)
        emit cliccato();
}

void Collegamento::mousePressEvent(QMouseEvent *e)
{
    if (e->button() == Qt::LeftButton) {
        Premi();
        e->accept();
        return;
    }
    QLabel::mousePressEvent(e);
}

void Collegamento::mouseReleaseEvent(QMouseEvent *e)
{
    if (e->button() == Qt::LeftButton) {
        Rilascia(rect().contains(e->position().toPoint()));
        e->accept();
        return;
    }
    QLabel::mouseReleaseEvent(e);
}

void Collegamento::keyPressEvent(QKeyEvent *e)
{
    switch (e->key()) {
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        ImpostaColore(ColoreRiposo());
        emit cliccato();
        e->accept();
        return;
    default:
        QLabel::keyPressEvent(e);
    }
}

bool Collegamento::eventFilter(QObject *oggetto, QEvent *evento)
{
    auto *immagine = qobject_cast<QWidget *>(oggetto);
    if (!immagine || !m_immagini.contains(immagine))
        return QLabel::eventFilter(oggetto, evento);
    if (evento->type() == QEvent::MouseButtonPress || evento->type() == QEvent::MouseButtonDblClick) {
        auto *m = static_cast<QMouseEvent *>(evento);
        if (m->button() == Qt::LeftButton) {
            Premi();
            return true;
        }
    } else if (evento->type() == QEvent::MouseButtonRelease) {
        auto *m = static_cast<QMouseEvent *>(evento);
        if (m->button() == Qt::LeftButton) {
            Rilascia(immagine->rect().contains(m->position().toPoint()));
            return true;
        }
    }
    return QLabel::eventFilter(oggetto, evento);
}
