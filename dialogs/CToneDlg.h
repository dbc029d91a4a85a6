#pragma once

#include <QDialog>
#include <memory>
#include <optional>

#include "form/TonePick.h"

class QButtonGroup;

namespace Ui {
class CToneDlg;
}

namespace torvan {

class CMSFlexGrid;

// "Tone Setting": picks one channel direction's squelch tone from the CTCSS
// or CDCSS table. It opens on a tone cell's text and, when it ends with OK,
// gives the new cell text. A pick ends it at once; so does "None".
// Runs the dialog on a tone cell's text; the new text, or nothing when the
// dialog ended without OK.
std::optional<QString> PickTone(const QString& cellText, QWidget* parent);

class CToneDlg : public QDialog {
    Q_OBJECT

public:
    explicit CToneDlg(const QString& cellText, QWidget* parent = nullptr);
    ~CToneDlg() override;

    QString ResultText() const { return resultText_; }

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    CMSFlexGrid& ValueGrid() const;
    void LayOutGrid();
    void FillGrid();
    void Preselect(const std::string& value);
    void OnModeClicked(int mode);
    bool PickCurrentCell();

    std::unique_ptr<Ui::CToneDlg> ui_;
    QButtonGroup* modes_;
    ToneMode mode_ = ToneMode::None;
    QString resultText_;
};

}  // namespace torvan
