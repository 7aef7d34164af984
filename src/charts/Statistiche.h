#pragma once

#include <QWidget>
#include <memory>

namespace Ui { class TfrmStatistiche; }

class TfrmStatistiche : public QWidget {
    Q_OBJECT
public:
    explicit TfrmStatistiche(QWidget *parent = nullptr);
    ~TfrmStatistiche() override;

private:
    std::unique_ptr<Ui::TfrmStatistiche> ui;
};
