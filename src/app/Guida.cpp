#include "app/Guida.h"
#include "ui_Guida.h"

TfrmGuida::TfrmGuida(QWidget *parent) : QDialog(parent), ui(std::make_unique<Ui::TfrmGuida>())
{
    ui->setupUi(this);
}

TfrmGuida::~TfrmGuida() = default;

void TfrmGuida::Mostra(QWidget *chiamante, const QString &titolo, const QString &testo)
{
    Q_UNUSED(chiamante);
    Q_UNUSED(titolo);
    Q_UNUSED(testo);
}
