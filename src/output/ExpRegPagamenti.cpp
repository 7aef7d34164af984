#include "output/ExpRegPagamenti.h"
#include "ui_ExpRegPagamenti.h"

TfrmExpRegPagamenti::TfrmExpRegPagamenti(QWidget *parent) : QDialog(parent), ui(std::make_unique<Ui::TfrmExpRegPagamenti>())
{
    ui->setupUi(this);
}

TfrmExpRegPagamenti::~TfrmExpRegPagamenti() = default;
