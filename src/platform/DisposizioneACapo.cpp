#include "platform/DisposizioneACapo.h"

#include <QWidget>

namespace {

bool Spaziatore(QLayoutItem *voce) { return voce->spacerItem() != nullptr; }

} // namespace

DisposizioneACapo::~DisposizioneACapo()
{
    while (QLayoutItem *voce = takeAt(0))
        delete voce;
}

DisposizioneACapo *DisposizioneACapo::Sostituisci(QWidget *contenitore)
{
    QLayout *riga = contenitore->layout();
    auto *acapo = new DisposizioneACapo;
    if (riga) {
        acapo->setContentsMargins(riga->contentsMargins());
        acapo->setSpacing(riga->spacing());
        while (QLayoutItem *voce = riga->takeAt(0))
            acapo->addItem(voce);
        delete riga; // its widgets stay where they are, children of the container
    }
    contenitore->setLayout(acapo);
    return acapo;
}

QLayoutItem *DisposizioneACapo::takeAt(int i)
{
    return i >= 0 && i < m_voci.size() ? m_voci.takeAt(i) : nullptr;
}

int DisposizioneACapo::heightForWidth(int larghezza) const { return Disponi(QRect(0, 0, larghezza, 0), false); }

QSize DisposizioneACapo::sizeHint() const
{
    // All on one row.
    int larghezza = 0, altezza = 0, visibili = 0;
    for (QLayoutItem *voce : m_voci) {
        if (voce->isEmpty())
            continue;
        larghezza += voce->sizeHint().width();
        altezza = qMax(altezza, voce->sizeHint().height());
        ++visibili;
    }
    const QMargins m = contentsMargins();
    return QSize(larghezza + qMax(0, visibili - 1) * spacing() + m.left() + m.right(), altezza + m.top() + m.bottom());
}

QSize DisposizioneACapo::minimumSize() const
{
    // The widest button; the height of the rows a given width takes comes
    // from heightForWidth, not from the narrowest width's column.
    int larghezza = 0;
    for (QLayoutItem *voce : m_voci)
        if (!voce->isEmpty() && !Spaziatore(voce))
            larghezza = qMax(larghezza, voce->sizeHint().width());
    const QMargins m = contentsMargins();
    return QSize(larghezza + m.left() + m.right(), sizeHint().height());
}

void DisposizioneACapo::setGeometry(const QRect &r)
{
    QLayout::setGeometry(r);
    Disponi(r, true);
}

int DisposizioneACapo::Disponi(const QRect &r, bool applica) const
{
    const QRect area = r.marginsRemoved(contentsMargins());
    const int passo = spacing();
    // The rows: each takes the items that fit in the width, at their size.
    QList<QList<QLayoutItem *>> righe(1);
    int x = 0;
    for (QLayoutItem *voce : m_voci) {
        if (voce->isEmpty())
            continue;
        const int w = voce->sizeHint().width();
        if (!righe.last().isEmpty() && x + w > area.width()) {
            // A spacer does not end a row, nor begin one.
            while (!righe.last().isEmpty() && Spaziatore(righe.last().last()))
                righe.last().removeLast();
            righe.append(QList<QLayoutItem *>());
            x = 0;
        }
        if (righe.last().isEmpty() && Spaziatore(voce))
            continue;
        righe.last().append(voce);
        x += w + passo;
    }
    int y = area.top();
    for (const QList<QLayoutItem *> &riga : righe) {
        if (riga.isEmpty())
            continue;
        int usata = -passo, altezza = 0, spaziatori = 0;
        for (QLayoutItem *voce : riga) {
            usata += voce->sizeHint().width() + passo;
            altezza = qMax(altezza, voce->sizeHint().height());
            spaziatori += Spaziatore(voce);
        }
        // The room left over goes to the spacers, or around a row without.
        const int avanzo = qMax(0, area.width() - usata);
        int xi = area.left() + (spaziatori ? 0 : avanzo / 2);
        int resto = avanzo;
        for (QLayoutItem *voce : riga) {
            int w = voce->sizeHint().width();
            if (Spaziatore(voce) && spaziatori) {
                const int parte = resto / spaziatori--;
                w += parte;
                resto -= parte;
            }
            if (applica) {
                const int h = voce->expandingDirections() & Qt::Vertical ? altezza : voce->sizeHint().height();
                voce->setGeometry(QRect(xi, y + (altezza - h) / 2, w, h));
            }
            xi += w + passo;
        }
        y += altezza + passo;
    }
    const QMargins m = contentsMargins();
    return y - passo - area.top() + m.top() + m.bottom();
}
