#pragma once

#include <QDialog>
#include <memory>

#include "model/MemoryImage.h"

class QLineEdit;

namespace torvan {

class CMSFlexGrid;
class InPlaceEditing;

// "Radio": the broadcast FM receiver's 32 presets, edited in place in a
// two-column grid. The grid holds the table while the dialog is open; the
// whole table goes back into the image whenever the dialog closes, however
// it closes.
class CRadioDlg : public QDialog {
    Q_OBJECT

public:
    explicit CRadioDlg(MemoryImage& image, QWidget* parent = nullptr);
    ~CRadioDlg() override;

    void done(int result) override;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void LayOutGrid();
    void BeginCellEdit();
    bool OnEditorEvent(QEvent& event);

    MemoryImage& image_;
    CMSFlexGrid* grid_;
    QLineEdit* editor_;
    std::unique_ptr<InPlaceEditing> editing_;
};

}  // namespace torvan
