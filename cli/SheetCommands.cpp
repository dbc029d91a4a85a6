#include "cli/SheetCommands.h"

#include <optional>
#include <ostream>

#include "cli/Console.h"
#include "cli/DecodedFile.h"
#include "cli/FileArgs.h"
#include "csv/CommonSheet.h"
#include "csv/OwnSheet.h"
#include "csv/SheetColumns.h"
#include "form/ImageCodec.h"
#include "model/SafeFile.h"
#include "model/SystemText.h"
#include "model/Utf8Text.h"

namespace torvan::cli {
namespace {

enum class SheetFormat { Own, Common };

struct SheetArgs {
    std::optional<SheetFormat> format;
    csv::FixPolicy fix = csv::FixPolicy::Refuse;
    std::vector<std::string> files;
};

bool ParseSheetArgs(const std::string& command, const Args& args, bool allowFix,
                    std::size_t fileCount, SheetArgs& parsed, std::ostream& err) {
    const std::string prefix = "torvan-cli " + command + ": ";
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--format") {
            const auto format = ParseChoice(prefix, args, i, {"own", "common"}, err);
            if (!format) {
                return false;
            }
            parsed.format = *format == 0 ? SheetFormat::Own : SheetFormat::Common;
        } else if (arg == "--fix" && allowFix) {
            parsed.fix = csv::FixPolicy::Accept;
        } else if (!TakeFileName(arg, prefix, parsed.files, err)) {
            return false;
        }
    }
    if (parsed.files.size() != fileCount) {
        err << prefix << "expected " << fileCount << " file names (see torvan-cli --help)\n";
        return false;
    }
    return true;
}

// The layout a sheet is in when --format does not say: the other tools'
// layout numbers its rows in a "Location" column.
SheetFormat DetectFormat(const std::string& text) {
    const csv::CsvText sheet = csv::ParseCsv(text.substr(0, text.find('\n')));
    if (!sheet.records.empty() &&
        csv::SheetColumns(sheet.records.front().fields).Find("Location")) {
        return SheetFormat::Common;
    }
    return SheetFormat::Own;
}

}  // namespace

int RunExportCsv(const Args& args, std::ostream& out, std::ostream& err) {
    SheetArgs parsed;
    if (!ParseSheetArgs("export-csv", args, false, 2, parsed, err)) {
        return 2;
    }
    const std::string& output = parsed.files[1];
    const bool toStandardOutput = output == "-";
    if (!toStandardOutput && !OutputOrReport(output, {parsed.files[0]}, err)) {
        return 1;
    }
    DecodedFile file;
    if (!LoadDecoded(parsed.files[0], file, err)) {
        return 1;
    }
    csv::SheetExport sheet;
    if (parsed.format == SheetFormat::Common) {
        sheet = csv::ExportCommonSheet(file.form.Grid());
    } else {
        sheet.text = csv::ExportOwnSheet(file.form.Grid());
    }
    if (!sheet.refused.empty()) {
        for (const std::string& reason : sheet.refused) {
            err << PrintableText(parsed.files[0] + ": " + reason) << '\n';
        }
        err << "Nothing written.\n";
        return 1;
    }
    const std::string& text = sheet.text;
    if (toStandardOutput) {
        BinaryStandardOutput();
        out << text;
        return 0;
    }
    if (const Result written = WriteFileAtomically(output, text); !written.ok) {
        err << written.error << '\n';
        return 1;
    }
    return 0;
}

int RunImportCsv(const Args& args, std::ostream& out, std::ostream& err) {
    SheetArgs parsed;
    if (!ParseSheetArgs("import-csv", args, true, 3, parsed, err)) {
        return 2;
    }
    if (!OutputOrReport(parsed.files[2], {parsed.files[0], parsed.files[1]}, err)) {
        return 1;
    }
    DecodedFile file;
    const auto text = ReadTextOrReport(parsed.files[1], err);
    if (!text || !LoadDecoded(parsed.files[0], file, err)) {
        return 1;
    }
    const SheetFormat format = parsed.format.value_or(DetectFormat(*text));
    const csv::SheetImport result =
        format == SheetFormat::Common ? csv::ImportCommonSheet(*text, file.limits, file.form.Grid())
                                      : csv::ImportOwnSheet(*text, file.limits, file.form.Grid());
    const bool store = result.MayStore(parsed.fix);
    std::ostream& report = store ? out : err;
    const auto say = [&](std::ostream& to, const std::string& message) {
        to << PrintableText(parsed.files[1] + ": " + message) << '\n';
    };
    if (!result.error.empty()) {
        say(err, result.error);
    }
    for (const std::string& remark : result.remarks) {
        say(report, remark);
    }
    for (const csv::SheetNote& note : result.notes) {
        say(report, csv::NoteText(note, parsed.fix));
    }
    if (!store) {
        err << "Nothing written.\n";
        return 1;
    }
    EncodeImage(file.form, file.limits, file.image);
    return SaveOrReport(parsed.files[2], file.image, err) ? 0 : 1;
}

}  // namespace torvan::cli
