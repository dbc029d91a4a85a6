#include "app/Commands.h"

namespace torvan {

using namespace command;

const std::vector<CommandInfo>& Commands() {
    static const std::vector<CommandInfo> kCommands = {
        {kFileNew, "&New", "Ctrl+N", "Create a new document\nNew", ":/icons/new.svg"},
        {kFileOpen, "&Open...", "Ctrl+O", "Open an existing document\nOpen", ":/icons/open.svg"},
        {kFileSave, "&Save", "Ctrl+S", "Save the active document\nSave", ":/icons/save.svg"},
        {kFileSaveAs, "Save &As...", "", "Save the active document with a new name\nSave As", ""},
        {kFilePrint, "&Print...", "Ctrl+P", "Print the active document\nPrint",
         ":/icons/print.svg"},
        {kFilePrintPreview, "Print Pre&view", "", "Display full pages\nPrint Preview", ""},
        {kFilePrintSetup, "P&rint Setup...", "",
         "Change the printer and printing options\nPrint Setup", ""},
        {kAppExit, "E&xit", "", "Quit the application; prompts to save documents\nExit", ""},
        {kEditDtmf, "DTMF", "", "", ""},
        {kEditSideKey, "Side Key", "", "", ""},
        {kEditPower, "Power", "", "", ""},
        {kEditRadio, "Radio", "", "", ""},
        {kProgramRead, "Read", "Ctrl+R", "Read data from Machine\nRead", ":/icons/read.svg"},
        {kProgramWrite, "Write", "Ctrl+W", "Write data to machine\nWrite", ":/icons/write.svg"},
        {kPorts[0], "COM1", "", "COM1", ""},
        {kPorts[1], "COM2", "", "COM2", ""},
        {kPorts[2], "COM3", "", "COM3", ""},
        {kPorts[3], "COM4", "", "COM4", ""},
        {kPorts[4], "COM5", "", "COM5", ""},
        {kPorts[5], "COM6", "", "COM6", ""},
        {kPorts[6], "COM7", "", "COM7", ""},
        {kPorts[7], "COM8", "", "COM8", ""},
        {kViewToolbar, "&Toolbar", "", "Show or hide the toolbar\nToggle ToolBar", ""},
        {kViewStatusBar, "&Status Bar", "", "Show or hide the status bar\nToggle StatusBar", ""},
        {kAppAbout, "About ...", "",
         "Display program information, version number and copyright\nAbout", ":/icons/about.svg"},
    };
    return kCommands;
}

const std::vector<MenuInfo>& Menus() {
    static const std::vector<MenuInfo> kMenus = {
        {"&File",
         {kFileNew, kFileOpen, kFileSave, kFileSaveAs, kSeparator, kFilePrint, kFilePrintPreview,
          kFilePrintSetup, kSeparator, kAppExit}},
        {"&Edit", {kEditDtmf, kEditSideKey, kEditPower, kEditRadio}},
        {"&Program", {kProgramRead, kProgramWrite}},
        {"&Port", {kPorts.begin(), kPorts.end()}},
        {"&View", {kViewToolbar, kViewStatusBar}},
        {"&Help", {kAppAbout}},
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
