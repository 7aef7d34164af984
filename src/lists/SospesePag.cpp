#include "lists/SospesePag.h"
#include "ui_SospesePag.h"

TfrmSospesePag::TfrmSospesePag(QWidget *parent) : QDialog(parent), ui(std::make_unique<Ui::TfrmSospesePag>())
{
    ui->setupUi(this);
}

TfrmSospesePag::~TfrmSospesePag() = default;
