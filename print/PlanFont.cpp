#include "print/PlanFont.h"

#include <QFontDatabase>
#include <QStringList>

namespace torvan {

QString PlanFontFamily() {
    static const QString family = [] {
        const int regular = QFontDatabase::addApplicationFont(QStringLiteral(":/fonts/DejaVuSans.ttf"));
        QFontDatabase::addApplicationFont(QStringLiteral(":/fonts/DejaVuSans-Bold.ttf"));
        const QStringList families = QFontDatabase::applicationFontFamilies(regular);
        // Without it the system's sans-serif font still prints every word.
        return families.isEmpty() ? QStringLiteral("Sans Serif") : families.first();
    }();
    return family;
}

}  // namespace torvan
