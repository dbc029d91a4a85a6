#include "editor/ChannelGridEditor.h"

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <QWheelEvent>

#include "editor/CMSFlexGrid.h"
#include "editor/FrequencyKey.h"
#include "editor/NameValidator.h"
#include "editor/WheelNeedsFocus.h"
#include "form/ChannelCodec.h"
#include "form/ChannelEdits.h"

namespace torvan {

namespace column = column;

namespace {

constexpr int kWheelNotch = 120;

QLineEdit* MakeLineEditor(QWidget* parent, const char* name) {
    auto* editor = new QLineEdit(parent);
    editor->setObjectName(QString::fromLatin1(name));
    editor->setFrame(false);
    editor->setContextMenuPolicy(Qt::NoContextMenu);
    editor->hide();
    return editor;
}

}  // namespace

// The editors live on the grid's viewport so that they scroll and clip with
// the cell they cover.
ChannelGridEditor::ChannelGridEditor(CMSFlexGrid& grid, const SessionState& session,
                                     TonePicker pickTone)
    : grid_(grid),
      cells_(grid),
      session_(session),
      pickTone_(std::move(pickTone)),
      frequencyEditor_(MakeLineEditor(grid.viewport(), "frequencyEditor")),
      listEditor_(new QComboBox(grid.viewport())),
      nameEditor_(MakeLineEditor(grid.viewport(), "nameEditor")),
      listChoices_(listEditor_),
      editing_(grid,
               {[this] { BeginCellEdit(); },
                [this](QWidget& editor, int row, int col) { Commit(editor, row, col); },
                [this](QWidget& editor, QEvent& event) { return OnEditorEvent(editor, event); }}) {
    // The key filter keeps other characters out; this also covers pasting
    // with the middle button and dropped text.
    frequencyEditor_->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("[0-9.]*")), frequencyEditor_));
    nameEditor_->setMaxLength(static_cast<int>(kNameLength));
    nameEditor_->setValidator(new NameValidator(nameEditor_));
    listEditor_->setObjectName(QStringLiteral("listEditor"));
    WheelNeedsFocus(*listEditor_);
    for (QWidget* editor :
         {static_cast<QWidget*>(frequencyEditor_), static_cast<QWidget*>(listEditor_),
          static_cast<QWidget*>(nameEditor_)}) {
        editing_.AddEditor(*editor);
    }
    grid_.viewport()->installEventFilter(this);
    connect(&grid_, &CMSFlexGrid::KeyPress, this, &ChannelGridEditor::OnKeyPress);
}

ChannelGridEditor::~ChannelGridEditor() = default;

void ChannelGridEditor::BeginCellEdit() {
    CommitOpenEditor();
    const int row = grid_.Row();
    if (grid_.TextMatrix(row, column::kRxFrequency).isEmpty()) {
        grid_.SetCol(column::kRxFrequency);
    }
    const int col = grid_.Col();
    const QString text = grid_.TextMatrix(row, col);
    switch (col) {
        case column::kRxFrequency:
        case column::kTxFrequency:
            OpenLineEditor(*frequencyEditor_, col, text, Caret::SelectAll);
            break;
        case column::kRxCode:
        case column::kTxCode:
            EditTone(row, col);
            break;
        case column::kName:
            OpenLineEditor(*nameEditor_, col, text, Caret::SelectAll);
            break;
        default:
            OpenListEditor(col, text);
    }
}

void ChannelGridEditor::InsertChannel() {
    CommitOpenEditor();
    const int row = grid_.Row();
    torvan::InsertChannel(cells_, row);
    grid_.setFocus();
    NoteEdit(tr("Add channel %1").arg(row), row, 0);
}

void ChannelGridEditor::DeleteChannel() {
    CommitOpenEditor();
    const int row = grid_.Row();
    torvan::DeleteChannel(cells_, row);
    grid_.setFocus();
    NoteEdit(tr("Delete channel %1").arg(row), row, 0);
}

void ChannelGridEditor::CommitOpenEditor() {
    editing_.CommitOpenEditor();
}

void ChannelGridEditor::DiscardOpenEditor() {
    editing_.DiscardOpenEditor();
}

bool ChannelGridEditor::eventFilter(QObject* watched, QEvent* event) {
    if (watched == grid_.viewport() && event->type() == QEvent::Wheel) {
        return OnWheel(*static_cast<QWheelEvent*>(event));
    }
    return QObject::eventFilter(watched, event);
}

void ChannelGridEditor::OpenLineEditor(QLineEdit& editor, int col, const QString& text,
                                       Caret caret) {
    editor.setText(text);
    editing_.ShowOverCell(editor, grid_.Row(), col);
    if (caret == Caret::SelectAll) {
        editor.selectAll();
    } else {
        editor.setCursorPosition(static_cast<int>(text.size()));
    }
}

void ChannelGridEditor::OpenListEditor(int col, const QString& text) {
    listChoices_.Reset();
    const auto choices = ColumnChoices(col);
    for (int i = 0; i < ColumnChoiceCount(col); ++i) {
        listChoices_.Add(std::string(choices.at(static_cast<std::size_t>(i))));
    }
    listChoices_.SelectByPrefix(text.toStdString(), PrefixSearch::FromFirst);
    editing_.ShowOverCell(*listEditor_, grid_.Row(), col);
}

void ChannelGridEditor::EditTone(int row, int col) {
    if (const auto picked = pickTone_(grid_.TextMatrix(row, col), grid_.window())) {
        grid_.SetTextMatrix(row, col, *picked);
        NoteEdit(EditLabel(row, col), row, col);
    }
}

void ChannelGridEditor::Commit(QWidget& editor, int row, int col) {
    if (&editor == frequencyEditor_) {
        CommitFrequency(cells_, row, col, frequencyEditor_->text().toStdString(),
                        session_.Limits());
    } else if (&editor == listEditor_) {
        CommitChoiceCell(cells_, row, col, listEditor_->currentText().toStdString());
    } else {
        CommitChoiceCell(cells_, row, col, nameEditor_->text().toStdString());
    }
    NoteEdit(EditLabel(row, col), row, col);
}

// "Edit channel 5 Name": the channel is the row, the column named by its
// header.
QString ChannelGridEditor::EditLabel(int row, int col) const {
    return tr("Edit channel %1 %2").arg(row).arg(grid_.TextMatrix(0, col));
}

// "Delete channel 12": what the status bar says when the step is undone.
void ChannelGridEditor::NoteEdit(const QString& label, int row, int col) {
    emit Edited(EditStep{label.toStdString(), EditPlace{row, col, -1}});
}

void ChannelGridEditor::OnKeyPress(qint16& keyAscii) {
    if (grid_.TextMatrix(grid_.Row(), column::kRxFrequency).isEmpty()) {
        grid_.SetCol(column::kRxFrequency);
    }
    const int col = grid_.Col();
    const bool frequencyColumn = col == column::kRxFrequency || col == column::kTxFrequency;
    if (frequencyColumn && keyAscii >= '0' && keyAscii <= '9') {
        OpenLineEditor(*frequencyEditor_, col, QString(QChar(keyAscii)), Caret::AtEnd);
    }
}

bool ChannelGridEditor::OnFrequencyKey(QKeyEvent& event) {
    switch (ClassifyFrequencyKey(event)) {
        case FrequencyKey::Pass:
            return false;
        case FrequencyKey::Enter:
            editing_.LeaveEditor(frequencyEditor_->text().isEmpty() ? Qt::Key_Down : Qt::Key_Right);
            return true;
        case FrequencyKey::DecimalPoint:
            frequencyEditor_->insert(QStringLiteral("."));
            return true;
        case FrequencyKey::Swallow:
            break;
    }
    return true;
}

// The frequency editor's own keys; the list and name editors leave on
// Enter as every editor does.
bool ChannelGridEditor::OnEditorEvent(QWidget& editor, QEvent& event) {
    if (&editor != frequencyEditor_) {
        return false;
    }
    switch (event.type()) {
        case QEvent::ShortcutOverride:
            // While the frequency editor has the keyboard, menu accelerators
            // (Ctrl+S, Ctrl+V ...) do nothing; Alt still reaches the menu bar.
            if (!(static_cast<QKeyEvent&>(event).modifiers() & Qt::AltModifier)) {
                event.accept();
                return true;
            }
            return false;
        case QEvent::KeyPress:
            return OnFrequencyKey(static_cast<QKeyEvent&>(event));
        default:
            return false;
    }
}

// While the grid has the keyboard each notch of the wheel turns a page;
// otherwise the grid does not scroll and the form underneath may.
bool ChannelGridEditor::OnWheel(QWheelEvent& event) {
    if (grid_.hasFocus()) {
        wheelRemainder_ += event.angleDelta().y();
        while (wheelRemainder_ <= -kWheelNotch || wheelRemainder_ >= kWheelNotch) {
            const bool down = wheelRemainder_ < 0;
            grid_.ScrollPage(down);
            wheelRemainder_ += down ? kWheelNotch : -kWheelNotch;
        }
    }
    event.ignore();
    return true;
}

}  // namespace torvan
