#include "app/FileCommands.h"

#include "app/CProgramDoc.h"
#include "app/FileNames.h"
#include "app/RecentFileList.h"
#include "editor/CProgramView.h"

namespace torvan {

FileCommands::FileCommands(CProgramDoc& doc, CProgramView& view, RecentFileList& recent,
                           Prompts prompts, QWidget* parent)
    : doc_(doc), view_(view), recent_(recent), prompts_(std::move(prompts)), parent_(parent) {}

void FileCommands::New() {
    if (!MayReplaceDocument()) {
        return;
    }
    doc_.OnNewDocument();
    view_.OnInitialUpdate();
    StartHistory();
}

void FileCommands::Open() {
    if (!MayReplaceDocument()) {
        return;
    }
    const QString path = prompts_.openFileName(parent_);
    if (!path.isEmpty()) {
        OpenPath(path);
    }
}

bool FileCommands::OpenPath(const QString& path) {
    const FileResult result = doc_.OnOpenDocument(PathFromQString(path));
    if (!result.ok) {
        prompts_.fileError(parent_, QString::fromStdString(result.error));
        return false;
    }
    recent_.Add(path);
    view_.OnInitialUpdate();
    StartHistory();
    return true;
}

bool FileCommands::Save() {
    if (doc_.Path().empty()) {
        return SaveAs();
    }
    return SaveTo(QStringFromPath(doc_.Path()));
}

bool FileCommands::SaveAs() {
    const QString path = prompts_.saveFileName(parent_, SuggestedName());
    return !path.isEmpty() && SaveTo(path);
}

bool FileCommands::SaveTo(const QString& path) {
    const FileResult result = doc_.OnSaveDocument(PathFromQString(path), view_);
    if (!result.ok) {
        prompts_.fileError(parent_, QString::fromStdString(result.error));
        return false;
    }
    recent_.Add(path);
    return true;
}

bool FileCommands::MayReplaceDocument() {
    if (!doc_.IsModified(view_.ShownImage())) {
        return true;
    }
    switch (prompts_.saveChanges(parent_)) {
        case SaveChoice::Save:
            return Save();
        case SaveChoice::Discard:
            return true;
        case SaveChoice::Cancel:
            break;
    }
    return false;
}

// A new history, starting from the form's encoding of the document just
// shown: bytes of a file that the form stores otherwise are no change the
// user made.
void FileCommands::StartHistory() {
    doc_.History().Start(view_.ShownImage());
}

QString FileCommands::SuggestedName() const {
    return doc_.Path().empty() ? tr("Untitled.sin") : QStringFromPath(doc_.Path());
}

}  // namespace torvan
