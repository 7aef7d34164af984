#include "checks/PartitaIVA.h"
#include "ui_PartitaIVA.h"

TfrmPartitaIva::TfrmPartitaIva(QWidget *parent) : QDialog(parent), ui(std::make_unique<Ui::TfrmPartitaIva>())
{
    ui->setupUi(this);
}

TfrmPartitaIva::~TfrmPartitaIva() = default;
