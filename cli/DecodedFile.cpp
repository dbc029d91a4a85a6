#include "cli/DecodedFile.h"

#include "cli/DocumentCommands.h"
#include "cli/FileArgs.h"
#include "form/ImageCodec.h"

namespace torvan::cli {

bool LoadDecoded(const std::string& path, DecodedFile& file, std::ostream& err) {
    if (!LoadOrReport(path, file.image, err)) {
        return false;
    }
    DecodeImage(file.image, ProgramModels(err), file.form, file.limits);
    return true;
}

}  // namespace torvan::cli
