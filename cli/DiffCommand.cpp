#include "cli/DiffCommand.h"

#include <cstdio>
#include <memory>
#include <ostream>
#include <set>

#include "cli/DecodedFile.h"
#include "cli/OptionFields.h"

namespace torvan::cli {
namespace {

std::vector<ImageField> AllFields(DecodedFile& file) {
    std::vector<ImageField> fields = SettingFields(file.form);
    for (auto&& more : {OptionFields(file.image), ChannelFields(file.form)}) {
        fields.insert(fields.end(), more.begin(), more.end());
    }
    return fields;
}

std::string Quoted(const std::string& text) {
    return "\"" + text + "\"";
}

std::string Hex(std::size_t value, int digits) {
    char text[8];
    std::snprintf(text, sizeof text, "%0*zX", digits, value);
    return text;
}

}  // namespace

int RunDiff(const Args& args, std::ostream& out, std::ostream& err) {
    if (args.size() != 2 || args[0].starts_with("-") || args[1].starts_with("-")) {
        err << "torvan-cli diff: expected two file names (see torvan-cli --help)\n";
        return 2;
    }
    // Two decoded forms are large; keep them off the stack.
    const auto a = std::make_unique<DecodedFile>();
    const auto b = std::make_unique<DecodedFile>();
    if (!LoadDecoded(args[0], *a, err) || !LoadDecoded(args[1], *b, err)) {
        return 2;
    }
    const std::vector<ImageField> before = AllFields(*a);
    const std::vector<ImageField> after = AllFields(*b);
    std::set<std::size_t> explained;
    bool differ = false;
    for (std::size_t i = 0; i < before.size(); ++i) {
        if (before[i].text != after[i].text) {
            out << before[i].group << ", " << before[i].label << ": " << Quoted(before[i].text)
                << " -> " << Quoted(after[i].text) << '\n';
            explained.insert(before[i].addresses.begin(), before[i].addresses.end());
            differ = true;
        }
    }
    // Whatever no shown text accounts for: bytes no field owns, and bits of
    // owned bytes that no text shows.
    for (std::size_t address = 0; address < MemoryImage::kSize; ++address) {
        if (a->image[address] != b->image[address] && !explained.contains(address)) {
            out << "Byte 0x" << Hex(address, 3) << ": " << Hex(a->image[address], 2) << " -> "
                << Hex(b->image[address], 2) << '\n';
            differ = true;
        }
    }
    return differ ? 1 : 0;
}

}  // namespace torvan::cli
