#include "charts/Statistiche.h"
#include "ui_Statistiche.h"

TfrmStatistiche::TfrmStatistiche(QWidget *parent) : QWidget(parent), ui(std::make_unique<Ui::TfrmStatistiche>())
{
    ui->setupUi(this);
}

TfrmStatistiche::~TfrmStatistiche() = default;
