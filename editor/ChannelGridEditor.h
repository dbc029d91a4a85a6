#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <optional>

#include "editor/ComboChoiceList.h"
#include "editor/GridCellTable.h"
#include "editor/InPlaceEditing.h"
#include "editor/SessionState.h"
#include "form/EditHistory.h"

class QComboBox;
class QKeyEvent;
class QLineEdit;
class QWheelEvent;

namespace torvan {

class CMSFlexGrid;

// Edits the channel grid in place. Three editors are laid over the current
// cell (frequency, list and name), the two tone columns open the Tone Setting
// dialog, and the grid's keys, clicks and wheel move between cells. An editor
// writes its text into the cell it was opened on when it loses the focus, by
// whatever way: there is no cancel.
class ChannelGridEditor final : public QObject {
    Q_OBJECT

public:
    // Asks the user for a tone cell's new text, starting from its current
    // text; nothing when the user leaves the cell as it was.
    using TonePicker =
        std::function<std::optional<QString>(const QString& cellText, QWidget* parent)>;

    ChannelGridEditor(CMSFlexGrid& grid, const SessionState& session, TonePicker pickTone);
    ~ChannelGridEditor() override;

    // Opens the current cell's editor; a row without a receive frequency is
    // edited from its "Rx Frequency" cell.
    void BeginCellEdit();
    // "Add" and "Delete": an empty channel at the current row, or the
    // current row's channel removed.
    void InsertChannel();
    void DeleteChannel();
    void CommitOpenEditor();
    // Closes an open editor without writing: the grid is about to be refilled.
    void DiscardOpenEditor();

signals:
    // Something the user did to the channels, which may have changed them:
    // a cell written, a tone picked, a channel added or deleted.
    void Edited(const torvan::EditStep& step);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // How an opened line editor presents its text.
    enum class Caret { SelectAll, AtEnd };
    void OpenLineEditor(QLineEdit& editor, int col, const QString& text, Caret caret);
    void OpenListEditor(int col, const QString& text);
    void EditTone(int row, int col);
    void Commit(QWidget& editor, int row, int col);
    QString EditLabel(int row, int col) const;
    void NoteEdit(const QString& label, int row, int col);

    void OnKeyPress(qint16& keyAscii);
    bool OnFrequencyKey(QKeyEvent& event);
    bool OnEditorEvent(QWidget& editor, QEvent& event);
    bool OnWheel(QWheelEvent& event);

    CMSFlexGrid& grid_;
    GridCellTable cells_;
    const SessionState& session_;
    TonePicker pickTone_;
    QLineEdit* frequencyEditor_;
    QComboBox* listEditor_;
    QLineEdit* nameEditor_;
    ComboChoiceList listChoices_;
    InPlaceEditing editing_;
    // Wheel movement short of a whole notch, from fine-grained devices.
    int wheelRemainder_ = 0;
};

}  // namespace torvan
