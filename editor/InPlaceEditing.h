#pragma once

#include <QObject>
#include <functional>
#include <optional>

#include "editor/CMSFlexGrid.h"

class QKeyEvent;

namespace torvan {

// Editing a grid's cells in place: an editor widget is laid over the cell
// being edited and writes its text into that very cell when it loses the
// focus, by whatever way (there is no cancel). Enter on the grid or a left
// click on a cell opens an editor; a click on the row numbers marks the row
// instead. Right on the last column and Left on the first wrap to the next
// or previous row. Shared by the channel grid and the broadcast presets.
class InPlaceEditing final : public QObject {
    Q_OBJECT

public:
    struct Hooks {
        // Opens the current cell's editor, if it has one.
        std::function<void()> beginEdit;
        // Writes an editor's text into the cell it was opened on.
        std::function<void(QWidget& editor, int row, int col)> commit;
        // Any other event of an open editor; true when it is used up. Enter
        // left unused leaves the editor and steps right.
        std::function<bool(QWidget& editor, QEvent& event)> editorEvent;
    };

    InPlaceEditing(CMSFlexGrid& grid, Hooks hooks);
    ~InPlaceEditing() override;

    // Editors are children of the grid's viewport, so that they scroll and
    // clip with the cell they cover.
    void AddEditor(QWidget& editor);
    // Shows `editor` over a cell and gives it the keyboard.
    void ShowOverCell(QWidget& editor, int row, int col);
    bool IsOpen() const { return open_.has_value(); }
    void CommitOpenEditor();
    // Closes an open editor without writing: the grid is about to be refilled.
    void DiscardOpenEditor();
    // Back to the grid, which then moves on by `nextKey` as if the user had
    // pressed it there.
    void LeaveEditor(int nextKey);
    void PostKey(int key);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct OpenEdit {
        QWidget* editor;
        int row;
        int col;
    };

    void PlaceOverCell(const OpenEdit& edit);
    void Close(QWidget& editor);
    void SetHighLight(CMSFlexGrid::HighLightMode mode);
    void OnMouseDown(qint16 button);
    void OnEnterCell();
    bool OnGridKey(QKeyEvent& event);
    bool OnEditorEvent(QWidget& editor, QEvent& event);

    CMSFlexGrid& grid_;
    Hooks hooks_;
    std::optional<OpenEdit> open_;
};

}  // namespace torvan
