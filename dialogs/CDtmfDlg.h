#pragma once

#include <QDialog>
#include <memory>

#include "model/MemoryImage.h"

class QComboBox;
class QLineEdit;

namespace Ui {
class CDtmfDlg;
}

namespace torvan {

// "DTMF": the DTMF side tones on transmit and receive and the PTT ID string.
// It reads them from the image when it opens and stores them only on OK.
class CDtmfDlg : public QDialog {
    Q_OBJECT

public:
    explicit CDtmfDlg(MemoryImage& image, QWidget* parent = nullptr);
    ~CDtmfDlg() override;

    void accept() override;

private:
    std::unique_ptr<Ui::CDtmfDlg> ui_;
    MemoryImage& image_;
};

}  // namespace torvan
