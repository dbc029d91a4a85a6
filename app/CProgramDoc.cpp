#include "app/CProgramDoc.h"

#include "editor/CProgramView.h"

void CProgramDoc::OnNewDocument() {
    image_.ResetToNewDocument();
    path_.clear();
}

torvan::FileResult CProgramDoc::OnOpenDocument(const std::filesystem::path& path) {
    torvan::FileResult result = torvan::LoadChannelFile(path, image_);
    if (result.ok) {
        path_ = path;
    }
    return result;
}

torvan::FileResult CProgramDoc::OnSaveDocument(const std::filesystem::path& path,
                                               CProgramView& view) {
    view.EncodeImage();
    torvan::FileResult result = torvan::SaveChannelFile(path, image_);
    if (result.ok) {
        path_ = path;
    }
    return result;
}
