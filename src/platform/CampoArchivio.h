#pragma once
// A single-line edit whose text goes into a record field of fixed capacity in
// windows-1252. Characters the code page cannot hold never stay in the field
// unannounced: typed or pasted, they are brought to the closest stored form
// or taken out, and the user is told which. A paste longer than the field is
// cut to what the field holds, and the user is told; for an identifier (tax
// code, VAT number) the blanks of the pasted text go first, so that a code
// copied in groups fits whole.

#include <QObject>

class QLineEdit;

class CampoArchivio : public QObject {
    Q_OBJECT
public:
    enum class Incolla { Testo, Identificativo };

    enum class Caratteri { Archivio, Liberi };

    // Guards the field for its lifetime (the guard is its child). Caratteri::
    // Liberi for a field whose text is not stored (only the paste is checked).
    static CampoArchivio *Proteggi(QLineEdit *campo, Incolla modo = Incolla::Testo,
                                   Caratteri caratteri = Caratteri::Archivio);

    // Pastes the text as the field's paste would, within its length, and
    // reports a cut. Public for the screens' own paste entries.
    void IncollaTesto(const QString &testo);

protected:
    bool eventFilter(QObject *oggetto, QEvent *event) override;

private:
    CampoArchivio(QLineEdit *campo, Incolla modo, Caratteri caratteri);
    void Modificato(const QString &testo);
    QString NomeCampo() const;

    QLineEdit *m_campo;
    Incolla m_modo;
};
