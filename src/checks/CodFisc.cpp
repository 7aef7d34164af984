#include "checks/CodFisc.h"
#include "ui_CodFisc.h"

TfrmCodFisc::TfrmCodFisc(QWidget *parent) : QDialog(parent), ui(std::make_unique<Ui::TfrmCodFisc>())
{
    ui->setupUi(this);
}

TfrmCodFisc::~TfrmCodFisc() = default;
