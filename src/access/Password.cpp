#include "access/Password.h"
#include "ui_Password.h"

TfrmPassword::TfrmPassword(QWidget *parent) : QWidget(parent), ui(std::make_unique<Ui::TfrmPassword>())
{
    ui->setupUi(this);
}

TfrmPassword::~TfrmPassword() = default;
