#pragma once

#include "platform/Differita.h"

#include <QWidget>
#include <functional>
#include <memory>

namespace Ui { class TfrmAvvio; }
class QDialog;

// The start menu: three cards open the work screens; the corners hold the
// information, help, credits, web site and exit commands.
class TfrmAvvio : public Differita<QWidget> {
    Q_OBJECT
public:
    explicit TfrmAvvio(QWidget *parent = nullptr);
    ~TfrmAvvio() override;

    // The screen of the archive's copies belongs to the register, above this
    // folder: whoever assembles the program says how to create it.
    using CreaDialogo = std::function<QDialog *(QWidget *genitore)>;
    void ImpostaCopie(CreaDialogo copie);

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
    void imgCopieClick();
    void imgGuidaClick();
    void imgSitoClick();
    void imgEsciClick();
    void ApriLavoro(QWidget *schermata);

    std::unique_ptr<Ui::TfrmAvvio> ui;
    CreaDialogo m_copie;
};
