#pragma once

#include <QCoreApplication>
#include <optional>

#include "form/EditHistory.h"

class QStatusBar;

namespace torvan {

class CProgramDoc;
class CProgramView;

// Undo and redo in the window: each thing the user did becomes a step of
// the document's history (the form's encoding after it), and a step taken
// back restores the image it left, shows it on the form and moves to where
// it happened. The status bar says what was undone or redone.
class EditCommands {
    Q_DECLARE_TR_FUNCTIONS(EditCommands)

public:
    EditCommands(CProgramDoc& doc, CProgramView& view, QStatusBar& status);

    // The form's state after `step`; nothing when it changed nothing.
    void Record(const EditStep& step);
    // A change the form holds that no step has taken yet (a password typed
    // and not left, a list editor left open) becomes a step of its own.
    void RecordPending();
    void Undo();
    void Redo();

private:
    void Show(const std::optional<EditHistory::Move>& move, const QString& verb,
              const QString& nothing);

    CProgramDoc& doc_;
    CProgramView& view_;
    QStatusBar& status_;
};

}  // namespace torvan
