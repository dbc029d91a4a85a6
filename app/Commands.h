#pragma once

#include <array>
#include <vector>

namespace torvan {

// Command identifiers of the menus, the toolbar and the accelerators.
namespace command {
constexpr int kFileNew = 57600;
constexpr int kFileOpen = 57601;
constexpr int kFileSave = 57603;
constexpr int kFileSaveAs = 57604;
constexpr int kFilePrintSetup = 57606;
constexpr int kFilePrint = 57607;
constexpr int kFilePrintPreview = 57609;
constexpr int kAppExit = 57665;
constexpr int kAppAbout = 57664;
constexpr int kEditSideKey = 32793;
constexpr int kEditDtmf = 32794;
constexpr int kEditPower = 32795;
constexpr int kEditRadio = 32796;
constexpr int kProgramRead = 32771;
constexpr int kProgramWrite = 32772;
constexpr int kViewToolbar = 59392;
constexpr int kViewStatusBar = 59393;
constexpr int kSeparator = 0;

// "COM1" to "COM8", in menu order.
constexpr std::array<int, 8> kPorts = {32773, 32775, 32776, 32777, 32788, 32789, 32790, 32791};
}  // namespace command

struct CommandInfo {
    int id;
    const char* text;
    const char* shortcut;  // empty when none
    const char* prompt;    // status-bar prompt, then the tooltip after "\n"
    const char* icon;      // resource path, empty when none
};

struct MenuInfo {
    const char* title;
    std::vector<int> commands;  // kSeparator between groups
};

const std::vector<CommandInfo>& Commands();
const std::vector<MenuInfo>& Menus();
const std::vector<int>& ToolBarCommands();

}  // namespace torvan
