#include "register/Completamento.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QCompleter>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QStringListModel>

Completamento::Completamento(QLineEdit *campo, Fonte fonte)
    : QObject(campo), m_campo(campo), m_fonte(std::move(fonte))
{
    m_modello = new QStringListModel(this);
    m_completer = new QCompleter(m_modello, this);
    // The values come ranked and matched already: the list shows them as
    // they are, and the field is never written while one is only highlighted.
    m_completer->setCompletionMode(QCompleter::UnfilteredPopupCompletion);
    m_completer->setCaseSensitivity(Qt::CaseInsensitive);
    m_completer->setMaxVisibleItems(8);
    m_completer->setWidget(campo);

    QAbstractItemView *lista = m_completer->popup();
    QString nome = campo->accessibleName().trimmed();
    while (nome.endsWith(u':'))
        nome.chop(1);
    lista->setObjectName(campo->objectName() + QStringLiteral("_valori"));
    lista->setAccessibleName(QStringLiteral("Valori già in archivio per %1").arg(nome));
    lista->setAccessibleDescription(QStringLiteral(
        "Frecce su e giù per scegliere, Invio per riportare il valore nel campo, Esc per chiudere."));
    // Installed after the completer's own filter, so it runs first.
    lista->installEventFilter(this);
    campo->installEventFilter(this);

    // The list never takes the focus: a screen reader hears the highlighted
    // value as the list's focus.
    connect(lista->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [lista](const QModelIndex &attuale) {
                if (!attuale.isValid() || !QAccessible::isActive())
                    return;
                QAccessibleEvent e(lista, QAccessible::Focus);
                e.setChild(attuale.row());
                QAccessible::updateAccessibility(&e);
            });
    // A click on a value.
    connect(m_completer, qOverload<const QString &>(&QCompleter::activated), this, &Completamento::Scegli);
    connect(campo, &QLineEdit::textEdited, this, [this](const QString &testo) {
        if (m_scegliendo || !m_campo->hasFocus())
            return;
        m_digitato = true;
        Offri(testo, false);
    });
}

QAbstractItemView *Completamento::Lista() const { return m_completer->popup(); }

bool Completamento::Aperta() const { return m_completer->popup()->isVisible(); }

void Completamento::Aggiorna()
{
    if (Aperta() || (m_digitato && m_campo->hasFocus()))
        Offri(m_campo->text(), Aperta());
}

void Completamento::Offri(const QString &testo, bool ancheVuoto)
{
    const bool vuoto = testo.trimmed().isEmpty();
    const QStringList valori = vuoto && !ancheVuoto ? QStringList() : m_fonte(testo);
    if (valori.isEmpty() || m_campo->isReadOnly()) {
        m_completer->popup()->hide();
        return;
    }
    m_modello->setStringList(valori);
    m_completer->setCompletionPrefix(QString());
    m_completer->complete();
    // Nothing highlighted: Enter goes on to the next field until a value is picked.
    m_completer->popup()->selectionModel()->clear();
    m_completer->popup()->setCurrentIndex(QModelIndex());
}

void Completamento::Scegli(const QString &valore)
{
    m_completer->popup()->hide();
    m_scegliendo = true;
    // As if typed: the field's length and the checks of its characters apply.
    m_campo->selectAll();
    m_campo->insert(valore);
    m_scegliendo = false;
    m_digitato = false;
    emit Scelto(m_campo->text());
}

bool Completamento::TastoLista(QKeyEvent *tasto)
{
    QAbstractItemView *lista = m_completer->popup();
    switch (tasto->key()) {
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown: {
        // Moved here rather than by the completer, so that the field and the
        // list answer the same way whichever gets the key.
        const int n = m_modello->rowCount();
        const QModelIndex attuale = lista->selectionModel()->hasSelection() ? lista->currentIndex() : QModelIndex();
        const int passo = (tasto->key() == Qt::Key_PageUp || tasto->key() == Qt::Key_PageDown)
                              ? std::max(1, m_completer->maxVisibleItems() - 1)
                              : 1;
        const bool giu = tasto->key() == Qt::Key_Down || tasto->key() == Qt::Key_PageDown;
        int riga = !attuale.isValid() ? (giu ? 0 : n - 1)
                                      : std::clamp(attuale.row() + (giu ? passo : -passo), 0, n - 1);
        const QModelIndex nuovo = m_modello->index(riga);
        lista->setCurrentIndex(nuovo);
        lista->selectionModel()->select(nuovo, QItemSelectionModel::ClearAndSelect);
        lista->scrollTo(nuovo);
        return true;
    }
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (lista->selectionModel()->hasSelection() && lista->currentIndex().isValid()) {
            Scegli(lista->currentIndex().data().toString());
            return true;
        }
        lista->hide();
        return false; // the field's own Enter: on to the next field
    case Qt::Key_Escape:
        lista->hide();
        return true;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        lista->hide();
        return false;
    default:
        return false;
    }
}

bool Completamento::eventFilter(QObject *oggetto, QEvent *event)
{
    if (event->type() == QEvent::FocusIn && oggetto == m_campo) {
        // Back from a popup or another window, the typing goes on.
        const auto motivo = static_cast<QFocusEvent *>(event)->reason();
        if (motivo != Qt::PopupFocusReason && motivo != Qt::ActiveWindowFocusReason)
            m_digitato = false;
        return false;
    }
    if (event->type() != QEvent::KeyPress)
        return false;
    auto *tasto = static_cast<QKeyEvent *>(event);
    if (oggetto == m_campo) {
        if (Aperta())
            return TastoLista(tasto);
        // Down on a closed list opens it, with the most used values when the
        // field is empty.
        if (tasto->key() == Qt::Key_Down && tasto->modifiers() == Qt::NoModifier) {
            Offri(m_campo->text(), true);
            return Aperta();
        }
        return false;
    }
    if (oggetto != m_completer->popup())
        return false;
    // The open list gets the keys first: its own keys stay here, the others
    // reach the field through its filters (paste, Enter ring, checks), which
    // the completer would pass by.
    if (TastoLista(tasto))
        return true;
    QCoreApplication::sendEvent(m_campo, tasto);
    return true;
}
