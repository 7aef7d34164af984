#pragma once
// The export screen: the whole archive in a grid, written on request as the
// spreadsheet file "Registro_Spese.xls" in the program folder. Created by
// the register editor for one use, shown modally and destroyed.

#include "platform/Differita.h"

#include <QDialog>
#include <memory>

namespace Ui { class TfrmExpRegPagamenti; }
class ModelloRegistro;

class TfrmExpRegPagamenti : public Differita<QDialog> {
    Q_OBJECT
public:
    explicit TfrmExpRegPagamenti(QWidget *parent = nullptr);
    ~TfrmExpRegPagamenti() override;

    // Full path of the export file in the program folder.
    static QString PercorsoEsportazione();

    ModelloRegistro &Modello();

protected:
    void Costruisci() override;
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *oggetto, QEvent *evento) override;

private:
    void FormShow();
    void cmdEsportaClick();
    void cmdGuidaClick();
    void cmdEsciClick();
    void cmdEsportaMouseMove();
    void cmdGuidaMouseMove();
    void cmdEsciMouseMove();
    void FormMouseMove();

    void ConfermaCellaInModifica();
    // Writes the grid to the export file; false when it cannot. Shows the
    // work going on meanwhile.
    bool EsportaGriglia(const QString &percorso, int *errore = nullptr);

    std::unique_ptr<Ui::TfrmExpRegPagamenti> ui;
    ModelloRegistro *m_modello = nullptr;
    bool m_grigliaCompleta = false; // every record of the archive reached the grid
};
