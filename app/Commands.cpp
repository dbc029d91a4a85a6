#include "app/Commands.h"

#include <QtGlobal>

namespace torvan {

using namespace command;

const std::vector<CommandInfo>& Commands() {
    static const std::vector<CommandInfo> kCommands = {
        {kFileNew, QT_TRANSLATE_NOOP("Commands", "&New"), "Ctrl+N",
         QT_TRANSLATE_NOOP("Commands", "Create a new document\nNew"), ":/icons/new.svg"},
        {kFileOpen, QT_TRANSLATE_NOOP("Commands", "&Open..."), "Ctrl+O",
         QT_TRANSLATE_NOOP("Commands", "Open an existing document\nOpen"), ":/icons/open.svg"},
        {kFileSave, QT_TRANSLATE_NOOP("Commands", "&Save"), "Ctrl+S",
         QT_TRANSLATE_NOOP("Commands", "Save the active document\nSave"), ":/icons/save.svg"},
        {kFileSaveAs, QT_TRANSLATE_NOOP("Commands", "Save &As..."), "",
         QT_TRANSLATE_NOOP("Commands", "Save the active document with a new name\nSave As"), ""},
        {kFilePrint, QT_TRANSLATE_NOOP("Commands", "&Print..."), "Ctrl+P",
         QT_TRANSLATE_NOOP("Commands", "Print the active document\nPrint"), ":/icons/print.svg"},
        {kFilePrintPreview, QT_TRANSLATE_NOOP("Commands", "Print Pre&view"), "",
         QT_TRANSLATE_NOOP("Commands", "Display full pages\nPrint Preview"), ""},
        {kFilePrintSetup, QT_TRANSLATE_NOOP("Commands", "P&rint Setup..."), "",
         QT_TRANSLATE_NOOP("Commands", "Change the printer and printing options\nPrint Setup"), ""},
        {kAppExit, QT_TRANSLATE_NOOP("Commands", "E&xit"), "",
         QT_TRANSLATE_NOOP("Commands", "Quit the application; prompts to save documents\nExit"),
         ""},
        {kEditDtmf, QT_TRANSLATE_NOOP("Commands", "DTMF"), "", "", ""},
        {kEditSideKey, QT_TRANSLATE_NOOP("Commands", "Side Key"), "", "", ""},
        {kEditPower, QT_TRANSLATE_NOOP("Commands", "Power"), "", "", ""},
        {kEditRadio, QT_TRANSLATE_NOOP("Commands", "Radio"), "", "", ""},
        {kProgramRead, QT_TRANSLATE_NOOP("Commands", "Read"), "Ctrl+R",
         QT_TRANSLATE_NOOP("Commands", "Read data from Machine\nRead"), ":/icons/read.svg"},
        {kProgramWrite, QT_TRANSLATE_NOOP("Commands", "Write"), "Ctrl+W",
         QT_TRANSLATE_NOOP("Commands", "Write data to machine\nWrite"), ":/icons/write.svg"},
        {kPorts[0], "COM1", "", "COM1", ""},
        {kPorts[1], "COM2", "", "COM2", ""},
        {kPorts[2], "COM3", "", "COM3", ""},
        {kPorts[3], "COM4", "", "COM4", ""},
        {kPorts[4], "COM5", "", "COM5", ""},
        {kPorts[5], "COM6", "", "COM6", ""},
        {kPorts[6], "COM7", "", "COM7", ""},
        {kPorts[7], "COM8", "", "COM8", ""},
        {kViewToolbar, QT_TRANSLATE_NOOP("Commands", "&Toolbar"), "",
         QT_TRANSLATE_NOOP("Commands", "Show or hide the toolbar\nToggle ToolBar"), ""},
        {kViewStatusBar, QT_TRANSLATE_NOOP("Commands", "&Status Bar"), "",
         QT_TRANSLATE_NOOP("Commands", "Show or hide the status bar\nToggle StatusBar"), ""},
        {kAppAbout, QT_TRANSLATE_NOOP("Commands", "About ..."), "",
         QT_TRANSLATE_NOOP("Commands",
                           "Display program information, version number and copyright\nAbout"),
         ":/icons/about.svg"},
    };
    return kCommands;
}

const std::vector<MenuInfo>& Menus() {
    static const std::vector<MenuInfo> kMenus = {
        {QT_TRANSLATE_NOOP("Commands", "&File"),
         {kFileNew, kFileOpen, kFileSave, kFileSaveAs, kSeparator, kFilePrint, kFilePrintPreview,
          kFilePrintSetup, kSeparator, kAppExit}},
        {QT_TRANSLATE_NOOP("Commands", "&Edit"), {kEditDtmf, kEditSideKey, kEditPower, kEditRadio}},
        {QT_TRANSLATE_NOOP("Commands", "&Program"), {kProgramRead, kProgramWrite}},
        {QT_TRANSLATE_NOOP("Commands", "&Port"), {kPorts.begin(), kPorts.end()}},
        {QT_TRANSLATE_NOOP("Commands", "&View"), {kViewToolbar, kViewStatusBar}},
        {QT_TRANSLATE_NOOP("Commands", "&Help"), {kAppAbout}},
    };
    return kMenus;
}

const std::vector<int>& ToolBarCommands() {
    static const std::vector<int> kToolBar = {kFileNew,   kFileOpen,    kFileSave,
                                              kSeparator, kProgramRead, kProgramWrite,
                                              kSeparator, kFilePrint,   kAppAbout};
    return kToolBar;
}

}  // namespace torvan
