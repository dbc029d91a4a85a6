#pragma once

#include <QFile>
#include <QString>
#include <filesystem>

namespace torvan {

// A file name as the window holds it (QString) and as the file layer takes
// it. Windows names are wide characters, which QString holds as they are;
// POSIX names are bytes in the locale's encoding, as QFile converts them.
inline std::filesystem::path PathFromQString(const QString& name) {
#ifdef _WIN32
    return std::filesystem::path(name.toStdWString());
#else
    return std::filesystem::path(QFile::encodeName(name).toStdString());
#endif
}

inline QString QStringFromPath(const std::filesystem::path& path) {
#ifdef _WIN32
    return QString::fromStdWString(path.native());
#else
    return QFile::decodeName(path.c_str());
#endif
}

}  // namespace torvan
