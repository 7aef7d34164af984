#pragma once

#include "platform/Differita.h"

#include <QDialog>
#include <memory>

namespace Ui { class TfrmSplash; }

// The credits screen, with the link to the maker's web site.
class TfrmSplash : public Differita<QDialog> {
    Q_OBJECT
public:
    explicit TfrmSplash(QWidget *parent = nullptr);
    ~TfrmSplash() override;

    // The site's address as the link shows it: without its scheme.
    static QString SitoSenzaSchema();

protected:
    void Costruisci() override;
    void showEvent(QShowEvent *e) override;

private slots:
    void lnkWebClick();
    void btnChiudiClick();

private:
    std::unique_ptr<Ui::TfrmSplash> ui;
};
