#pragma once

#include "platform/Differita.h"

#include <QDialog>
#include <memory>
#include <optional>

namespace Ui { class TfrmPartitaIva; }

// Tests the check digit of a VAT number and, when it is right, names the
// office that issued the number; the verdict closes it.
class TfrmPartitaIva : public Differita<QDialog> {
    Q_OBJECT
public:
    explicit TfrmPartitaIva(QWidget *parent = nullptr);
    ~TfrmPartitaIva() override;

    // The caller fills the field before showing the dialog.
    void ImpostaPartitaIva(const QString &numero);

    // The identifier last found valid by Controlla, as checked.
    std::optional<QString> Valido() const { return m_valido; }

protected:
    void Costruisci() override;
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *oggetto, QEvent *event) override;

private:
    bool txtPartitaIvaKeyDown(const QKeyEvent &tasto);
    void btnControllaClick();
    void btnChiudiClick();

    std::unique_ptr<Ui::TfrmPartitaIva> ui;
    std::optional<QString> m_valido;
};
