#include "app/Info.h"
#include "ui_Info.h"

TfrmInfo::TfrmInfo(QWidget *parent) : QDialog(parent), ui(std::make_unique<Ui::TfrmInfo>())
{
    ui->setupUi(this);
}

TfrmInfo::~TfrmInfo() = default;
