#include "register/RegPagamenti.h"
#include "ui_RegPagamenti.h"

TfrmRegPagamenti::TfrmRegPagamenti(QWidget *parent) : QWidget(parent), ui(std::make_unique<Ui::TfrmRegPagamenti>())
{
    ui->setupUi(this);
}

TfrmRegPagamenti::~TfrmRegPagamenti() = default;
