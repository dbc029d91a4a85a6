#pragma once

#include <filesystem>

#include "model/ChannelFile.h"
#include "model/MemoryImage.h"

namespace torvan {

class CProgramView;

// The document: the one memory image of the process and the file it came
// from. It is never marked modified; the exit prompt stands in for that.
class CProgramDoc {
public:
    MemoryImage& Image() { return image_; }
    // Empty for a new, untitled document.
    const std::filesystem::path& Path() const { return path_; }

    void OnNewDocument();
    // The image and the path change only when the file loads.
    FileResult OnOpenDocument(const std::filesystem::path& path);
    // Takes the form's edits into the image, then writes it; the path changes
    // only when the file was written.
    FileResult OnSaveDocument(const std::filesystem::path& path, CProgramView& view);

private:
    MemoryImage image_;
    std::filesystem::path path_;
};

}  // namespace torvan
