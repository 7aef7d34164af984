#include "summary/RiepPagamenti.h"
#include "ui_RiepPagamenti.h"

TfrmRiepPagamenti::TfrmRiepPagamenti(QWidget *parent) : QDialog(parent), ui(std::make_unique<Ui::TfrmRiepPagamenti>())
{
    ui->setupUi(this);
}

TfrmRiepPagamenti::~TfrmRiepPagamenti() = default;
