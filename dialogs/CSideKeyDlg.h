#pragma once

#include <QDialog>
#include <array>
#include <memory>

#include "form/SideKeys.h"
#include "model/MemoryImage.h"

class QComboBox;

namespace Ui {
class CSideKeyDlg;
}

namespace torvan {

// "Side Key": the functions of the two side keys, short and long press. It
// reads them from the image when it opens and stores them only on OK.
class CSideKeyDlg : public QDialog {
    Q_OBJECT

public:
    explicit CSideKeyDlg(MemoryImage& image, QWidget* parent = nullptr);
    ~CSideKeyDlg() override;

    void accept() override;

private:
    std::unique_ptr<Ui::CSideKeyDlg> ui_;
    MemoryImage& image_;
    // Side key 1 short, side key 1 long, side key 2 short, side key 2 long.
    std::array<QComboBox*, kSideKeyActions> lists_;
};

}  // namespace torvan
