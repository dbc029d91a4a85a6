#include "app/CProgramDoc.h"

#include "editor/CProgramView.h"

namespace torvan {

void CProgramDoc::OnNewDocument() {
    image_.ResetToNewDocument();
    path_.clear();
}

FileResult CProgramDoc::OnOpenDocument(const std::filesystem::path& path) {
    FileResult result = LoadChannelFile(path, image_);
    if (result.ok) {
        path_ = path;
    }
    return result;
}

FileResult CProgramDoc::OnSaveDocument(const std::filesystem::path& path, CProgramView& view) {
    view.EncodeImage();
    FileResult result = SaveChannelFile(path, image_);
    if (result.ok) {
        path_ = path;
        history_.MarkSaved(image_);
    }
    return result;
}

}  // namespace torvan
