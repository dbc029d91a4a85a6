#pragma once

#include <QDialog>
#include <memory>

namespace Ui {
class CExitDlg;
}

namespace torvan {

// Asks before the program ends: "Yes" (the default) accepts, "No" rejects.
class CExitDlg : public QDialog {
    Q_OBJECT

public:
    explicit CExitDlg(QWidget* parent = nullptr);
    ~CExitDlg() override;

private:
    std::unique_ptr<Ui::CExitDlg> ui_;
};

}  // namespace torvan
