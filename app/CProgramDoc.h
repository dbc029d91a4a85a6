#pragma once

#include <filesystem>

#include "form/EditHistory.h"
#include "model/ChannelFile.h"
#include "model/MemoryImage.h"

namespace torvan {

class CProgramView;

// The document: the one memory image of the process, the file it came from
// and its undo history with what counts as saved.
class CProgramDoc {
public:
    MemoryImage& Image() { return image_; }
    // Empty for a new, untitled document.
    const std::filesystem::path& Path() const { return path_; }

    // What the document went through, and what counts as saved; the states
    // are the form's encodings of the document (CProgramView::ShownImage).
    EditHistory& History() { return history_; }
    bool IsModified(const MemoryImage& shown) const { return history_.Changed(shown); }

    void OnNewDocument();
    // The image and the path change only when the file loads.
    FileResult OnOpenDocument(const std::filesystem::path& path);
    // Takes the form's edits into the image, then writes it; the path and
    // the saved mark change only when the file was written.
    FileResult OnSaveDocument(const std::filesystem::path& path, CProgramView& view);

private:
    MemoryImage image_;
    std::filesystem::path path_;
    EditHistory history_;
};

}  // namespace torvan
