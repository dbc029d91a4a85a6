#include "app/EditCommands.h"

#include <QApplication>
#include <QLineEdit>
#include <QStatusBar>

#include "app/CProgramDoc.h"
#include "editor/CProgramView.h"

namespace torvan {
namespace {

constexpr int kMessageMs = 5000;

}  // namespace

EditCommands::EditCommands(CProgramDoc& doc, CProgramView& view, QStatusBar& status)
    : doc_(doc), view_(view), status_(status) {}

void EditCommands::Record(const EditStep& step) {
    doc_.History().Record(view_.ShownImage(), step);
}

void EditCommands::RecordPending() {
    view_.CommitOpenEditor();
    Record(EditStep{tr("Change").toStdString(), {}});
}

// An open text editor (a cell's, the password's) undoes its own typing,
// whichever of the keys reached the window. A change no step has taken yet
// becomes one first, so that redo can bring it back.
void EditCommands::Undo() {
    if (auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget())) {
        editor->undo();
        return;
    }
    RecordPending();
    Show(doc_.History().Undo(), tr("Undo"), tr("Undo: nothing to undo"));
}

void EditCommands::Redo() {
    if (auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget())) {
        editor->redo();
        return;
    }
    // A list editor's pick not yet taken is a change of its own, which
    // ends what was there to redo.
    RecordPending();
    Show(doc_.History().Redo(), tr("Redo"), tr("Redo: nothing to redo"));
}

void EditCommands::Show(const std::optional<EditHistory::Move>& move, const QString& verb,
                        const QString& nothing) {
    if (!move) {
        status_.showMessage(nothing, kMessageMs);
        return;
    }
    doc_.Image() = move->state;
    view_.DecodeImage();
    view_.ShowPlace(move->step.place);
    status_.showMessage(tr("%1: %2").arg(verb, QString::fromStdString(move->step.label)),
                        kMessageMs);
}

}  // namespace torvan
