#pragma once
// What the two identifier dialogs share: a fixed window without window-system
// buttons, centred on the screen, and an identifier field whose length limit
// never cuts a text handed over by the caller.

#include <QDialog>
#include <QLineEdit>
#include <QScreen>

namespace CampoIdentificativo {

inline void FinestraFissa(QDialog *dialogo)
{
    dialogo->setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                            | Qt::MSWindowsFixedSizeDialogHint);
}

inline void CentraSulloSchermo(QDialog *dialogo)
{
    if (QScreen *s = dialogo->screen())
        dialogo->move(s->availableGeometry().center() - dialogo->rect().center());
}

// The limit applies to typing. A longer text from the caller stays whole, so
// that the length message reports it instead of a shortened identifier being
// judged in its place; once the user shortens it, the limit is back.
inline void AdattaLimite(QLineEdit *campo, int limite)
{
    const int nuovo = qMax(limite, int(campo->text().size()));
    if (nuovo == campo->maxLength())
        return;
    // Changing the limit puts the text back and the cursor at its end.
    const int cursore = campo->cursorPosition();
    campo->setMaxLength(nuovo);
    campo->setCursorPosition(cursore);
}

inline void ImpostaIntero(QLineEdit *campo, const QString &testo, int limite)
{
    campo->setMaxLength(qMax(limite, int(testo.size())));
    campo->setText(testo);
}

} // namespace CampoIdentificativo
