#pragma once

#include <QWidget>
#include <filesystem>
#include <functional>
#include <memory>
#include <vector>

#include "editor/ChannelGridEditor.h"
#include "editor/ComboChoiceList.h"
#include "editor/GridCellTable.h"
#include "editor/SessionState.h"
#include "form/FormControls.h"
#include "model/MemoryImage.h"
#include "model/ModelCatalog.h"

class QComboBox;
class QLineEdit;

namespace Ui {
class CProgramView;
}

namespace torvan {

class CMSFlexGrid;

// The form of the main window: the settings panel above the channel grid.
// It shows the memory image and takes edits back into it only when
// DecodeImage and EncodeImage run; no control writes to the image by itself.
class CProgramView : public QWidget, public FormControls {
    Q_OBJECT

public:
    CProgramView(MemoryImage& image, SessionState& session, std::filesystem::path iniPath,
                 ChannelGridEditor::TonePicker pickTone, QWidget* parent = nullptr);
    ~CProgramView() override;

    // After every new document and every open: fills the lists and lays out
    // the grid the first time, then shows the image.
    void OnInitialUpdate();
    void DecodeImage();
    void EncodeImage();
    // The document as the form shows it now, unsaved edits included:
    // encoded as Save encodes it, but into a copy, so that the document
    // itself changes only when it is saved, read or written.
    MemoryImage ShownImage();
    // The model profiles the Model list offers, read from Program.ini now.
    // A file that cannot be read gives empty lists, and IniUnreadable once.
    ModelCatalog ReadModels();

    QComboBox& Combo(Setting setting);
    QLineEdit& PasswordEdit();
    CMSFlexGrid& ChannelGrid();

    ChoiceList& List(Setting setting) override;
    CellTable& Grid() override;
    std::string PasswordText() const override;
    void SetPasswordText(const std::string& text) override;
    void CommitOpenEditor() override;

    // Shows where an undone or redone step happened: its grid cell or its
    // setting gets the focus.
    void ShowPlace(const EditPlace& place);

signals:
    // Something the user did on the form that may have changed the
    // document: a grid edit (ChannelGridEditor::Edited), a setting picked,
    // the password typed.
    void Edited(const torvan::EditStep& step);
    // Program.ini cannot be read: why, in a sentence (said once per run).
    void IniUnreadable(const QString& warning);

private:
    void FillListsOnce();
    void ResizeParentToFit();
    void OnModelPicked();
    void OnRangePicked();
    // The frequency limits as `change` leaves them, told to the session.
    void ChangeLimits(const std::function<void(FrequencyLimits&)>& change);
    void ConnectEdits();
    void NoteSettingEdit(QWidget& control, int setting);

    std::unique_ptr<Ui::CProgramView> ui_;
    MemoryImage& image_;
    SessionState& session_;
    std::filesystem::path iniPath_;
    std::vector<ComboChoiceList> lists_;
    std::unique_ptr<GridCellTable> grid_;
    // Goes before the widgets, so that no editor event reaches it while the
    // grid is being destroyed.
    std::unique_ptr<ChannelGridEditor> gridEditor_;
    bool controlsFilled_ = false;
    bool iniWarned_ = false;
};

}  // namespace torvan
