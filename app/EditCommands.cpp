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
    Record(EditStep{"Change", {}});
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
    Show(doc_.History().Undo(), QStringLiteral("Undo"));
}

void EditCommands::Redo() {
    if (auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget())) {
        editor->redo();
        return;
    }
    Show(doc_.History().Redo(), QStringLiteral("Redo"));
}

void EditCommands::Show(const std::optional<EditHistory::Move>& move, const QString& verb) {
    if (!move) {
        status_.showMessage(verb + QStringLiteral(": nothing to ") + verb.toLower(), kMessageMs);
        return;
    }
    doc_.Image() = move->state;
    view_.DecodeImage();
    view_.ShowPlace(move->step.place);
    status_.showMessage(verb + QStringLiteral(": ") + QString::fromStdString(move->step.label),
                        kMessageMs);
}

}  // namespace torvan
