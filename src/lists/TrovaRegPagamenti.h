#pragma once

#include "lists/RichiamoScheda.h"
#include "platform/Differita.h"

#include <QDialog>
#include <QList>
#include <memory>

namespace Ui { class TfrmTrovaRegPagamenti; }
class BarraTrova;
class QLineEdit;

// Search by partial keys in ten fields; the result lines, a find bar, the
// print of the list, and a double click that loads a record into the editor.
class TfrmTrovaRegPagamenti : public Differita<QDialog> {
    Q_OBJECT
public:
    explicit TfrmTrovaRegPagamenti(QWidget *parent = nullptr);
    ~TfrmTrovaRegPagamenti() override;

    // The caller tag, written by the opener before showing the dialog; only
    // the register editor ("regpagamenti") gets a record loaded.
    void ImpostaChiamante(const QString &tag);

    // Where a double-clicked record goes (the register editor that opened
    // the dialog); without one a double click only closes the dialog.
    VisoreScheda *visore = nullptr;

    void done(int risultato) override;

protected:
    void Costruisci() override;
    void showEvent(QShowEvent *evento) override;
    bool eventFilter(QObject *oggetto, QEvent *evento) override;

private:
    void btnCercaClick();
    void lstRecordsDblClick();
    void btnStampaClick();

    std::unique_ptr<Ui::TfrmTrovaRegPagamenti> ui;
    QList<QLineEdit *> m_criteri; // in the Enter order
    QString m_ultimoTrova;
};
