#include "lists/TrovaRegPagamenti.h"
#include "ui_TrovaRegPagamenti.h"

TfrmTrovaRegPagamenti::TfrmTrovaRegPagamenti(QWidget *parent) : QDialog(parent), ui(std::make_unique<Ui::TfrmTrovaRegPagamenti>())
{
    ui->setupUi(this);
}

TfrmTrovaRegPagamenti::~TfrmTrovaRegPagamenti() = default;
