<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1">
<context>
    <name>CAboutDlg</name>
    <message>
        <source>About</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Version 1.0.0</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Torvan PC Encoder: channel programming for VHF handheld radios</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CDtmfDlg</name>
    <message>
        <source>DTMF</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Encode</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tx Side Tone</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rx Side Tone</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>PTT ID</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CExitDlg</name>
    <message>
        <source>Prompt</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Exit the application, all data will not be saved</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Yes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CPowerDlg</name>
    <message>
        <source>Power</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Low Low</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Low High</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Middle Low</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Middle High</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>High Low</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>High High</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>End</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>0</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Exit</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CProgramApp</name>
    <message>
        <source>Channel-data file (.sin) to open.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CProgramView</name>
    <message>
        <source>Setting</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Model</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Frequency Range</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Lock Channel Mode</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>TOT</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Password</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Priority Channel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Vox Level</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Battery Save</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>SQL</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Beep</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>STE</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>End Roger</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Scan Mode</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Frequency Mode</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Channel:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CProgressDlg</name>
    <message>
        <source>Start</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>0%</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CSideKeyDlg</name>
    <message>
        <source>Side Key</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Side Key1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Short Press</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Long Press</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Side Key2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CToneDlg</name>
    <message>
        <source>Tone Setting</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>None</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>CTCSS</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>CDCSSN</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>CDCSSI</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Commands</name>
    <message>
        <source>&amp;New</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Create a new document
New</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Open...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open an existing document
Open</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save the active document
Save</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save &amp;As...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save the active document with a new name
Save As</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Print...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Print the active document
Print</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Print Pre&amp;view</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Display full pages
Print Preview</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>P&amp;rint Setup...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Change the printer and printing options
Print Setup</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Quit the application; prompts to save documents
Exit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>DTMF</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Side Key</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Power</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Radio</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Read</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Read data from Machine
Read</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Write</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Write data to machine
Write</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Toolbar</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show or hide the toolbar
Toggle ToolBar</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Status Bar</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show or hide the status bar
Toggle StatusBar</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>About ...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Display program information, version number and copyright
About</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Program</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Port</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>EditCommands</name>
    <message>
        <source>Change</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Undo</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Undo: nothing to undo</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Redo</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Redo: nothing to redo</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>FileCommands</name>
    <message>
        <source>Untitled.sin</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>PrintCommands</name>
    <message>
        <source>Untitled</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot print: %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ProgramCommands</name>
    <message>
        <source>Write data: done at %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A copy of the read is kept in %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Prompts</name>
    <message>
        <source>Channel Data (*.sin)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>All Files (*)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save As</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The channel data has been changed.
Do you want to save your changes?</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>torvan::CAboutDlg</name>
    <message>
        <source>Version %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>torvan::CDtmfDlg</name>
    <message>
        <source>On</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Off</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>torvan::CMainFrame</name>
    <message>
        <source>Toolbar</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ready</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Simulated radio</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Every port leads to the simulated radio on %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>CAP</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>NUM</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>SCRL</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>torvan::CProgramView</name>
    <message>
        <source>Change %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Warning: %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>torvan::CProgressDlg</name>
    <message>
        <source>Read data</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Write data</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The radio may hold a partial write; write it again.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>torvan::CRadioDlg</name>
    <message>
        <source>Radio</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Frequency</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>torvan::ChannelGridEditor</name>
    <message>
        <source>Add channel %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete channel %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Edit channel %1 %2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
