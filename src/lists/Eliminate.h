#pragma once

#include "lists/RichiamoScheda.h"
#include "platform/Differita.h"
#include "register/SchedeEliminate.h"

#include <QDialog>
#include <memory>

namespace Ui { class TfrmEliminate; }

// The records removed from the archive, newest first, each a result line
// after the day it was removed; "Ripristina" puts the selected one back at
// the end of the archive.
class TfrmEliminate : public Differita<QDialog> {
    Q_OBJECT
public:
    explicit TfrmEliminate(QWidget *parent = nullptr);
    ~TfrmEliminate() override;

    VisoreScheda *visore = nullptr; // unused: a removed record is not loaded

    // The line of a removed record: its removal date, then its result line.
    static QString Riga(const SchedeEliminate::Eliminata &e);

protected:
    void Costruisci() override;
    void showEvent(QShowEvent *evento) override;

private:
    void Carica();
    void btnRipristinaClick();
    void btnStampaClick();

    std::unique_ptr<Ui::TfrmEliminate> ui;
    QList<SchedeEliminate::Eliminata> m_elenco; // newest first, as listed
};
