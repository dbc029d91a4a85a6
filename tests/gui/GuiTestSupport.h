#pragma once

#include <QtTest/qtestspontaneevent.h>
#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QFile>
#include <QMimeData>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWheelEvent>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>

#include "app/CMainFrame.h"
#include "app/CProgramApp.h"
#include "config/IniStore.h"
#include "config/ModelCatalogReader.h"
#include "editor/CMSFlexGrid.h"
#include "editor/CProgramView.h"
#include "editor/GridCellTable.h"
#include "form/ChannelCodec.h"
#include "form/ImageCodec.h"
#include "form/MemoryForm.h"

// A channel row in a failed comparison, as its texts.
template <>
inline char* QTest::toString(const torvan::ChannelRow& row) {
    QStringList texts;
    for (const std::string& text : row) {
        texts << QString::fromStdString(text);
    }
    return QTest::toString(texts.join(QStringLiteral(" | ")));
}

namespace gui_test {

using namespace torvan;

using TestFactory = std::function<std::unique_ptr<QObject>()>;

// The Qt Test classes linked into the test program, by class name.
std::map<QString, TestFactory>& Registry();

template <typename Test>
bool Register(const char* name) {
    Registry()[QString::fromLatin1(name)] = [] { return std::make_unique<Test>(); };
    return true;
}

// A private folder for Program.ini, the settings file and channel-data files.
class TestFolder {
public:
    QString File(const QString& name) const { return dir_.filePath(name); }
    std::filesystem::path IniPath() const {
        return QFile::encodeName(File(QStringLiteral("Program.ini"))).toStdString();
    }
    AppEnvironment Environment(std::string simulatedRadio = {}) const {
        return AppEnvironment{IniPath(), File(QStringLiteral("settings.ini")), simulatedRadio};
    }
    void Write(const QString& name, const QByteArray& content) const {
        QFile file(File(name));
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        QCOMPARE(file.write(content), content.size());
    }
    void WriteIni(const QByteArray& content) const {
        Write(QStringLiteral("Program.ini"), content);
    }
    QByteArray Read(const QString& name) const {
        QFile file(File(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

private:
    QTemporaryDir dir_;
};

// Answers the main window's questions without showing a dialog.
struct ScriptedPrompts {
    QStringList openAnswers;
    QString saveAnswer;
    QStringList errors;
    bool exitAnswer = true;
    int exitQuestions = 0;
    SaveChoice saveChangesAnswer = SaveChoice::Discard;
    int saveChangesQuestions = 0;

    Prompts Make() {
        return Prompts{[this](QWidget*) {
                           return openAnswers.isEmpty() ? QString() : openAnswers.takeFirst();
                       },
                       [this](QWidget*, const QString&) { return saveAnswer; },
                       [this](QWidget*, const QString& message) { errors << message; },
                       [this](QWidget*) {
                           ++exitQuestions;
                           return exitAnswer;
                       },
                       [this](QWidget*) {
                           ++saveChangesQuestions;
                           return saveChangesAnswer;
                       }};
    }
};

inline QByteArray ToBytes(const torvan::MemoryImage& image) {
    return QByteArray(reinterpret_cast<const char*>(image.bytes().data()),
                      static_cast<qsizetype>(image.bytes().size()));
}

// `image` as the form shows it over the model profiles of `iniPath`; returns
// the limits.
inline FrequencyLimits Decode(const MemoryImage& image, const std::filesystem::path& iniPath,
                              MemoryForm& form) {
    FrequencyLimits limits;
    DecodeImage(image, ReadModelCatalog(IniStore(iniPath)), form, limits);
    return limits;
}

inline const QByteArray kProfiles =
    "[Setup]\nType0=Alpha\nField0=136-174MHz;144-148MHz\nType1=Beta\nField1=400-470MHz\n";

// An image as the program would save it: settings away from their
// new-document values, band 144-148 MHz, channels 1 and 128 set, and two
// bytes no control owns.
inline torvan::MemoryImage CraftedImage(const std::filesystem::path& iniPath) {
    using torvan::Setting;
    torvan::MemoryImage image;
    image.ResetToNewDocument();
    torvan::MemoryForm form;
    Decode(image, iniPath, form);
    const std::pair<Setting, const char*> settings[] = {
        {Setting::FrequencyMode, "Memory"}, {Setting::ScanMode, "SE"},
        {Setting::PriorityChannel, "77"},   {Setting::Beep, "Off"},
        {Setting::Ste, "120  phase shift"}, {Setting::FrequencyRange, "144-148MHz"}};
    for (const auto& [setting, text] : settings) {
        form.List(setting).SelectByPrefix(text, torvan::PrefixSearch::FromFirst);
    }
    form.SetPasswordText("4321");
    for (const auto& [row, cells] :
         {std::pair{1,
                    "145.12500|146.52500|CTCSS:88.5|CDCSS:023N|Carrier|Low|Narrow|No|Both|CALL 1"},
          {128, "173.99375|144.00000|CDCSS:754I|CTCSS:254.1|Tone|High|Wide|Yes|Pre-Tx|LAST"}}) {
        const QStringList texts = QString::fromLatin1(cells).split(QLatin1Char('|'));
        for (int col = 1; col <= 10; ++col) {
            form.Grid().SetTextMatrix(row, col, texts.at(col - 1).toStdString());
        }
    }
    torvan::EncodeImage(form, torvan::FrequencyLimits{14400000, 14800000}, image);
    image[0xC60] = 0x5A;
    image[14] = 0x12;
    return image;
}

// The texts of a channel row, "Rx Frequency" to "Name".
inline torvan::ChannelRow RowTexts(CMSFlexGrid& grid, int row) {
    torvan::GridCellTable cells(grid);
    return torvan::GridRow(cells, row);
}

// Everything a form shows: the settings lists, the password and all channel
// rows, one text each.
inline QStringList FormTexts(FormControls& form) {
    QStringList texts;
    for (int s = 0; s < kSettingCount; ++s) {
        ChoiceList& list = form.List(static_cast<Setting>(s));
        texts << QString::fromStdString(list.EntryText(list.Selected()));
    }
    texts << QString::fromStdString(form.PasswordText());
    for (int row = 1; row <= 128; ++row) {
        for (int col = 1; col <= 10; ++col) {
            texts << QString::fromStdString(form.Grid().TextMatrix(row, col));
        }
    }
    return texts;
}

// Activates a window, as a window manager does for a new window or for the
// owner of a dialog that closed, and waits until it takes the keyboard.
inline void WaitActive(QWidget& window) {
    window.activateWindow();
    QTRY_VERIFY(QApplication::activeWindow() == &window);
}

// A dialog's or window's control by its object name.
template <typename Widget>
Widget& Child(const QObject& parent, const char* name) {
    auto* child = parent.findChild<Widget*>(QLatin1String(name));
    if (child == nullptr) {
        qFatal("no control %s", name);
    }
    return *child;
}

// Clicks the middle of a cell, on whatever lies there (the cell, a header or
// an editor over it).
inline void ClickCell(CMSFlexGrid& grid, int row, int col,
                      Qt::MouseButton button = Qt::LeftButton) {
    const QPoint centre = grid.CellRect(row, col).center();
    QWidget* child = grid.childAt(centre);
    QWidget* target = child != nullptr ? child : &grid;
    QTest::mouseClick(target, button, {}, target->mapFrom(&grid, centre));
}

// Types a key where the keyboard focus is, as a user would.
inline void Key(int key, Qt::KeyboardModifiers modifiers = {}) {
    QWidget* focus = QApplication::focusWidget();
    QVERIFY2(focus != nullptr, "nothing has the keyboard focus");
    QTest::keyClick(focus, static_cast<Qt::Key>(key), modifiers);
    for (int i = 0; i < 3; ++i) {  // the keys the grid posts to itself
        QCoreApplication::processEvents();
    }
}

// Turns the wheel over the middle of `widget` as the window system does: to
// the widget deepest under the pointer, passed up while it goes unused.
inline void Wheel(QWidget& widget, int delta) {
    QWidget* window = widget.window();
    const QPoint at = widget.mapTo(window, widget.rect().center());
    QWidget* target = window->childAt(at);
    target = target != nullptr ? target : window;
    const QPointF local = target->mapFrom(window, at);
    QWheelEvent wheel(local, target->mapToGlobal(local), {}, {0, delta}, Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QSpontaneKeyEvent::setSpontaneous(&wheel);
    QApplication::instance()->notify(target, &wheel);
}

// Types text one key at a time, following the focus as it moves (the first
// digit typed on the grid opens an editor).
inline void TypeText(const QString& text) {
    for (const QChar c : text) {
        Key(c.toUpper().unicode());
    }
}

// Clicks the button (push or radio) that shows `text`.
inline void ClickButton(QWidget& parent, const QString& text) {
    for (QAbstractButton* button : parent.findChildren<QAbstractButton*>()) {
        if (button->text() == text) {
            QTest::mouseClick(button, Qt::LeftButton);
            return;
        }
    }
    QFAIL(qPrintable("no button " + text));
}

// Plays a user on a dialog, step by step: "click TEXT" clicks a button or
// radio button, "cell R C" and "right R C" click a cell of the dialog's grid
// with the left or the right button, "row R" moves the grid's current cell
// to row R and gives it the keyboard, "focus NAME" gives a control the
// keyboard, "type TEXT" types each character, "paste TEXT" pastes with
// Ctrl+V, "drop TEXT" drops text where the focus is, "close" uses the close
// box, and a key name ("Return", "Down", "Escape") types that key.
inline void RunSteps(QDialog& dialog, const QStringList& steps) {
    WaitActive(dialog);
    for (const QString& step : steps) {
        const QString word = step.section(QLatin1Char(' '), 0, 0);
        const QString rest = step.section(QLatin1Char(' '), 1);
        if (word == QLatin1String("click")) {
            ClickButton(dialog, rest);
        } else if (word == QLatin1String("cell") || word == QLatin1String("right")) {
            ClickCell(*dialog.findChild<CMSFlexGrid*>(),
                      rest.section(QLatin1Char(' '), 0, 0).toInt(),
                      rest.section(QLatin1Char(' '), 1).toInt(),
                      word == QLatin1String("cell") ? Qt::LeftButton : Qt::RightButton);
        } else if (word == QLatin1String("row")) {
            auto* grid = dialog.findChild<CMSFlexGrid*>();
            grid->setFocus(Qt::OtherFocusReason);
            grid->SetRow(rest.toInt());
        } else if (word == QLatin1String("focus")) {
            auto* control = dialog.findChild<QWidget*>(rest);
            QVERIFY2(control != nullptr, qPrintable(rest));
            control->setFocus(Qt::OtherFocusReason);
        } else if (word == QLatin1String("type")) {
            QTest::keyClicks(QApplication::focusWidget(), rest);
        } else if (word == QLatin1String("paste")) {
            QGuiApplication::clipboard()->setText(rest);
            Key(Qt::Key_V, Qt::ControlModifier);
        } else if (word == QLatin1String("drop")) {  // as a drag from another program ends
            QMimeData data;
            data.setText(rest);
            QWidget* target = QApplication::focusWidget();
            const QPointF at = target->rect().center();
            QDragEnterEvent enter(at.toPoint(), Qt::CopyAction, &data, Qt::LeftButton, {});
            QApplication::sendEvent(target, &enter);
            QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, {});
            QApplication::sendEvent(target, &drop);
        } else if (word == QLatin1String("close")) {
            dialog.close();
        } else {
            const QKeySequence key(word);
            QVERIFY2(key[0].key() != Qt::Key_unknown, qPrintable(word));
            Key(key[0].key());
        }
    }
}

// Answers the next modal dialog with steps once it runs; if the steps leave
// it open, it is cancelled so that no test waits forever.
inline void AnswerDialog(const QStringList& steps) {
    QTimer::singleShot(0, [steps] {
        if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
            RunSteps(*dialog, steps);
            if (dialog->isVisible()) {
                dialog->reject();
            }
        }
    });
}

// The program as a user starts it, over a private folder with two model
// profiles.
class Window {
public:
    Window() { folder.WriteIni(kProfiles); }
    // Starts the program with a command line; false when the start ended.
    bool Start(const QStringList& arguments = {QStringLiteral("torvan-encoder")}) {
        app = std::make_unique<CProgramApp>(folder.Environment(simulatedRadio), prompts.Make());
        return app->InitInstance(arguments);
    }
    CMainFrame& Frame() const { return *app->MainFrame(); }
    CProgramView& View() const { return Frame().View(); }
    void Trigger(int id) const { Frame().Action(id)->trigger(); }
    const torvan::MemoryImage& Image() const { return app->Document().Image(); }
    // The crafted image saved as `name`; returns its path.
    QString WriteCrafted(const QString& name) const {
        folder.Write(name, ToBytes(CraftedImage(folder.IniPath())));
        return folder.File(name);
    }

    TestFolder folder;
    std::string simulatedRadio;  // empty: the real ports
    ScriptedPrompts prompts;
    std::unique_ptr<CProgramApp> app;
};

}  // namespace gui_test

// Puts a Qt Test class into the one test program, in place of QTEST_MAIN.
#define GUI_TEST_MAIN(Test) \
    [[maybe_unused]] static const bool registered##Test = gui_test::Register<Test>(#Test);
