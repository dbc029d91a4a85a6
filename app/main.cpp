// torvan-encoder: the channel editor's window.
#include <QApplication>
#include <QIcon>
#include <csignal>

#include "app/CProgramApp.h"
#include "config/IniStore.h"
#include "link/PortNames.h"

int main(int argc, char** argv) {
    // A file-size limit then fails a save like a full disk, which cleans up,
    // instead of killing the program with the document unsaved.
    std::signal(SIGXFSZ, SIG_IGN);
    QApplication application(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Local AppWizard-Generated Applications"));
    QApplication::setApplicationName(QStringLiteral("Torvan PC Encoder"));
    QApplication::setApplicationVersion(QStringLiteral(TORVAN_VERSION));

    // scripts/run.sh sets this to the device of the simulated radio it
    // started: every port then leads there, for this run only.
    const QByteArray simulated = qgetenv("TORVAN_SIMULATED_RADIO");
    if (!simulated.isEmpty()) {
        torvan::RouteAllPortsTo(simulated.toStdString());
    }
    CProgramApp program(AppEnvironment{torvan::IniStore().Path(), QString()});
    if (!program.InitInstance(QApplication::arguments())) {
        return 1;
    }
    const int status = QApplication::exec();
    program.ExitInstance();
    return status;
}
