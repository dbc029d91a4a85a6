#pragma once

#include <QString>
#include <functional>

class QWidget;

namespace torvan {

// The answer to "save your changes?" before they would be thrown away.
enum class SaveChoice { Save, Discard, Cancel };

// The questions the main window asks the user. Tests replace them so that no
// modal dialog waits for an answer.
struct Prompts {
    // Empty text when the user cancels.
    std::function<QString(QWidget* parent)> openFileName;
    std::function<QString(QWidget* parent, const QString& suggested)> saveFileName;
    std::function<void(QWidget* parent, const QString& message)> fileError;
    // True when the user confirms leaving the program.
    std::function<bool(QWidget* parent)> confirmExit;
    // Asked before New or Open replaces a document with unsaved changes.
    std::function<SaveChoice(QWidget* parent)> saveChanges;
};

// The program's own dialogs and message boxes.
Prompts DefaultPrompts();

}  // namespace torvan
