#pragma once

#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QFile>
#include <QMimeData>
#include <QPushButton>
#include <QRadioButton>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWheelEvent>
#include <QtTest/qtestspontaneevent.h>
#include <filesystem>

#include "app/CProgramApp.h"
#include "config/IniStore.h"
#include "config/ModelCatalogReader.h"
#include "dialogs/CToneDlg.h"
#include "editor/CMSFlexGrid.h"
#include "model/ImageCodec.h"
#include "model/MemoryForm.h"

namespace gui_test {

// A private folder for Program.ini, the settings file and channel-data files.
class TestFolder {
public:
    QString File(const QString& name) const { return dir_.filePath(name); }
    std::filesystem::path IniPath() const {
        return QFile::encodeName(File(QStringLiteral("Program.ini"))).toStdString();
    }
    AppEnvironment Environment() const {
        return AppEnvironment{IniPath(), File(QStringLiteral("settings.ini"))};
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

    Prompts Make() {
        return Prompts{[this](QWidget*) {
                           return openAnswers.isEmpty() ? QString() : openAnswers.takeFirst();
                       },
                       [this](QWidget*, const QString&) { return saveAnswer; },
                       [this](QWidget*, const QString& message) { errors << message; },
                       [this](QWidget*) {
                           ++exitQuestions;
                           return exitAnswer;
                       }};
    }
};

inline QByteArray ToBytes(const torvan::MemoryImage& image) {
    return QByteArray(reinterpret_cast<const char*>(image.bytes().data()),
                      static_cast<qsizetype>(image.bytes().size()));
}

inline void SelectText(torvan::ChoiceList& list, const std::string& text) {
    for (int i = 0; i < list.Count(); ++i) {
        if (list.EntryText(i) == text) {
            list.Select(i);
            return;
        }
    }
    QFAIL(("no entry " + text).c_str());
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
    torvan::FrequencyLimits limits;
    torvan::DecodeImage(image, torvan::ReadModelCatalog(torvan::IniStore(iniPath)), form, limits);
    const std::pair<Setting, const char*> settings[] = {
        {Setting::FrequencyMode, "Memory"}, {Setting::ScanMode, "SE"},
        {Setting::PriorityChannel, "77"},   {Setting::Beep, "Off"},
        {Setting::Ste, "120  phase shift"}, {Setting::FrequencyRange, "144-148MHz"}};
    for (const auto& [setting, text] : settings) {
        SelectText(form.List(setting), text);
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
inline QStringList RowTexts(const CMSFlexGrid& grid, int row) {
    QStringList texts;
    for (int col = 1; col <= 10; ++col) {
        texts << grid.TextMatrix(row, col);
    }
    return texts;
}

// Activates a window, as a window manager does for a new window or for the
// owner of a dialog that closed, and waits until it takes the keyboard.
inline void WaitActive(QWidget& window) {
    window.activateWindow();
    QTRY_VERIFY(QApplication::activeWindow() == &window);
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

// Drives a Tone Setting dialog by steps: "mode CTCSS" clicks a radio button,
// "cell R C" and "right R C" click a value cell with the left or the right
// button, "Return", "Escape", "Down", "Right" or "Tab" type the key, "close"
// uses the close box.
inline void RunToneSteps(CToneDlg& dialog, const QStringList& steps) {
    const QMap<QString, int> keys = {{"Return", Qt::Key_Return},
                                     {"Escape", Qt::Key_Escape},
                                     {"Down", Qt::Key_Down},
                                     {"Right", Qt::Key_Right},
                                     {"Tab", Qt::Key_Tab}};
    WaitActive(dialog);
    for (const QString& step : steps) {
        const QStringList word = step.split(QLatin1Char(' '));
        if (word[0] == QLatin1String("mode")) {
            for (QRadioButton* button : dialog.findChildren<QRadioButton*>()) {
                if (button->text() == word[1]) {
                    QTest::mouseClick(button, Qt::LeftButton);
                }
            }
        } else if (word.size() == 3) {
            ClickCell(dialog.ValueGrid(), word[1].toInt(), word[2].toInt(),
                      word[0] == QLatin1String("cell") ? Qt::LeftButton : Qt::RightButton);
        } else if (keys.contains(word[0])) {
            Key(keys[word[0]]);
        } else {
            dialog.close();
        }
    }
}

// Answers the next modal Tone Setting dialog with steps once it runs; if
// the steps leave it open, it is cancelled so that no test waits forever.
inline void AnswerToneDialog(const QStringList& steps) {
    QTimer::singleShot(0, [steps] {
        if (auto* dialog = qobject_cast<CToneDlg*>(QApplication::activeModalWidget())) {
            RunToneSteps(*dialog, steps);
            if (dialog->isVisible()) {
                dialog->reject();
            }
        }
    });
}

inline void ClickButton(QDialog& dialog, const QString& text) {
    for (QPushButton* button : dialog.findChildren<QPushButton*>()) {
        if (button->text() == text) {
            QTest::mouseClick(button, Qt::LeftButton);
            return;
        }
    }
    QFAIL(qPrintable("no button " + text));
}

// Text dropped on an edit box, as a drag from another program ends.
inline void DropText(QWidget& target, const QString& text) {
    QMimeData data;
    data.setText(text);
    const QPointF at = target.rect().center();
    QDragEnterEvent enter(at.toPoint(), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&target, &enter);
    QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&target, &drop);
}

// Steps shared by the dialogs: "focus NAME" gives a control the keyboard,
// "type TEXT" types each character, "paste TEXT" pastes with Ctrl+V,
// "drop TEXT" drops text where the focus is, a key name ("Return", "Down")
// types that key, "OK" and "Cancel" click the button, "close" uses the
// close box.
inline void RunDialogSteps(QDialog& dialog, const QStringList& steps) {
    gui_test::WaitActive(dialog);
    for (const QString& step : steps) {
        const QString word = step.section(QLatin1Char(' '), 0, 0);
        const QString rest = step.section(QLatin1Char(' '), 1);
        if (word == QLatin1String("focus")) {
            auto* control = dialog.findChild<QWidget*>(rest);
            QVERIFY2(control != nullptr, qPrintable(rest));
            control->setFocus(Qt::OtherFocusReason);
        } else if (word == QLatin1String("type")) {
            QTest::keyClicks(QApplication::focusWidget(), rest);
        } else if (word == QLatin1String("paste")) {
            QGuiApplication::clipboard()->setText(rest);
            Key(Qt::Key_V, Qt::ControlModifier);
        } else if (word == QLatin1String("drop")) {
            DropText(*QApplication::focusWidget(), rest);
        } else if (word == QLatin1String("OK") || word == QLatin1String("Cancel")) {
            ClickButton(dialog, word);
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
            RunDialogSteps(*dialog, steps);
            if (dialog->isVisible()) {
                dialog->reject();
            }
        }
    });
}

}  // namespace gui_test
