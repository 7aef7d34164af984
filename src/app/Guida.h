#pragma once

#include "platform/Differita.h"

#include <QDialog>
#include <memory>

namespace Ui { class TfrmGuida; }

// The help dialog: a topic's title and text, and a link to the user guide.
class TfrmGuida : public Differita<QDialog> {
    Q_OBJECT
public:
    explicit TfrmGuida(QWidget *parent = nullptr);
    ~TfrmGuida() override;

    // What every caller does: a new help dialog owned by the caller, with the
    // topic's title and text, shown modally and destroyed after it closes.
    static void Mostra(QWidget *chiamante, const QString &titolo, const QString &testo);

    void ImpostaArgomento(const QString &titolo, const QString &testo);

    // The user guide beside the program, quoted for the shell.
    static QString PercorsoGuidaPdf();

protected:
    void Costruisci() override;
    void showEvent(QShowEvent *e) override;

private slots:
    void lnkWebClick();
    void btnChiudiClick();

private:
    std::unique_ptr<Ui::TfrmGuida> ui;
};
