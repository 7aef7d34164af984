#pragma once

#include "platform/Differita.h"

#include <QDialog>
#include <memory>

namespace Ui { class TfrmAllegaCartella; }
class QLineEdit;
class QPushButton;

// Up to three files attached to the register editor's record: each is copied
// into the attachment folder and known afterwards by its name alone.
class TfrmAllegaCartella : public Differita<QDialog> {
    Q_OBJECT
public:
    explicit TfrmAllegaCartella(QWidget *parent = nullptr);
    ~TfrmAllegaCartella() override;

    Ui::TfrmAllegaCartella *Controlli();

    // "Documenti_Allegati" in the program folder.
    static QString CartellaAllegati();

protected:
    void Costruisci() override;

private:
    struct Slot {
        QLineEdit *file;
        QPushButton *apri;
    };
    void btnSfogliaClick(const Slot &slot);
    void btnApriClick(const Slot &slot);
    void btnApplicaClick();

    std::unique_ptr<Ui::TfrmAllegaCartella> ui;
};
