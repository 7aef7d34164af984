#pragma once

#include <QWidget>
#include <memory>

namespace Ui { class TfrmPassword; }

class TfrmPassword : public QWidget {
    Q_OBJECT
public:
    explicit TfrmPassword(QWidget *parent = nullptr);
    ~TfrmPassword() override;

private:
    std::unique_ptr<Ui::TfrmPassword> ui;
};
