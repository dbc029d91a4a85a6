#include "app/RecentFileList.h"

#include <QFileInfo>
#include <QSettings>

namespace torvan {

namespace {

const QString kGroup = QStringLiteral("Recent File List");

QString Key(int index) {
    return QStringLiteral("File%1").arg(index + 1);
}

}  // namespace

void RecentFileList::Add(const QString& path) {
    const QString absolute = QFileInfo(path).absoluteFilePath();
    files_.removeAll(absolute);
    files_.prepend(absolute);
    while (files_.size() > kSize) {
        files_.removeLast();
    }
}

void RecentFileList::Load(QSettings& settings) {
    files_.clear();
    settings.beginGroup(kGroup);
    for (int i = 0; i < kSize; ++i) {
        const QString path = settings.value(Key(i)).toString();
        if (!path.isEmpty()) {
            files_.append(path);
        }
    }
    settings.endGroup();
}

void RecentFileList::Save(QSettings& settings) const {
    settings.beginGroup(kGroup);
    for (int i = 0; i < kSize; ++i) {
        if (i < files_.size()) {
            settings.setValue(Key(i), files_.at(i));
        } else {
            settings.remove(Key(i));
        }
    }
    settings.endGroup();
}

}  // namespace torvan
