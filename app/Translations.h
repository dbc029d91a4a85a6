#pragma once

#include <QLocale>
#include <QString>

class QCoreApplication;

namespace torvan {

// Where the program's translations are: torvan-encoder_LANGUAGE.qm in the
// program's resources.
inline const QString kTranslationFolder = QStringLiteral(":/i18n");

// Installs the program's translation for `locale` from `folder`, and Qt's
// own for its standard buttons and dialogs, where each exists; the English
// texts stand wherever none does. True when the program's was found.
bool InstallTranslations(QCoreApplication& app, const QLocale& locale,
                         const QString& folder = kTranslationFolder);

}  // namespace torvan
