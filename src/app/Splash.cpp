#include "app/Splash.h"
#include "ui_Splash.h"

TfrmSplash::TfrmSplash(QWidget *parent) : QDialog(parent), ui(std::make_unique<Ui::TfrmSplash>())
{
    ui->setupUi(this);
}

TfrmSplash::~TfrmSplash() = default;
