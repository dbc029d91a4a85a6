#pragma once

#include <QFile>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>
#include <filesystem>

#include "app/CProgramApp.h"
#include "app/IniStore.h"
#include "model/FormControls.h"
#include "model/ImageCodec.h"
#include "model/MemoryForm.h"

namespace gui_test {

// A private folder for Program.ini, the settings file and channel-data files.
class TestFolder {
public:
    TestFolder() { QVERIFY2(dir_.isValid(), "no temporary folder"); }

    QString File(const QString& name) const { return dir_.filePath(name); }
    std::filesystem::path Path(const QString& name) const {
        return QFile::encodeName(File(name)).toStdString();
    }
    std::filesystem::path IniPath() const { return Path(QStringLiteral("Program.ini")); }
    AppEnvironment Environment() const {
        return AppEnvironment{IniPath(), File(QStringLiteral("settings.ini"))};
    }
    void WriteIni(const QByteArray& content) const {
        Write(QStringLiteral("Program.ini"), content);
    }
    void Write(const QString& name, const QByteArray& content) const {
        QFile file(File(name));
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        QCOMPARE(file.write(content), content.size());
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
        Prompts prompts;
        prompts.openFileName = [this](QWidget*) {
            return openAnswers.isEmpty() ? QString() : openAnswers.takeFirst();
        };
        prompts.saveFileName = [this](QWidget*, const QString&) { return saveAnswer; };
        prompts.fileError = [this](QWidget*, const QString& message) { errors << message; };
        prompts.confirmExit = [this](QWidget*) {
            ++exitQuestions;
            return exitAnswer;
        };
        return prompts;
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

// An image as the program would save it: channels 1, 2 and 128 set, every
// setting away from its new-document value, band 144-148 MHz, and two bytes
// no control owns.
inline torvan::MemoryImage CraftedImage(const std::filesystem::path& iniPath) {
    using torvan::Setting;
    torvan::MemoryImage image;
    image.ResetToNewDocument();
    torvan::MemoryForm form;
    torvan::FrequencyLimits limits;
    torvan::DecodeImage(image, torvan::IniStore(iniPath), form, limits);
    const std::pair<Setting, const char*> settings[] = {
        {Setting::FrequencyMode, "Memory"},
        {Setting::LockChannelMode, "Off"},
        {Setting::ScanMode, "SE"},
        {Setting::Tot, "120"},
        {Setting::PriorityChannel, "77"},
        {Setting::VoxLevel, "3"},
        {Setting::BatterySave, "Off"},
        {Setting::Sql, "9"},
        {Setting::Beep, "Off"},
        {Setting::Ste, "120  phase shift"},
        {Setting::EndRoger, "10"},
        {Setting::FrequencyRange, "144-148MHz"},
    };
    for (const auto& [setting, text] : settings) {
        SelectText(form.List(setting), text);
    }
    form.SetPasswordText("4321");
    const std::vector<std::pair<int, std::vector<std::string>>> rows = {
        {1,
         {"145.12500", "146.52500", "CTCSS:88.5", "CDCSS:023N", "Carrier", "Low", "Narrow", "No",
          "Both", "CALL 1"}},
        {2, {"136.00000", "136.00000", "None", "None", "Off", "High", "Wide", "Yes", "Off", ""}},
        {128,
         {"173.99375", "144.00000", "CDCSS:754I", "CTCSS:254.1", "Tone", "High", "Wide", "Yes",
          "Pre-Tx", "LAST"}},
    };
    for (const auto& [row, cells] : rows) {
        for (int col = 1; col <= 10; ++col) {
            form.Grid().SetTextMatrix(row, col, cells.at(static_cast<std::size_t>(col - 1)));
        }
    }
    torvan::EncodeImage(form, torvan::FrequencyLimits{14400000, 14800000}, image);
    image[0xC60] = 0x5A;
    image[14] = 0x12;
    return image;
}

}  // namespace gui_test
