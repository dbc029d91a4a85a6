// torvan-encoder: the channel editor's window.
#include <QApplication>
#include <QIcon>

#include "app/CProgramApp.h"
#include "config/IniStore.h"

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Local AppWizard-Generated Applications"));
    QApplication::setApplicationName(QStringLiteral("Torvan PC Encoder"));
    QApplication::setApplicationVersion(QStringLiteral(TORVAN_VERSION));

    CProgramApp program(AppEnvironment{torvan::IniStore().Path(), QString()});
    if (!program.InitInstance(QApplication::arguments())) {
        return 1;
    }
    const int status = QApplication::exec();
    program.ExitInstance();
    return status;
}
