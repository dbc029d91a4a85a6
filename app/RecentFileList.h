#pragma once

#include <QStringList>

class QSettings;

namespace torvan {

// The most recently opened or saved channel-data files, newest first, kept
// with the application's settings. No menu shows them.
class RecentFileList {
public:
    static constexpr int kSize = 4;

    void Add(const QString& path);
    const QStringList& Files() const { return files_; }

    void Load(QSettings& settings);
    void Save(QSettings& settings) const;

private:
    QStringList files_;
};

}  // namespace torvan
