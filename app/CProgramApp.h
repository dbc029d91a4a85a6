#pragma once

#include <QString>
#include <QStringList>
#include <filesystem>
#include <memory>
#include <string>

#include "app/CProgramDoc.h"
#include "app/Prompts.h"
#include "app/RecentFileList.h"
#include "editor/SessionState.h"
#include "link/PortNames.h"
#include "model/FrequencyLimits.h"

class QSettings;

namespace torvan {

class CMainFrame;

// Where the program keeps its configuration.
struct AppEnvironment {
    // Program.ini: the selected port and the model profiles.
    std::filesystem::path iniPath;
    // The application's own settings file; empty for the platform's usual place.
    QString settingsFile;
    // The device of a simulated radio that every port leads to in this run,
    // which then leaves Program.ini alone; empty for the ports of this run's
    // port factory (the real ones, or the in-process simulated radio).
    std::string simulatedRadio;
};

// The application object: owns the document, the main window and the
// process-wide values (the selected port and what port names lead to, the
// frequency limits).
class CProgramApp {
public:
    explicit CProgramApp(AppEnvironment environment, Prompts prompts = DefaultPrompts());
    ~CProgramApp();

    // Start-up: settings, the window with its form, the document of the
    // command line (a .sin file, or a new one), the port from Program.ini,
    // then the window is shown. False when the named file cannot be opened.
    bool InitInstance(const QStringList& arguments);
    // Shut-down: stores the port in Program.ini and the settings.
    void ExitInstance();

    CMainFrame* MainFrame() const { return frame_.get(); }
    CProgramDoc& Document() { return doc_; }
    const QString& PortName() const { return session_.PortName(); }
    const FrequencyLimits& Limits() const { return session_.Limits(); }
    const RecentFileList& RecentFiles() const { return recent_; }

private:
    std::unique_ptr<QSettings> OpenSettings() const;
    bool ProcessCommandLine(const QStringList& arguments);

    AppEnvironment environment_;
    Prompts prompts_;
    CProgramDoc doc_;
    SessionState session_;
    PortResolver ports_;
    RecentFileList recent_;
    std::unique_ptr<CMainFrame> frame_;
};

}  // namespace torvan
