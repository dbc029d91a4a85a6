#include "app/CMainFrame.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QLabel>
#include <QMenuBar>
#include <QScreen>
#include <QShortcut>
#include <QStatusBar>
#include <QToolBar>
#include <algorithm>

#include "app/CAboutDlg.h"
#include "app/CProgramDoc.h"
#include "app/Commands.h"
#include "app/EditCommands.h"
#include "app/FileCommands.h"
#include "app/MnemonicCycle.h"
#include "app/PrintCommands.h"
#include "app/ProgramCommands.h"
#include "config/ProductName.h"
#include "dialogs/CDtmfDlg.h"
#include "dialogs/CRadioDlg.h"
#include "dialogs/CSideKeyDlg.h"
#include "dialogs/CToneDlg.h"
#include "editor/CProgramView.h"
#include "editor/FormScrollArea.h"
#include "link/PortNames.h"

// Resources of a static library are registered by name, outside any namespace.
static void InitResources() {
    Q_INIT_RESOURCE(torvan);
}

namespace torvan {

namespace {

const QString kTitle = QString::fromUtf8(kProductName);

// The menus' and commands' texts as this language says them.
QString CommandText(const char* text) {
    return QCoreApplication::translate("Commands", text);
}

// A command's step for undo, named as its menu item is.
EditStep StepOf(const QAction& action) {
    return EditStep{action.text().remove(QLatin1Char('&')).toStdString(), {}};
}

QAction* MakeAction(const CommandInfo& info, QObject* parent) {
    auto* action = new QAction(CommandText(info.text), parent);
    action->setData(info.id);
    if (*info.shortcut != '\0') {
        action->setShortcut(QKeySequence(QString::fromUtf8(info.shortcut)));
    }
    const QStringList prompt = CommandText(info.prompt).split(QLatin1Char('\n'));
    action->setStatusTip(prompt.at(0));
    if (prompt.size() > 1) {
        action->setToolTip(prompt.at(1));
    }
    if (*info.icon != '\0') {
        action->setIcon(QIcon(QString::fromUtf8(info.icon)));
        action->setIconVisibleInMenu(false);
    }
    return action;
}

QLabel* Indicator(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setFrameShape(QFrame::Panel);
    label->setFrameShadow(QFrame::Sunken);
    label->setAlignment(Qt::AlignCenter);
    // The lock-key states are not readable here; the panes keep their place,
    // dimmed like an indicator that is off.
    label->setEnabled(false);
    return label;
}

}  // namespace

CMainFrame::CMainFrame(FrameContext context, QWidget* parent)
    : QMainWindow(parent),
      view_(new CProgramView(context.doc.Image(), context.session, context.iniPath, PickTone)),
      image_(context.doc.Image()),
      session_(context.session),
      prompts_(context.prompts) {
    InitResources();
    setWindowTitle(kTitle);
    setWindowIcon(QIcon(QStringLiteral(":/icons/app.svg")));
    setCentralWidget(new FormScrollArea(view_, this));
    // Queued: the first lists are filled before the window is shown.
    connect(
        view_, &CProgramView::IniUnreadable, this,
        [this](const QString& warning) { prompts_.fileError(this, warning); },
        Qt::QueuedConnection);
    files_ = std::make_unique<FileCommands>(context.doc, *view_, context.recent, prompts_, this);
    print_ = std::make_unique<PrintCommands>(context.doc, *view_, prompts_, this);
    program_ = std::make_unique<ProgramCommands>(*view_, context.doc.Image(), context.ports,
                                                 *statusBar(), this);
    edits_ = std::make_unique<EditCommands>(context.doc, *view_, *statusBar());
    CreateActions();
    CreateMenus();
    CreateToolBar();
    CreateStatusBar(context.ports.SimulatedDevice());
    ConnectFileCommands();
    ConnectViewCommands();
    ConnectOptionDialogs();
    ConnectUndo();
    ConnectPorts();
    // The View menu is the one place to show or hide the bars.
    setContextMenuPolicy(Qt::NoContextMenu);
    // Opens at the size of the screen; the form's first update shrinks it.
    resize(screen()->availableGeometry().size());
}

CMainFrame::~CMainFrame() = default;

QAction* CMainFrame::Action(int commandId) const {
    const auto found = actions_.find(commandId);
    return found == actions_.end() ? nullptr : found->second;
}

void CMainFrame::UpdatePortChecks() {
    for (const auto& [port, name] : ports_) {
        port->setChecked(name == session_.PortName());
    }
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    if (prompts_.confirmExit(this)) {
        event->accept();
    } else {
        event->ignore();
    }
}

void CMainFrame::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    // Restoring from the task bar is spontaneous and keeps the user's place.
    if (!event->spontaneous()) {
        CenterOnScreen();
    }
}

void CMainFrame::CreateActions() {
    for (const CommandInfo& info : Commands()) {
        QAction* action = MakeAction(info, this);
        actions_[info.id] = action;
        addAction(action);
    }
}

void CMainFrame::CreateMenus() {
    for (const MenuInfo& info : Menus()) {
        QMenu* menu = menuBar()->addMenu(CommandText(info.title));
        for (const int id : info.commands) {
            if (id == command::kSeparator) {
                menu->addSeparator();
            } else {
                menu->addAction(Action(id));
            }
        }
    }
    // "&Program" and "&Port" share Alt+P.
    new MnemonicCycle(*menuBar());
    // Some window managers take Alt+letter keys for themselves (Alt+P for
    // "previous window"); F10 opens the menu bar there, as on other desktops.
    auto* menuKey = new QShortcut(QKeySequence(Qt::Key_F10), this);
    connect(menuKey, &QShortcut::activated, this,
            [this] { menuBar()->setActiveAction(menuBar()->actions().front()); });
}

void CMainFrame::CreateToolBar() {
    toolBar_ = addToolBar(tr("Toolbar"));
    toolBar_->setObjectName(QStringLiteral("toolBar"));
    toolBar_->setIconSize(QSize(18, 18));
    toolBar_->setAllowedAreas(Qt::AllToolBarAreas);
    for (const int id : ToolBarCommands()) {
        if (id == command::kSeparator) {
            toolBar_->addSeparator();
        } else {
            toolBar_->addAction(Action(id));
        }
    }
}

void CMainFrame::CreateStatusBar(const std::string& simulatedDevice) {
    QStatusBar* bar = statusBar();
    // A prompt shown while a command is pointed at replaces "Ready".
    bar->addWidget(new QLabel(tr("Ready"), bar), 1);
    if (!simulatedDevice.empty()) {
        // Nobody should believe they programmed a real radio in this run.
        auto* simulated = new QLabel(tr("Simulated radio"), bar);
        simulated->setObjectName(QStringLiteral("simulatedRadio"));
        simulated->setFrameShape(QFrame::Panel);
        simulated->setFrameShadow(QFrame::Sunken);
        simulated->setStyleSheet(QStringLiteral("QLabel { color: #a00000; font-weight: bold; }"));
        simulated->setToolTip(tr("Every port leads to the simulated radio on %1")
                                  .arg(QString::fromStdString(simulatedDevice)));
        bar->addPermanentWidget(simulated);
    }
    for (const char* text : {QT_TR_NOOP("CAP"), QT_TR_NOOP("NUM"), QT_TR_NOOP("SCRL")}) {
        bar->addPermanentWidget(Indicator(tr(text), bar));
    }
}

void CMainFrame::ConnectFileCommands() {
    using namespace command;
    connect(Action(kFileNew), &QAction::triggered, this, [this] { files_->New(); });
    connect(Action(kFileOpen), &QAction::triggered, this, [this] { files_->Open(); });
    connect(Action(kFileSave), &QAction::triggered, this, [this] { files_->Save(); });
    connect(Action(kFileSaveAs), &QAction::triggered, this, [this] { files_->SaveAs(); });
    connect(Action(kFilePrint), &QAction::triggered, this, [this] { print_->Print(); });
    connect(Action(kFilePrintPreview), &QAction::triggered, this, [this] { print_->Preview(); });
    connect(Action(kFilePrintSetup), &QAction::triggered, this, [this] { print_->Setup(); });
    connect(Action(kAppExit), &QAction::triggered, this, &QWidget::close);
    connect(Action(kAppAbout), &QAction::triggered, this, &CMainFrame::ShowAbout);
}

void CMainFrame::ConnectViewCommands() {
    using namespace command;
    for (const int id : {kViewToolbar, kViewStatusBar}) {
        Action(id)->setCheckable(true);
        Action(id)->setChecked(true);
    }
    connect(Action(kViewToolbar), &QAction::toggled, toolBar_, &QWidget::setVisible);
    connect(Action(kViewStatusBar), &QAction::toggled, statusBar(), &QWidget::setVisible);
    // Undoing a Read gives back the form as it was when the Read started.
    connect(Action(kProgramRead), &QAction::triggered, this, [this] {
        edits_->RecordPending();
        if (program_->Read(session_.PortName())) {
            edits_->Record(StepOf(*Action(kProgramRead)));
        }
    });
    connect(Action(kProgramWrite), &QAction::triggered, this,
            [this] { program_->Write(session_.PortName()); });
    connect(Action(kEditPower), &QAction::triggered, this,
            [this] { program_->Power(session_.PortName()); });
}

// Each runs modally on the image; none of their bytes is on the form, so
// the view neither encodes nor decodes around them.
void CMainFrame::ConnectOptionDialogs() {
    using namespace command;
    // A dialog closed without storing changes nothing, and so is no step.
    connect(Action(kEditSideKey), &QAction::triggered, this, [this] {
        CSideKeyDlg dialog(image_, this);
        dialog.exec();
        edits_->Record(StepOf(*Action(kEditSideKey)));
    });
    connect(Action(kEditDtmf), &QAction::triggered, this, [this] {
        CDtmfDlg dialog(image_, this);
        dialog.exec();
        edits_->Record(StepOf(*Action(kEditDtmf)));
    });
    connect(Action(kEditRadio), &QAction::triggered, this, [this] {
        CRadioDlg dialog(image_, this);
        dialog.exec();
        edits_->Record(StepOf(*Action(kEditRadio)));
    });
}

// The Edit menu keeps its own items; the keys work from the whole window.
// An open editor (a cell's, the password's) takes them first, for its text.
void CMainFrame::ConnectUndo() {
    connect(view_, &CProgramView::Edited, this,
            [this](const EditStep& step) { edits_->Record(step); });
    const auto shortcut = [this](const QKeySequence& keys, void (EditCommands::*command)()) {
        connect(new QShortcut(keys, this), &QShortcut::activated, this,
                [this, command] { (edits_.get()->*command)(); });
    };
    shortcut(QKeySequence(Qt::CTRL | Qt::Key_Z), &EditCommands::Undo);
    shortcut(QKeySequence(Qt::CTRL | Qt::Key_Y), &EditCommands::Redo);
    shortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), &EditCommands::Redo);
}

void CMainFrame::ConnectPorts() {
    for (const CommandInfo& info : Commands()) {
        if (std::find(command::kPorts.begin(), command::kPorts.end(), info.id) ==
            command::kPorts.end()) {
            continue;
        }
        QAction* port = Action(info.id);
        const QString name = QString::fromUtf8(info.text);
        port->setCheckable(true);
        ports_.emplace_back(port, name);
        // A click on the ticked port unticks it before it says so: the
        // choice stands, and so does the tick.
        connect(port, &QAction::triggered, this, [this, name] {
            session_.SetPortName(name);
            UpdatePortChecks();
        });
    }
    connect(&session_, &SessionState::PortNameChanged, this, &CMainFrame::UpdatePortChecks);
    UpdatePortChecks();
}

void CMainFrame::ShowAbout() {
    CAboutDlg about(this);
    about.exec();
}

void CMainFrame::CenterOnScreen() {
    QRect frame = frameGeometry();
    frame.moveCenter(screen()->availableGeometry().center());
    move(frame.topLeft());
}

}  // namespace torvan
