#pragma once

#include <QString>
#include <filesystem>

#include "model/SystemText.h"

namespace torvan {

// A file name as the window holds it (QString) and as the file layer takes
// it, through the file layer's one conversion.
inline std::filesystem::path PathFromQString(const QString& name) {
    return PathFromUtf8(name.toStdString());
}

inline QString QStringFromPath(const std::filesystem::path& path) {
    return QString::fromStdString(Utf8FromPath(path));
}

}  // namespace torvan
