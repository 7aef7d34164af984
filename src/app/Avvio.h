#pragma once

#include "platform/Differita.h"

#include <QWidget>
#include <memory>

namespace Ui { class TfrmAvvio; }

// The start menu: three cards open the work screens; the corners hold the
// information, help, credits, web site and exit commands.
class TfrmAvvio : public Differita<QWidget> {
    Q_OBJECT
public:
    explicit TfrmAvvio(QWidget *parent = nullptr);
    ~TfrmAvvio() override;

protected:
    void Costruisci() override;
    // Closing the start menu ends the program, although it is not the main window.
    void closeEvent(QCloseEvent *e) override;

private:
    void imgApp01Click();
    void imgApp02Click();
    void imgApp03Click();
    void imgInfoClick();
    void imgCreditsClick();
    void imgGuidaClick();
    void imgSitoClick();
    void imgEsciClick();
    void ApriLavoro(QWidget *schermata);

    std::unique_ptr<Ui::TfrmAvvio> ui;
};
