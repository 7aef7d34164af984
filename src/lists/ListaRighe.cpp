#include "lists/ListaRighe.h"

#include <QBrush>
#include <QColor>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QListView>
#include <QSize>

#ifdef __GLIBC__
#include <malloc.h>
#endif

ModelloRighe::ModelloRighe(QObject *parent)
    : QAbstractListModel(parent), m_carattere(QStringLiteral("Courier New"), 12)
{
    m_carattere.setStyleHint(QFont::TypeWriter);
    m_carattere.setFixedPitch(true);
    m_altezza = QFontMetrics(m_carattere).height() + 2;
}

int ModelloRighe::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_righe.size());
}

QVariant ModelloRighe::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_righe.size())
        return {};
    switch (role) {
    case Qt::DisplayRole:
    case Qt::AccessibleTextRole:
        return m_righe.righe.at(index.row());
    case Qt::FontRole:
        return m_carattere;
    case Qt::ForegroundRole:
        return QBrush(QColor(0, 0, 0));
    case Qt::SizeHintRole:
        return QSize(LarghezzaVoce, m_altezza);
    default:
        return {};
    }
}

void ModelloRighe::Imposta(RigheScheda righe)
{
    beginResetModel();
    m_righe = std::move(righe);
    endResetModel();
}

void ModelloRighe::Svuota()
{
    Imposta({});
#ifdef __GLIBC__
    // A long list leaves large free blocks inside the heap, which the
    // allocator keeps for itself: hand them back once the list is gone.
    malloc_trim(0);
#endif
}

ModelloRighe *PreparaListaRighe(QListView *vista)
{
    auto *modello = new ModelloRighe(vista);
    vista->setModel(modello);
    // Every line has the same height and width: the view need not measure them.
    vista->setUniformItemSizes(true);
    vista->setWrapping(false);
    vista->setSelectionMode(QAbstractItemView::SingleSelection);
    vista->setEditTriggers(QAbstractItemView::NoEditTriggers);
    vista->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    vista->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    vista->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    return modello;
}

ModelloRighe *ModelloDi(QListView *vista) { return qobject_cast<ModelloRighe *>(vista->model()); }

void MostraRighe(QListView *vista, RigheScheda righe)
{
    ModelloDi(vista)->Imposta(std::move(righe));
    vista->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    vista->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
}

int RigaSelezionata(QListView *vista)
{
    const QModelIndex i = vista->currentIndex();
    return (i.isValid() && vista->selectionModel()->isSelected(i)) ? i.row() : -1;
}

void SelezionaRiga(QListView *vista, int riga)
{
    const QModelIndex i = vista->model()->index(riga, 0);
    if (!i.isValid())
        return;
    vista->selectionModel()->setCurrentIndex(i, QItemSelectionModel::ClearAndSelect);
    vista->scrollTo(i);
}

namespace {

class InvioRiga : public QObject {
public:
    InvioRiga(QListView *vista, std::function<void()> azione) : QObject(vista), m_vista(vista), m_azione(std::move(azione))
    {
        vista->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *oggetto, QEvent *evento) override
    {
        if (oggetto != m_vista || evento->type() != QEvent::KeyPress)
            return false;
        auto *tasto = static_cast<QKeyEvent *>(evento);
        if ((tasto->key() != Qt::Key_Return && tasto->key() != Qt::Key_Enter)
            || (tasto->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier)
            return false;
        // The line under the focus mark is the one meant, selected or not yet.
        const QModelIndex corrente = m_vista->currentIndex();
        if (!corrente.isValid())
            return false;
        if (RigaSelezionata(m_vista) < 0)
            SelezionaRiga(m_vista, corrente.row());
        // A key held down opens once.
        if (!tasto->isAutoRepeat())
            m_azione();
        return true;
    }

private:
    QListView *m_vista;
    std::function<void()> m_azione;
};

} // namespace

void InvioSullaRiga(QListView *vista, std::function<void()> azione) { new InvioRiga(vista, std::move(azione)); }
