#include "app/CProgramApp.h"

#include <QCommandLineParser>
#include <QSettings>

#include "app/CMainFrame.h"
#include "app/FileCommands.h"
#include "config/IniStore.h"
#include "config/PortsSection.h"
#include "link/serial/PortFactory.h"

namespace torvan {

namespace {

const std::string kSetup = "Setup";
const std::string kComKey = "COM";

PortResolver PortsOf(const AppEnvironment& environment) {
    return environment.simulatedRadio.empty() ? RunPortResolver(PortsSection(environment.iniPath))
                                              : PortResolver::Simulated(environment.simulatedRadio);
}

}  // namespace

CProgramApp::CProgramApp(AppEnvironment environment, Prompts prompts)
    : environment_(std::move(environment)),
      prompts_(std::move(prompts)),
      ports_(PortsOf(environment_)) {}

CProgramApp::~CProgramApp() = default;

bool CProgramApp::InitInstance(const QStringList& arguments) {
    recent_.Load(*OpenSettings());
    frame_ = std::make_unique<CMainFrame>(
        FrameContext{doc_, session_, ports_, recent_, environment_.iniPath, prompts_});
    if (!ProcessCommandLine(arguments)) {
        return false;
    }
    session_.SetPortName(
        QString::fromStdString(IniStore(environment_.iniPath).ReadString(kSetup, kComKey)));
    frame_->show();
    return true;
}

void CProgramApp::ExitInstance() {
    // A run with the simulated radio leaves the user's Program.ini alone. A
    // port choice that cannot be stored is not worth holding up the exit for:
    // the next start offers the port stored before.
    if (ports_.SimulatedDevice().empty()) {
        static_cast<void>(IniStore(environment_.iniPath)
                              .WriteString(kSetup, kComKey, session_.PortName().toStdString()));
    }
    recent_.Save(*OpenSettings());
}

std::unique_ptr<QSettings> CProgramApp::OpenSettings() const {
    if (environment_.settingsFile.isEmpty()) {
        return std::make_unique<QSettings>();
    }
    return std::make_unique<QSettings>(environment_.settingsFile, QSettings::IniFormat);
}

bool CProgramApp::ProcessCommandLine(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.addPositionalArgument(
        QStringLiteral("file"),
        QCoreApplication::translate("CProgramApp", "Channel-data file (.sin) to open."),
        QStringLiteral("[file]"));
    parser.parse(arguments);
    const QStringList files = parser.positionalArguments();
    if (files.isEmpty()) {
        frame_->Files().New();
        return true;
    }
    return frame_->Files().OpenPath(files.constFirst());
}

}  // namespace torvan
