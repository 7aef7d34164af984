#include "summary/MenuRiepPagamenti.h"
#include "ui_MenuRiepPagamenti.h"

TfrmMenuRiepPagamenti::TfrmMenuRiepPagamenti(QWidget *parent) : QWidget(parent), ui(std::make_unique<Ui::TfrmMenuRiepPagamenti>())
{
    ui->setupUi(this);
}

TfrmMenuRiepPagamenti::~TfrmMenuRiepPagamenti() = default;
