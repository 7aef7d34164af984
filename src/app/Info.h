#pragma once

#include "platform/Differita.h"

#include <QDialog>
#include <memory>

namespace Ui { class TfrmInfo; }

// The information screen, with the link that writes to the maker's support.
class TfrmInfo : public Differita<QDialog> {
    Q_OBJECT
public:
    explicit TfrmInfo(QWidget *parent = nullptr);
    ~TfrmInfo() override;

    // The shell target of the support link: a quoted "mailto:" address.
    static QString BersaglioEmail();

protected:
    void Costruisci() override;
    void showEvent(QShowEvent *e) override;

private slots:
    void lnkWebClick();
    void btnChiudiClick();

private:
    std::unique_ptr<Ui::TfrmInfo> ui;
};
