#include "editor/ChannelGridEditor.h"

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <QWheelEvent>

#include "dialogs/CToneDlg.h"
#include "editor/CMSFlexGrid.h"
#include "editor/FrequencyKey.h"
#include "editor/NameValidator.h"
#include "editor/WheelNeedsFocus.h"
#include "model/ChannelCodec.h"
#include "model/ChannelEdits.h"

namespace column = torvan::column;

namespace {

constexpr int kWheelNotch = 120;

bool IsEnter(int key) {
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

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
ChannelGridEditor::ChannelGridEditor(CMSFlexGrid& grid, const torvan::FrequencyLimits& limits)
    : grid_(grid),
      cells_(grid),
      limits_(limits),
      frequencyEditor_(MakeLineEditor(grid.viewport(), "frequencyEditor")),
      listEditor_(new QComboBox(grid.viewport())),
      nameEditor_(MakeLineEditor(grid.viewport(), "nameEditor")),
      listChoices_(listEditor_) {
    // The key filter keeps other characters out; this also covers pasting
    // with the middle button and dropped text.
    frequencyEditor_->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("[0-9.]*")), frequencyEditor_));
    nameEditor_->setMaxLength(static_cast<int>(torvan::kNameLength));
    nameEditor_->setValidator(new NameValidator(nameEditor_));
    listEditor_->setObjectName(QStringLiteral("listEditor"));
    listEditor_->hide();
    WheelNeedsFocus(*listEditor_);
    for (QWidget* editor :
         {static_cast<QWidget*>(frequencyEditor_), static_cast<QWidget*>(listEditor_),
          static_cast<QWidget*>(nameEditor_)}) {
        editor->installEventFilter(this);
    }
    grid_.installEventFilter(this);
    grid_.viewport()->installEventFilter(this);
    connect(&grid_, &CMSFlexGrid::KeyPress, this, &ChannelGridEditor::OnKeyPress);
    connect(&grid_, &CMSFlexGrid::MouseDown, this,
            [this](qint16 button, qint16, qint32, qint32) { OnMouseDown(button); });
    connect(&grid_, &CMSFlexGrid::EnterCell, this, &ChannelGridEditor::OnEnterCell);
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
            OpenLineEditor(*frequencyEditor_, col, text, true);
            break;
        case column::kRxCode:
        case column::kTxCode:
            EditTone(row, col);
            break;
        case column::kName:
            OpenLineEditor(*nameEditor_, col, text, true);
            break;
        default:
            OpenListEditor(col, text);
    }
}

void ChannelGridEditor::InsertChannel() {
    CommitOpenEditor();
    torvan::InsertChannel(cells_, grid_.Row());
    grid_.setFocus();
}

void ChannelGridEditor::DeleteChannel() {
    CommitOpenEditor();
    torvan::DeleteChannel(cells_, grid_.Row());
    grid_.setFocus();
}

void ChannelGridEditor::CommitOpenEditor() {
    if (!open_) {
        return;
    }
    const OpenEdit edit = *open_;
    open_.reset();
    if (edit.editor == frequencyEditor_) {
        CommitFrequency(edit);
    } else if (edit.editor == listEditor_) {
        CommitListCell(edit);
    } else {
        CommitName(edit);
    }
    Close(*edit.editor);
}

void ChannelGridEditor::DiscardOpenEditor() {
    if (!open_) {
        return;
    }
    QWidget* editor = open_->editor;
    open_.reset();
    Close(*editor);
}

bool ChannelGridEditor::eventFilter(QObject* watched, QEvent* event) {
    if (watched == grid_.viewport() && event->type() == QEvent::Wheel) {
        return OnWheel(*static_cast<QWheelEvent*>(event));
    }
    if (watched == &grid_ && event->type() == QEvent::KeyPress) {
        return OnGridKey(*static_cast<QKeyEvent*>(event));
    }
    // The columns follow the window's width; an open editor follows its cell.
    if (watched == &grid_ && event->type() == QEvent::Resize && open_) {
        PlaceOverCell(*open_);
    }
    if (watched == frequencyEditor_ || watched == listEditor_ || watched == nameEditor_) {
        return OnEditorEvent(*static_cast<QWidget*>(watched), *event);
    }
    return QObject::eventFilter(watched, event);
}

void ChannelGridEditor::OpenLineEditor(QLineEdit& editor, int col, const QString& text,
                                       bool selectAll) {
    editor.setText(text);
    ShowOverCell(editor, grid_.Row(), col);
    if (selectAll) {
        editor.selectAll();
    } else {
        editor.setCursorPosition(static_cast<int>(text.size()));
    }
}

void ChannelGridEditor::OpenListEditor(int col, const QString& text) {
    listChoices_.Reset();
    const auto choices = torvan::ColumnChoices(col);
    for (int i = 0; i < torvan::ColumnChoiceCount(col); ++i) {
        listChoices_.Add(std::string(choices.at(static_cast<std::size_t>(i))));
    }
    listChoices_.SelectByPrefix(text.toStdString(), false);
    ShowOverCell(*listEditor_, grid_.Row(), col);
}

void ChannelGridEditor::EditTone(int row, int col) {
    CToneDlg dialog(grid_.TextMatrix(row, col), grid_.window());
    if (dialog.exec() == QDialog::Accepted) {
        grid_.SetTextMatrix(row, col, dialog.ResultText());
    }
}

void ChannelGridEditor::ShowOverCell(QWidget& editor, int row, int col) {
    open_ = OpenEdit{&editor, row, col};
    PlaceOverCell(*open_);
    editor.show();
    editor.raise();
    editor.setFocus(Qt::OtherFocusReason);
}

void ChannelGridEditor::PlaceOverCell(const OpenEdit& edit) {
    // The cell's last pixel row and column carry the grid lines.
    const QRect cell = grid_.CellRect(edit.row, edit.col).adjusted(0, 0, -1, -1);
    edit.editor->setGeometry(
        QRect(grid_.viewport()->mapFrom(&grid_, cell.topLeft()), cell.size()));
}

void ChannelGridEditor::CommitFrequency(const OpenEdit& edit) {
    torvan::CommitFrequency(cells_, edit.row, edit.col, frequencyEditor_->text().toStdString(),
                            limits_);
}

void ChannelGridEditor::CommitListCell(const OpenEdit& edit) {
    torvan::CommitChoiceCell(cells_, edit.row, edit.col, listEditor_->currentText().toStdString());
}

void ChannelGridEditor::CommitName(const OpenEdit& edit) {
    torvan::CommitChoiceCell(cells_, edit.row, edit.col, nameEditor_->text().toStdString());
}

// A hidden editor must not keep the keyboard: what is typed next would go
// nowhere visible.
void ChannelGridEditor::Close(QWidget& editor) {
    if (editor.hasFocus()) {
        grid_.setFocus();
    }
    editor.hide();
}

// Enter in an editor: back to the grid, which then moves on by the key, as
// if the user had pressed it there.
void ChannelGridEditor::LeaveEditor(int nextKey) {
    grid_.setFocus();
    CommitOpenEditor();
    PostKey(nextKey);
}

void ChannelGridEditor::PostKey(int key) {
    QCoreApplication::postEvent(&grid_, new QKeyEvent(QEvent::KeyPress, key, Qt::NoModifier));
}

void ChannelGridEditor::SetHighLight(int mode) {
    if (grid_.HighLight() != mode) {
        grid_.SetHighLight(mode);
    }
}

void ChannelGridEditor::OnKeyPress(qint16& keyAscii) {
    if (grid_.TextMatrix(grid_.Row(), column::kRxFrequency).isEmpty()) {
        grid_.SetCol(column::kRxFrequency);
    }
    const int col = grid_.Col();
    const bool frequencyColumn = col == column::kRxFrequency || col == column::kTxFrequency;
    if (frequencyColumn && keyAscii >= '0' && keyAscii <= '9') {
        OpenLineEditor(*frequencyEditor_, col, QString(QChar(keyAscii)), false);
    }
}

void ChannelGridEditor::OnMouseDown(qint16 button) {
    // A click on the headers leaves an open editor as a click on a cell does.
    grid_.setFocus(Qt::MouseFocusReason);
    if (button != 1) {
        return;
    }
    if (grid_.MouseCol() == column::kChannel) {
        SetHighLight(CMSFlexGrid::kHighLightWithFocus);
        return;
    }
    SetHighLight(CMSFlexGrid::kHighLightNever);
    // The header row and the space beyond the last cells edit nothing.
    if (grid_.MouseRow() >= 1 && grid_.MouseCol() >= 1) {
        BeginCellEdit();
    }
}

void ChannelGridEditor::OnEnterCell() {
    SetHighLight(grid_.MouseCol() == column::kChannel ? CMSFlexGrid::kHighLightWithFocus
                                                      : CMSFlexGrid::kHighLightNever);
}

bool ChannelGridEditor::OnGridKey(QKeyEvent& event) {
    // Keys an open editor leaves unused travel up to the grid beneath it;
    // they must not move the current cell.
    if (open_) {
        event.accept();
        return true;
    }
    const int key = event.key();
    if (IsEnter(key)) {
        BeginCellEdit();
        return true;
    }
    if (key == Qt::Key_Right && grid_.Col() == grid_.Cols() - 1 && grid_.Row() < grid_.Rows() - 1) {
        PostKey(Qt::Key_Home);
        PostKey(Qt::Key_Down);
    } else if (key == Qt::Key_Left && grid_.Col() == column::kRxFrequency && grid_.Row() > 1) {
        PostKey(Qt::Key_End);
        PostKey(Qt::Key_Up);
    }
    return false;
}

bool ChannelGridEditor::OnFrequencyKey(QKeyEvent& event) {
    switch (ClassifyFrequencyKey(event)) {
        case FrequencyKey::Pass:
            return false;
        case FrequencyKey::Enter:
            LeaveEditor(frequencyEditor_->text().isEmpty() ? Qt::Key_Down : Qt::Key_Right);
            return true;
        case FrequencyKey::DecimalPoint:
            frequencyEditor_->insert(QStringLiteral("."));
            return true;
        case FrequencyKey::Swallow:
            break;
    }
    return true;
}

bool ChannelGridEditor::OnEditorEvent(QWidget& editor, QEvent& event) {
    switch (event.type()) {
        case QEvent::FocusOut:
            // A menu or the list's own drop-down taking the keyboard for a
            // moment is not leaving the editor.
            if (static_cast<QFocusEvent&>(event).reason() != Qt::PopupFocusReason && open_ &&
                open_->editor == &editor) {
                CommitOpenEditor();
            }
            return false;
        case QEvent::ShortcutOverride:
            // While the frequency editor has the keyboard, menu accelerators
            // (Ctrl+S, Ctrl+V ...) do nothing; Alt still reaches the menu bar.
            if (&editor == frequencyEditor_ &&
                !(static_cast<QKeyEvent&>(event).modifiers() & Qt::AltModifier)) {
                event.accept();
                return true;
            }
            return false;
        case QEvent::KeyPress: {
            auto& key = static_cast<QKeyEvent&>(event);
            if (&editor == frequencyEditor_) {
                return OnFrequencyKey(key);
            }
            if (IsEnter(key.key())) {
                LeaveEditor(Qt::Key_Right);
                return true;
            }
            return false;
        }
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
