#include "cli/DocumentCommands.h"

#include <algorithm>
#include <array>
#include <memory>
#include <ostream>

#include "cli/DecodedFile.h"
#include "cli/FileArgs.h"
#include "cli/ShowJson.h"
#include "config/ModelCatalogReader.h"
#include "form/ChannelCodec.h"
#include "form/ImageCodec.h"
#include "form/ImageFields.h"
#include "form/MemoryForm.h"

namespace torvan::cli {
namespace {

void PrintChannels(MemoryForm& form, std::ostream& out) {
    const std::vector<ChannelRow> rows = ChannelRows(form);
    if (rows.empty()) {
        out << "\nNo channels.\n";
        return;
    }
    std::array<std::size_t, CellTable::kCols> widths{};
    for (std::size_t col = 0; col < widths.size(); ++col) {
        widths[col] = kChannelHeaders[col].size();
        for (const ChannelRow& row : rows) {
            widths[col] = std::max(widths[col], row[col].size());
        }
    }
    const auto printRow = [&](auto cellText) {
        std::string line;
        for (std::size_t col = 0; col < widths.size(); ++col) {
            std::string text(cellText(col));
            text.resize(widths[col], ' ');
            line += text + (col + 1 < widths.size() ? "  " : "");
        }
        line.erase(line.find_last_not_of(' ') + 1);
        out << line << '\n';
    };
    out << '\n';
    printRow([](std::size_t col) { return kChannelHeaders[col]; });
    for (const ChannelRow& row : rows) {
        printRow([&](std::size_t col) { return row[col]; });
    }
}

}  // namespace

ModelCatalog ProgramModels(std::ostream& err) {
    static bool warned = false;
    ModelCatalogRead read = ReadModelCatalogWarning(IniStore());
    if (!read.warning.empty() && !warned) {
        err << "Warning: " << read.warning << '\n';
        warned = true;
    }
    return std::move(read.catalog);
}

int RunNew(const Args& args, std::ostream& /*out*/, std::ostream& err) {
    if (!ExpectOneFile("new", args, err)) {
        return 2;
    }
    return SaveOrReport(args[0], NewDocumentImage(ProgramModels(err)), err) ? 0 : 1;
}

int RunShow(const Args& args, std::ostream& out, std::ostream& err) {
    Args files = args;
    const auto json = std::find(files.begin(), files.end(), "--json");
    const bool asJson = json != files.end();
    if (asJson) {
        files.erase(json);
    }
    if (!ExpectOneFile("show", files, err)) {
        return 2;
    }
    const auto file = std::make_unique<DecodedFile>();
    if (!LoadDecoded(files[0], *file, err)) {
        return 1;
    }
    if (asJson) {
        PrintJson(*file, out);
        return 0;
    }
    for (const ImageField& field : SettingFields(file->form)) {
        out << field.label << ": " << field.text << '\n';
    }
    PrintOptionGroups(file->image, out);
    PrintChannels(file->form, out);
    return 0;
}

}  // namespace torvan::cli
