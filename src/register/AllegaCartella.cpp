#include "register/AllegaCartella.h"
#include "ui_AllegaCartella.h"

TfrmAllegaCartella::TfrmAllegaCartella(QWidget *parent) : QDialog(parent), ui(std::make_unique<Ui::TfrmAllegaCartella>())
{
    ui->setupUi(this);
}

TfrmAllegaCartella::~TfrmAllegaCartella() = default;
