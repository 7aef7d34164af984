#include "register/RegPagamenti.h"
#include "ui_RegPagamenti.h"

TfrmRegPagamenti::TfrmRegPagamenti(QWidget *parent) : QWidget(parent), ui(std::make_unique<Ui::TfrmRegPagamenti>())
{
    ui->setupUi(this);
}

TfrmRegPagamenti::~TfrmRegPagamenti() = default;

void TfrmRegPagamenti::MostraScheda(const TScheda &s, qint64 indice)
{
    Q_UNUSED(s);
    Q_UNUSED(indice);
}
