#pragma once

#include "platform/Differita.h"

#include <QDialog>
#include <memory>
#include <optional>

namespace Ui { class TfrmCodFisc; }

// Tests the check character of a tax code typed by the user or handed over
// by the register editor; the verdict closes it.
class TfrmCodFisc : public Differita<QDialog> {
    Q_OBJECT
public:
    explicit TfrmCodFisc(QWidget *parent = nullptr);
    ~TfrmCodFisc() override;

    // The caller fills the field before showing the dialog.
    void ImpostaCodFisc(const QString &codice);

    // The identifier last found valid by Controlla, as checked.
    std::optional<QString> Valido() const { return m_valido; }

protected:
    void Costruisci() override;
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *oggetto, QEvent *event) override;

private:
    void txtCodFiscTyping(const QString &testo);
    void btnControllaClick();
    void btnChiudiClick();

    std::unique_ptr<Ui::TfrmCodFisc> ui;
    std::optional<QString> m_valido;
};
