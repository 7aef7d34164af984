#include "register/Calendario.h"
#include "ui_Calendario.h"

TfrmCalendario::TfrmCalendario(QWidget *parent) : QDialog(parent), ui(std::make_unique<Ui::TfrmCalendario>())
{
    ui->setupUi(this);
}

TfrmCalendario::~TfrmCalendario() = default;
