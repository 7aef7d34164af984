#pragma once

#include "platform/Differita.h"
#include "register/CopieSicurezza.h"

#include <QDialog>
#include <memory>

namespace Ui { class TfrmCopie; }

// Tells the user that the day's copy made before a restore failed, and why (a
// full disk, with the room the copy wanted); nothing when it did not fail.
void SegnalaCopiaDelRipristino(const EsitoModifica &esito, QWidget *genitore);

// The copies of the archive in Backup/, with the current archive beside
// them; "Ripristina" brings one back after keeping the current archive as a
// copy of its own, "Apri cartella" opens Backup/ in the desktop's file manager.
class TfrmCopie : public Differita<QDialog> {
    Q_OBJECT
public:
    explicit TfrmCopie(QWidget *parent = nullptr);
    ~TfrmCopie() override;

protected:
    void Costruisci() override;
    void showEvent(QShowEvent *evento) override;

private:
    void Carica();
    void btnRipristinaClick();
    void btnApriClick();

    std::unique_ptr<Ui::TfrmCopie> ui;
    QList<CopieSicurezza::Copia> m_copie;
    CopieSicurezza::Copia m_attuale;
};
