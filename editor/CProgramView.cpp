#include "editor/CProgramView.h"

#include <QLabel>
#include <QLineEdit>
#include <QRegularExpressionValidator>

#include "config/ModelCatalogReader.h"
#include "editor/CMSFlexGrid.h"
#include "editor/ChannelGridEditor.h"
#include "editor/ChannelGridSetup.h"
#include "editor/WheelNeedsFocus.h"
#include "form/ImageCodec.h"
#include "form/ModelProfiles.h"
#include "ui_CProgramView.h"

namespace torvan {

CProgramView::CProgramView(MemoryImage& image, SessionState& session, std::filesystem::path iniPath,
                           ChannelGridEditor::TonePicker pickTone, QWidget* parent)
    : QWidget(parent),
      ui_(std::make_unique<Ui::CProgramView>()),
      image_(image),
      session_(session),
      iniPath_(std::move(iniPath)) {
    ui_->setupUi(this);
    // In the order of the Setting enumeration.
    for (QComboBox* combo :
         {ui_->modelList, ui_->frequencyRangeList, ui_->frequencyModeList, ui_->lockChannelModeList,
          ui_->scanModeList, ui_->totList, ui_->priorityChannelList, ui_->voxLevelList,
          ui_->batterySaveList, ui_->sqlList, ui_->beepList, ui_->steList, ui_->endRogerList}) {
        lists_.emplace_back(combo);
        // A wheel turned to scroll the form must not pick a setting.
        WheelNeedsFocus(*combo);
    }
    grid_ = std::make_unique<GridCellTable>(*ui_->channelGrid);
    gridEditor_ =
        std::make_unique<ChannelGridEditor>(*ui_->channelGrid, session_, std::move(pickTone));
    connect(ui_->addButton, &QPushButton::clicked, gridEditor_.get(),
            &ChannelGridEditor::InsertChannel);
    connect(ui_->deleteButton, &QPushButton::clicked, gridEditor_.get(),
            &ChannelGridEditor::DeleteChannel);
    ui_->passwordEdit->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), this));
    // Only the user's picks arrive here: the list adapters block the signals
    // of changes made by the codecs.
    connect(ui_->modelList, &QComboBox::currentIndexChanged, this, &CProgramView::OnModelPicked);
    connect(ui_->frequencyRangeList, &QComboBox::currentIndexChanged, this,
            &CProgramView::OnRangePicked);
    ConnectEdits();
}

// "activated" comes from the user alone (a click, a key, the wheel), after
// the pick's own handling; the password counts once its editing ends.
void CProgramView::ConnectEdits() {
    connect(gridEditor_.get(), &ChannelGridEditor::Edited, this, &CProgramView::Edited);
    for (int setting = 0; setting < kSettingCount; ++setting) {
        QComboBox* combo = lists_.at(static_cast<std::size_t>(setting)).Combo();
        connect(combo, &QComboBox::activated, this,
                [this, combo, setting] { NoteSettingEdit(*combo, setting); });
    }
    connect(ui_->passwordEdit, &QLineEdit::editingFinished, this,
            [this] { NoteSettingEdit(*ui_->passwordEdit, -1); });
}

// "Change Beep": the control named by its label.
void CProgramView::NoteSettingEdit(QWidget& control, int setting) {
    QString name = control.objectName();
    for (const QLabel* label : findChildren<QLabel*>()) {
        if (label->buddy() == &control) {
            name = label->text().remove(QLatin1Char('&'));
        }
    }
    emit Edited(EditStep{tr("Change %1").arg(name).toStdString(), EditPlace{0, 0, setting}});
}

void CProgramView::ShowPlace(const EditPlace& place) {
    if (place.row > 0) {
        CMSFlexGrid& grid = *ui_->channelGrid;
        grid.SetRow(place.row);
        if (place.col > 0) {
            grid.SetCol(place.col);
        }
        grid.setFocus();
    } else if (place.setting >= 0) {
        Combo(static_cast<Setting>(place.setting)).setFocus();
    }
}

// The password editor loses the focus while the widgets go, and says its
// editing finished: by then this view is no longer one to tell.
CProgramView::~CProgramView() {
    disconnect(ui_->passwordEdit, nullptr, this, nullptr);
}

void CProgramView::OnInitialUpdate() {
    if (!controlsFilled_) {
        FillListsOnce();
        ResizeParentToFit();
    }
    DecodeImage();
}

void CProgramView::DecodeImage() {
    // An edit left open belongs to the channels being replaced.
    gridEditor_->DiscardOpenEditor();
    const ModelCatalog models = ReadModels();
    ChangeLimits(
        [&](FrequencyLimits& limits) { torvan::DecodeImage(image_, models, *this, limits); });
}

void CProgramView::EncodeImage() {
    torvan::EncodeImage(*this, session_.Limits(), image_);
}

MemoryImage CProgramView::ShownImage() {
    MemoryImage shown = image_;
    torvan::EncodeImage(*this, session_.Limits(), shown);
    return shown;
}

QComboBox& CProgramView::Combo(Setting setting) {
    return *lists_.at(static_cast<std::size_t>(setting)).Combo();
}

QLineEdit& CProgramView::PasswordEdit() {
    return *ui_->passwordEdit;
}

CMSFlexGrid& CProgramView::ChannelGrid() {
    return *ui_->channelGrid;
}

ChoiceList& CProgramView::List(Setting setting) {
    return lists_.at(static_cast<std::size_t>(setting));
}

CellTable& CProgramView::Grid() {
    return *grid_;
}

std::string CProgramView::PasswordText() const {
    return ui_->passwordEdit->text().toStdString();
}

void CProgramView::SetPasswordText(const std::string& text) {
    ui_->passwordEdit->setText(QString::fromStdString(text));
}

// Save, Read and Write take the text of an editor that is still open.
void CProgramView::CommitOpenEditor() {
    gridEditor_->CommitOpenEditor();
}

void CProgramView::FillListsOnce() {
    FillFixedLists(*this);
    SetUpChannelGrid(*ui_->channelGrid);
    controlsFilled_ = true;
}

// The main window opens at the size of the screen; the first update shrinks
// it to the form, never enlarges it.
void CProgramView::ResizeParentToFit() {
    QWidget* frame = window();
    if (frame == this) {
        return;
    }
    frame->resize(frame->size().boundedTo(frame->sizeHint()));
}

void CProgramView::OnModelPicked() {
    const ModelCatalog models = ReadModels();
    ChangeLimits([&](FrequencyLimits& limits) { OnModelChanged(models, *this, limits); });
}

// Program.ini is read afresh whenever the lists are rebuilt: the user may
// edit the profiles while the program runs.
ModelCatalog CProgramView::ReadModels() {
    ModelCatalogRead read = ReadModelCatalogWarning(IniStore(iniPath_));
    if (!read.warning.empty() && !iniWarned_) {
        iniWarned_ = true;
        emit IniUnreadable(tr("Warning: %1").arg(QString::fromStdString(read.warning)));
    }
    return std::move(read.catalog);
}

void CProgramView::OnRangePicked() {
    ChangeLimits([this](FrequencyLimits& limits) { OnRangeChanged(*this, limits); });
}

void CProgramView::ChangeLimits(const std::function<void(FrequencyLimits&)>& change) {
    FrequencyLimits limits = session_.Limits();
    change(limits);
    session_.SetLimits(limits);
}

}  // namespace torvan
