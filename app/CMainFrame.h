#pragma once

#include <QMainWindow>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "app/Prompts.h"
#include "editor/SessionState.h"
#include "model/MemoryImage.h"

class QToolBar;

namespace torvan {

class CProgramDoc;
class CProgramView;
class EditCommands;
class FileCommands;
class PrintCommands;
class ProgramCommands;
class RecentFileList;
class PortResolver;

// What the main window works on; all of it is owned by the application.
struct FrameContext {
    CProgramDoc& doc;
    SessionState& session;
    // What the port names lead to in this run.
    const PortResolver& ports;
    RecentFileList& recent;
    std::filesystem::path iniPath;
    Prompts prompts;
};

// The main window: menus, accelerators, toolbar and status bar around the
// form view. Its title never names the open file, and it asks before it
// closes.
class CMainFrame : public QMainWindow {
    Q_OBJECT

public:
    explicit CMainFrame(FrameContext context, QWidget* parent = nullptr);
    ~CMainFrame() override;

    CProgramView& View() const { return *view_; }
    FileCommands& Files() const { return *files_; }
    PrintCommands& Printing() const { return *print_; }
    // The menu or toolbar action of a command identifier; null when unknown.
    QAction* Action(int commandId) const;
    // Checks the Port item equal to the selected port, and no other.
    void UpdatePortChecks();

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void CreateActions();
    void CreateMenus();
    void CreateToolBar();
    void CreateStatusBar(const std::string& simulatedDevice);
    void ConnectFileCommands();
    void ConnectViewCommands();
    void ConnectOptionDialogs();
    void ConnectUndo();
    void ConnectPorts();
    void ShowAbout();
    void CenterOnScreen();

    CProgramView* view_;
    // The option dialogs read and write their own bytes of it.
    MemoryImage& image_;
    SessionState& session_;
    Prompts prompts_;
    std::unique_ptr<FileCommands> files_;
    std::unique_ptr<PrintCommands> print_;
    std::unique_ptr<ProgramCommands> program_;
    std::unique_ptr<EditCommands> edits_;
    std::map<int, QAction*> actions_;
    // The Port items with the port name each one selects.
    std::vector<std::pair<QAction*, QString>> ports_;
    QToolBar* toolBar_ = nullptr;
};

}  // namespace torvan
