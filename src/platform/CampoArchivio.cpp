#include "platform/CampoArchivio.h"

#include "platform/Archiviabile.h"
#include "platform/Desktop.h"

#include <QAction>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>

CampoArchivio *CampoArchivio::Proteggi(QLineEdit *campo, Incolla modo, Caratteri caratteri)
{
    return new CampoArchivio(campo, modo, caratteri);
}

CampoArchivio::CampoArchivio(QLineEdit *campo, Incolla modo, Caratteri caratteri)
    : QObject(campo), m_campo(campo), m_modo(modo)
{
    campo->installEventFilter(this);
    if (caratteri == Caratteri::Archivio)
        connect(campo, &QLineEdit::textEdited, this, &CampoArchivio::Modificato);
    // A dropped text would pass by the length check of a paste.
    campo->setAcceptDrops(false);
}

QString CampoArchivio::NomeCampo() const
{
    QString nome = m_campo->accessibleName().trimmed();
    while (nome.endsWith(u':'))
        nome.chop(1);
    return nome.isEmpty() ? m_campo->objectName() : nome;
}

void CampoArchivio::Modificato(const QString &testo)
{
    const Archiviabile::Esito e = Archiviabile::Rendi(testo);
    if (!e.Cambiato())
        return;
    // The caret stays after what the user typed, wherever that moved to.
    const int cursore = int(Archiviabile::Rendi(testo.left(m_campo->cursorPosition())).testo.size());
    m_campo->setText(e.testo);
    m_campo->setCursorPosition(cursore);

    QString messaggio = QStringLiteral("Attenzione: l'archivio non può conservare alcuni caratteri "
                                       "scritti nel campo \"%1\".")
                            .arg(NomeCampo());
    if (!e.sostituiti.isEmpty())
        messaggio += QStringLiteral("\n\r\n\rSostituiti con la forma più vicina: ")
                     + e.sostituiti.join(QStringLiteral(", ")) + u'.';
    if (!e.tolti.isEmpty())
        messaggio += QStringLiteral("\n\r\n\rTolti dal testo: ") + e.tolti.join(QStringLiteral(", ")) + u'.';
    messaggio += QStringLiteral("\n\r\n\rIl campo mostra ora il testo come verrà salvato.");
    Desktop::Corrente().Messaggio(Desktop::Tipo::Avviso, messaggio, m_campo->window());
}

void CampoArchivio::IncollaTesto(const QString &testo)
{
    if (m_campo->isReadOnly())
        return;
    QString t = testo;
    if (m_modo == Incolla::Identificativo) {
        // "RSS MRA 45C12 F205C" is one code written in groups.
        QString senza;
        for (const QChar c : t)
            if (c.unicode() > 32 && !c.isSpace())
                senza += c;
        t = senza;
    }
    const int resto = m_campo->maxLength()
                      - int(m_campo->text().size() - m_campo->selectedText().size());
    const int incollati = int(t.size());
    bool tagliato = false;
    if (t.size() > resto) {
        int n = qMax(0, resto);
        if (n > 0 && t.at(n - 1).isHighSurrogate())
            --n;
        t.truncate(n);
        tagliato = true;
    }
    // insert() reports the change as an edit of the user's, so the
    // characters of the paste are checked like typed ones.
    if (!t.isEmpty() || m_campo->hasSelectedText())
        m_campo->insert(t);
    if (tagliato)
        Desktop::Corrente().Messaggio(
            Desktop::Tipo::Avviso,
            QStringLiteral("Attenzione: il testo incollato nel campo \"%1\" è lungo %2 caratteri, ma il "
                           "campo ne può contenere al massimo %3: è stata inserita soltanto la parte "
                           "che ci sta.\n\r\n\rControllare il testo del campo.")
                .arg(NomeCampo())
                .arg(incollati)
                .arg(m_campo->maxLength()),
            m_campo->window());
}

bool CampoArchivio::eventFilter(QObject *oggetto, QEvent *event)
{
    if (oggetto != m_campo)
        return false;
    switch (event->type()) {
    case QEvent::KeyPress:
        if (static_cast<QKeyEvent *>(event)->matches(QKeySequence::Paste)) {
            IncollaTesto(QGuiApplication::clipboard()->text());
            return true;
        }
        break;
    case QEvent::MouseButtonRelease: {
        // The middle button pastes the selection of the window system.
        auto *m = static_cast<QMouseEvent *>(event);
        if (m->button() != Qt::MiddleButton || m_campo->isReadOnly())
            break;
        if (QGuiApplication::clipboard()->supportsSelection()) {
            m_campo->setCursorPosition(m_campo->cursorPositionAt(m->position().toPoint()));
            IncollaTesto(QGuiApplication::clipboard()->text(QClipboard::Selection));
        }
        return true;
    }
    case QEvent::ContextMenu: {
        QMenu *menu = m_campo->createStandardContextMenu();
        menu->setAttribute(Qt::WA_DeleteOnClose);
        // The entry wired to the field's own paste (it has no name to find it
        // by) pastes through the length check instead.
        for (QAction *a : menu->actions()) {
            if (!disconnect(a, SIGNAL(triggered()), m_campo, SLOT(paste()))
                && !disconnect(a, &QAction::triggered, m_campo, &QLineEdit::paste))
                continue;
            a->setObjectName(QStringLiteral("incollaTesto"));
            connect(a, &QAction::triggered, this,
                    [this] { IncollaTesto(QGuiApplication::clipboard()->text()); });
        }
        menu->popup(static_cast<QContextMenuEvent *>(event)->globalPos());
        return true;
    }
    default:
        break;
    }
    return false;
}
