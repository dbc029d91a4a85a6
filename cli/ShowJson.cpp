#include "cli/ShowJson.h"

#include <cctype>
#include <cstdio>
#include <ostream>

#include "cli/OptionFields.h"
#include "form/ChannelCodec.h"
#include "model/Utf8Text.h"

namespace torvan::cli {
namespace {

// "Side Key" -> "sideKey", "Power Tuning" -> "powerTuning".
std::string GroupKey(const std::string& group) {
    std::string key;
    bool firstWord = true;
    for (const char c : group) {
        if (c == ' ') {
            firstWord = false;
        } else {
            key.push_back(firstWord ? static_cast<char>(std::tolower(static_cast<unsigned char>(c)))
                                    : c);
        }
    }
    return key;
}

// The fields as one object per group, in their order.
void PrintGroups(const std::vector<ImageField>& fields, std::ostream& out) {
    std::string group;
    for (const ImageField& field : fields) {
        if (field.group != group) {
            out << (group.empty() ? "" : "\n  },\n") << "  " << JsonString(GroupKey(field.group))
                << ": {\n";
            group = field.group;
        } else {
            out << ",\n";
        }
        out << "    " << JsonString(field.label) << ": " << JsonString(field.text);
    }
    out << "\n  },\n";
}

void PrintChannels(const std::vector<ImageField>& fields, std::ostream& out) {
    out << "  \"channels\": [";
    const auto perChannel = static_cast<std::size_t>(column::kName);
    bool first = true;
    for (std::size_t at = 0; at < fields.size(); at += perChannel) {
        if (fields[at].text.empty()) {
            continue;  // no receive frequency: an empty channel
        }
        out << (first ? "\n" : ",\n") << "    {\"CH\": " << at / perChannel + 1;
        for (std::size_t col = 0; col < perChannel; ++col) {
            out << ", " << JsonString(fields[at + col].label) << ": "
                << JsonString(fields[at + col].text);
        }
        out << "}";
        first = false;
    }
    out << (first ? "]\n" : "\n  ]\n");
}

}  // namespace

std::string JsonString(const std::string& text) {
    std::string json = "\"";
    // JSON is UTF-8; a text that is not (no text should be) is read as the
    // Windows code page rather than breaking the whole document.
    for (const char c : ReadableUtf8(text)) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            json += '\\';
            json += c;
        } else if (byte < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", byte);
            json += escaped;
        } else {
            json += c;
        }
    }
    return json + "\"";
}

void PrintJson(DecodedFile& file, std::ostream& out) {
    std::vector<ImageField> fields = SettingFields(file.form);
    const std::vector<ImageField> groups = OptionFields(file.image);
    fields.insert(fields.end(), groups.begin(), groups.end());
    out << "{\n";
    PrintGroups(fields, out);
    PrintChannels(ChannelFields(file.form), out);
    out << "}\n";
}

void PrintOptionGroups(const MemoryImage& image, std::ostream& out) {
    std::string group;
    for (const ImageField& field : OptionFields(image)) {
        if (IsUnsetPreset(field)) {
            continue;
        }
        if (field.group != group) {
            out << '\n' << field.group << '\n';
            group = field.group;
        }
        out << "  " << field.label << ": " << field.text << '\n';
    }
}

}  // namespace torvan::cli
