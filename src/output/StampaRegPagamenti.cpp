#include "output/StampaRegPagamenti.h"
#include "ui_StampaRegPagamenti.h"

TfrmStampaRegPagamenti::TfrmStampaRegPagamenti(QWidget *parent) : QDialog(parent), ui(std::make_unique<Ui::TfrmStampaRegPagamenti>())
{
    ui->setupUi(this);
}

TfrmStampaRegPagamenti::~TfrmStampaRegPagamenti() = default;
