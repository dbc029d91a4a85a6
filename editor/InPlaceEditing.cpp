#include "editor/InPlaceEditing.h"

#include <QCoreApplication>
#include <QKeyEvent>

#include "editor/CMSFlexGrid.h"

namespace torvan {

namespace {

bool IsEnter(int key) {
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

}  // namespace

InPlaceEditing::InPlaceEditing(CMSFlexGrid& grid, Hooks hooks)
    : grid_(grid), hooks_(std::move(hooks)) {
    grid_.installEventFilter(this);
    connect(&grid_, &CMSFlexGrid::MouseDown, this,
            [this](qint16 button, qint16, qint32, qint32) { OnMouseDown(button); });
    connect(&grid_, &CMSFlexGrid::EnterCell, this, &InPlaceEditing::OnEnterCell);
}

InPlaceEditing::~InPlaceEditing() = default;

void InPlaceEditing::AddEditor(QWidget& editor) {
    editor.hide();
    editor.installEventFilter(this);
}

void InPlaceEditing::ShowOverCell(QWidget& editor, int row, int col) {
    open_ = OpenEdit{&editor, row, col};
    PlaceOverCell(*open_);
    editor.show();
    editor.raise();
    editor.setFocus(Qt::OtherFocusReason);
}

void InPlaceEditing::CommitOpenEditor() {
    if (!open_) {
        return;
    }
    const OpenEdit edit = *open_;
    open_.reset();
    hooks_.commit(*edit.editor, edit.row, edit.col);
    Close(*edit.editor);
}

void InPlaceEditing::DiscardOpenEditor() {
    if (!open_) {
        return;
    }
    QWidget* editor = open_->editor;
    open_.reset();
    Close(*editor);
}

void InPlaceEditing::LeaveEditor(int nextKey) {
    grid_.setFocus();
    CommitOpenEditor();
    PostKey(nextKey);
}

void InPlaceEditing::PostKey(int key) {
    QCoreApplication::postEvent(&grid_, new QKeyEvent(QEvent::KeyPress, key, Qt::NoModifier));
}

void InPlaceEditing::PlaceOverCell(const OpenEdit& edit) {
    // The cell's last pixel row and column carry the grid lines.
    const QRect cell = grid_.CellRect(edit.row, edit.col).adjusted(0, 0, -1, -1);
    edit.editor->setGeometry(QRect(grid_.viewport()->mapFrom(&grid_, cell.topLeft()), cell.size()));
}

bool InPlaceEditing::eventFilter(QObject* watched, QEvent* event) {
    // Columns may follow the window's width; an open editor follows its cell.
    if (watched == &grid_ && event->type() == QEvent::Resize && open_) {
        PlaceOverCell(*open_);
    }
    if (watched == &grid_) {
        return event->type() == QEvent::KeyPress && OnGridKey(*static_cast<QKeyEvent*>(event));
    }
    if (auto* editor = qobject_cast<QWidget*>(watched);
        editor != nullptr && open_ && open_->editor == editor) {
        return OnEditorEvent(*editor, *event);
    }
    return QObject::eventFilter(watched, event);
}

// A hidden editor must not keep the keyboard: what is typed next would go
// nowhere visible.
void InPlaceEditing::Close(QWidget& editor) {
    if (editor.hasFocus()) {
        grid_.setFocus();
    }
    editor.hide();
}

void InPlaceEditing::SetHighLight(CMSFlexGrid::HighLightMode mode) {
    if (grid_.HighLight() != mode) {
        grid_.SetHighLight(mode);
    }
}

void InPlaceEditing::OnMouseDown(qint16 button) {
    // A click on the headers leaves an open editor as a click on a cell does.
    grid_.setFocus(Qt::MouseFocusReason);
    if (button != 1) {
        return;
    }
    if (grid_.MouseCol() == 0) {
        SetHighLight(CMSFlexGrid::HighLightMode::WithFocus);
        return;
    }
    SetHighLight(CMSFlexGrid::HighLightMode::Never);
    // The header row and the space beyond the last cells edit nothing.
    if (grid_.MouseRow() >= grid_.FixedRows() && grid_.MouseCol() >= grid_.FixedCols()) {
        hooks_.beginEdit();
    }
}

// A row chosen by its number is shown marked; cells reached otherwise are not.
void InPlaceEditing::OnEnterCell() {
    SetHighLight(grid_.MouseCol() == 0 ? CMSFlexGrid::HighLightMode::WithFocus
                                       : CMSFlexGrid::HighLightMode::Never);
}

bool InPlaceEditing::OnGridKey(QKeyEvent& event) {
    // Keys an open editor leaves unused travel up to the grid beneath it;
    // they must not move the current cell.
    if (open_) {
        event.accept();
        return true;
    }
    const int key = event.key();
    if (IsEnter(key)) {
        hooks_.beginEdit();
        return true;
    }
    const int firstCol = grid_.FixedCols();
    const int firstRow = grid_.FixedRows();
    if (key == Qt::Key_Right && grid_.Col() == grid_.Cols() - 1 && grid_.Row() < grid_.Rows() - 1) {
        PostKey(Qt::Key_Home);
        PostKey(Qt::Key_Down);
    } else if (key == Qt::Key_Left && grid_.Col() == firstCol && grid_.Row() > firstRow) {
        PostKey(Qt::Key_End);
        PostKey(Qt::Key_Up);
    }
    return false;
}

bool InPlaceEditing::OnEditorEvent(QWidget& editor, QEvent& event) {
    if (event.type() == QEvent::FocusOut) {
        // A menu or a list's own drop-down taking the keyboard for a moment
        // is not leaving the editor.
        if (static_cast<QFocusEvent&>(event).reason() != Qt::PopupFocusReason) {
            CommitOpenEditor();
        }
        return false;
    }
    if (hooks_.editorEvent && hooks_.editorEvent(editor, event)) {
        return true;
    }
    if (event.type() == QEvent::KeyPress && IsEnter(static_cast<QKeyEvent&>(event).key())) {
        LeaveEditor(Qt::Key_Right);
        return true;
    }
    return false;
}

}  // namespace torvan
