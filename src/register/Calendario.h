#pragma once

#include "platform/Differita.h"

#include <QDialog>
#include <memory>

namespace Ui { class TfrmCalendario; }

// Picks a date for one of the register editor's two date fields; the caller
// tag in lblMemory says which one.
class TfrmCalendario : public Differita<QDialog> {
    Q_OBJECT
public:
    explicit TfrmCalendario(QWidget *parent = nullptr);
    ~TfrmCalendario() override;

protected:
    void Costruisci() override;

private:
    void btnImportaDataClick();

    std::unique_ptr<Ui::TfrmCalendario> ui;
};
