#include "access/CambiaPassword.h"
#include "ui_CambiaPassword.h"

TfrmCambiaPassword::TfrmCambiaPassword(QWidget *parent) : QDialog(parent), ui(std::make_unique<Ui::TfrmCambiaPassword>())
{
    ui->setupUi(this);
}

TfrmCambiaPassword::~TfrmCambiaPassword() = default;
