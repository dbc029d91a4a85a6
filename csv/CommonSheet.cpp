#include "csv/CommonSheet.h"

#include <array>
#include <cctype>
#include <optional>
#include <set>

#include "csv/SheetColumns.h"
#include "model/ChannelCodec.h"
#include "model/Codecs.h"
#include "model/Numbers.h"
#include "model/Text.h"
#include "model/ToneLists.h"
#include "model/TonePick.h"

namespace torvan::csv {
namespace {

constexpr std::array<std::string_view, 16> kColumns = {
    "Location",  "Name",      "Frequency", "Duplex",       "Offset",     "Tone",
    "rToneFreq", "cToneFreq", "DtcsCode",  "DtcsPolarity", "RxDtcsCode", "CrossMode",
    "Mode",      "Skip",      "Power",     "Comment",
};

// What a sheet row becomes: the ten grid texts, starting from the
// new-channel defaults the grid gives a channel.
using RowTexts = std::array<std::string, 10>;

std::string& Cell(RowTexts& texts, int col) {
    return texts[static_cast<std::size_t>(col - 1)];
}

class RowReader {
public:
    RowReader(const CsvRecord& record, const SheetColumns& columns, SheetImport& result)
        : record_(record), columns_(columns), result_(result) {}

    std::string operator()(std::string_view name) const { return columns_.Cell(record_, name); }
    void Note(std::string_view column, const CellCheck& check) {
        result_.Note(record_.line, std::string(column), check);
        refused_ = refused_ || check.verdict == Verdict::Refused;
    }
    void Refuse(std::string_view column, std::string reason) {
        Note(column, {Verdict::Refused, {}, std::move(reason)});
    }
    bool Refused() const { return refused_; }

private:
    const CsvRecord& record_;
    const SheetColumns& columns_;
    SheetImport& result_;
    bool refused_ = false;
};

std::string Quoted(std::string_view text) {
    return "\"" + std::string(text) + "\"";
}

std::optional<std::string> ListedCtcss(RowReader& row, std::string_view column) {
    const std::string text = row(column);
    const auto tenths = [](std::string_view t) {
        return static_cast<long long>(DecimalScale(ParseNumber(t), 10.0));
    };
    for (const auto tone : kCtcssTones) {
        if (IsDecimalNumber(text) && tenths(tone) == tenths(text)) {
            return ToneResultText(ToneMode::Ctcss, tone);
        }
    }
    row.Refuse(column, "tone " + Quoted(text) + " is not in the radio's CTCSS list");
    return std::nullopt;
}

// 'N' or 'I' for one side of DtcsPolarity (0 transmit, 1 receive).
std::optional<ToneMode> Polarity(RowReader& row, std::size_t side) {
    std::string text = row("DtcsPolarity");
    if (text.empty()) {
        text = "NN";
    }
    const char letter =
        text.size() == 2 ? static_cast<char>(std::toupper(static_cast<unsigned char>(text[side])))
                         : '?';
    if (letter == 'N' || letter == 'R') {
        return letter == 'N' ? ToneMode::CdcssNormal : ToneMode::CdcssInverted;
    }
    row.Refuse("DtcsPolarity", Quoted(text) + " is not two of N and R");
    return std::nullopt;
}

std::optional<std::string> ListedDcs(RowReader& row, std::string_view column, std::size_t side) {
    std::string code = row(column);
    if (!code.empty() && code.size() < 3) {
        code.insert(0, 3 - code.size(), '0');
    }
    const auto mode = Polarity(row, side);
    if (!mode) {
        return std::nullopt;
    }
    if (!FindToneEntry(*mode, code)) {
        row.Refuse(column, "code " + Quoted(row(column)) + " is not in the radio's CDCSS list");
        return std::nullopt;
    }
    return ToneResultText(*mode, code);
}

// One side of a cross mode: "", "Tone" or "DTCS".
std::optional<std::string> CrossSide(RowReader& row, std::string_view kind, bool transmit) {
    if (kind.empty()) {
        return "None";
    }
    if (EqualNoCase(kind, "Tone")) {
        return ListedCtcss(row, transmit ? "rToneFreq" : "cToneFreq");
    }
    if (EqualNoCase(kind, "DTCS")) {
        return ListedDcs(row, transmit ? "DtcsCode" : "RxDtcsCode", transmit ? 0 : 1);
    }
    row.Refuse("CrossMode", Quoted(row("CrossMode")) + " is not a cross mode the radio has");
    return std::nullopt;
}

// The transmit and receive tone texts of the row's Tone mode.
void MapTones(RowReader& row, RowTexts& texts) {
    const std::string mode = row("Tone");
    std::optional<std::string> tx = "None";
    std::optional<std::string> rx = "None";
    if (EqualNoCase(mode, "Tone")) {
        tx = ListedCtcss(row, "rToneFreq");
    } else if (EqualNoCase(mode, "TSQL")) {
        tx = rx = ListedCtcss(row, "cToneFreq");
    } else if (EqualNoCase(mode, "DTCS")) {
        tx = ListedDcs(row, "DtcsCode", 0);
        rx = ListedDcs(row, "DtcsCode", 1);
    } else if (EqualNoCase(mode, "Cross")) {
        const std::string cross = row("CrossMode");
        const std::size_t arrow = cross.find("->");
        if (arrow == std::string::npos) {
            row.Refuse("CrossMode", Quoted(cross) + " is not a cross mode the radio has");
            return;
        }
        tx = CrossSide(row, std::string_view(cross).substr(0, arrow), true);
        rx = CrossSide(row, std::string_view(cross).substr(arrow + 2), false);
    } else if (!mode.empty()) {
        row.Refuse("Tone", Quoted(mode) + " is not a tone mode the radio has");
    }
    Cell(texts, column::kTxCode) = tx.value_or("None");
    Cell(texts, column::kRxCode) = rx.value_or("None");
}

// Receive and transmit frequency from Frequency, Duplex and Offset.
void MapFrequencies(RowReader& row, const FrequencyLimits& limits, RowTexts& texts) {
    const std::string rxText = row("Frequency");
    if (rxText.empty()) {
        row.Refuse("Frequency", "no receive frequency");
        return;
    }
    const CellCheck rx = CheckFrequency(rxText, limits);
    row.Note("Frequency", rx);
    if (rx.verdict == Verdict::Refused) {
        return;
    }
    Cell(texts, column::kRxFrequency) = rx.text;
    const std::string duplex = row("Duplex");
    const std::string offset = row("Offset");
    const std::int64_t rxCount = MegahertzCount(rxText);
    const std::int64_t offsetCount = MegahertzCount(offset);
    std::optional<std::int64_t> tx;
    if (duplex.empty()) {
        Cell(texts, column::kTxFrequency) = rx.text;
        return;
    }
    if (duplex == "+" || duplex == "-") {
        if (!IsDecimalNumber(offset)) {
            row.Refuse("Offset", Quoted(offset) + " is not an offset in MHz");
            return;
        }
        tx = duplex == "+" ? rxCount + offsetCount : rxCount - offsetCount;
    } else if (EqualNoCase(duplex, "split")) {
        tx = offsetCount;
    } else if (!EqualNoCase(duplex, "off")) {
        row.Refuse("Duplex", Quoted(duplex) + " is not one of +, -, split, off");
        return;
    }
    if (!tx) {
        Cell(texts, column::kTxFrequency).clear();  // receive only
        return;
    }
    if (*tx <= 0) {
        row.Refuse("Offset", "no transmit frequency");
        return;
    }
    const std::string txText = FormatFrequency(static_cast<std::uint64_t>(*tx));
    const CellCheck checked = CheckFrequency(txText, limits);
    row.Note("Offset", {checked.verdict, checked.text,
                        "transmit frequency " + txText + ": " + checked.reason});
    Cell(texts, column::kTxFrequency) = checked.text;
}

void MapName(RowReader& row, RowTexts& texts) {
    const std::string name = row("Name");
    std::string kept;
    for (const char c : name) {
        if (NameCodeOf(static_cast<char>(std::toupper(static_cast<unsigned char>(c)))) != 0xFF) {
            kept.push_back(c);  // upper-cased, and reported, by CheckName
        }
    }
    if (kept.size() != name.size()) {
        row.Note("Name",
                 {Verdict::Corrected, {}, "characters outside the radio's alphabet dropped"});
    }
    const CellCheck check = CheckName(kept);
    row.Note("Name", check);
    Cell(texts, column::kName) = check.text;
}

void MapOptions(RowReader& row, RowTexts& texts) {
    const std::string mode = row("Mode");
    if (mode.empty() || EqualNoCase(mode, "FM") || EqualNoCase(mode, "NFM")) {
        Cell(texts, column::kBandwidth) = EqualNoCase(mode, "NFM") ? "Narrow" : "Wide";
    } else {
        row.Refuse("Mode", "mode " + Quoted(mode) + " cannot be carried over (FM or NFM only)");
    }
    const std::string skip = row("Skip");
    Cell(texts, column::kScanAdd) = EqualNoCase(skip, "S") ? "No" : "Yes";
    if (!skip.empty() && !EqualNoCase(skip, "S")) {
        row.Note("Skip", {Verdict::Corrected, {}, Quoted(skip) + " read as scanned"});
    }
    const std::string power = row("Power");
    if (power.empty() || StartsWithNoCase(power, "h")) {
        Cell(texts, column::kTxPower) = "High";
    } else if (StartsWithNoCase(power, "l")) {
        Cell(texts, column::kTxPower) = "Low";
    } else {
        row.Refuse("Power", Quoted(power) + " reads as neither high nor low");
    }
}

void ImportRow(RowReader& row, const FrequencyLimits& limits, int channel, CellTable& grid) {
    RowTexts texts = {"", "", "None", "None", "Off", "High", "Wide", "Yes", "Off", ""};
    MapFrequencies(row, limits, texts);
    MapTones(row, texts);
    MapOptions(row, texts);
    MapName(row, texts);
    if (row.Refused()) {
        return;
    }
    for (int col = column::kRxFrequency; col <= column::kName; ++col) {
        grid.SetTextMatrix(channel, col, Cell(texts, col));
    }
}

// Export: the Tone columns of a channel's two tone texts.
struct ToneColumns {
    std::string mode;
    std::string rTone = "67.0";
    std::string cTone = "67.0";
    std::string code = "023";
    std::string polarity = "NN";
    std::string rxCode = "023";
    std::string cross = "Tone->Tone";
};

std::string_view KindName(ToneMode mode) {
    switch (mode) {
        case ToneMode::Ctcss:
            return "Tone";
        case ToneMode::CdcssNormal:
        case ToneMode::CdcssInverted:
            return "DTCS";
        case ToneMode::None:
            break;
    }
    return "";
}

ToneColumns ExportTones(const std::string& txText, const std::string& rxText) {
    const ToneSelection tx = ParseToneSelection(txText);
    const ToneSelection rx = ParseToneSelection(rxText);
    const auto isDcs = [](const ToneSelection& s) {
        return s.mode == ToneMode::CdcssNormal || s.mode == ToneMode::CdcssInverted;
    };
    ToneColumns out;
    if (tx.mode == ToneMode::Ctcss) {
        out.rTone = tx.value;
    }
    if (rx.mode == ToneMode::Ctcss) {
        out.cTone = rx.value;
    }
    if (isDcs(tx)) {
        out.code = tx.value;
        out.polarity[0] = tx.mode == ToneMode::CdcssInverted ? 'R' : 'N';
    }
    if (isDcs(rx)) {
        out.rxCode = rx.value;
        out.polarity[1] = rx.mode == ToneMode::CdcssInverted ? 'R' : 'N';
    }
    if (tx.mode == ToneMode::None && rx.mode == ToneMode::None) {
        out.mode = "";
    } else if (tx.mode == ToneMode::Ctcss && rx.mode == ToneMode::None) {
        out.mode = "Tone";
    } else if (tx.mode == ToneMode::Ctcss && rx.mode == ToneMode::Ctcss && tx.value == rx.value) {
        out.mode = "TSQL";
    } else if (isDcs(tx) && isDcs(rx) && tx.value == rx.value) {
        out.mode = "DTCS";
    } else {
        out.mode = "Cross";
        out.cross = std::string(KindName(tx.mode)) + "->" + std::string(KindName(rx.mode));
    }
    return out;
}

std::string Megahertz(std::int64_t count) {
    return FormatFixed(static_cast<double>(count) / 100000.0, 6);
}

std::vector<std::string> ExportRow(const CellTable& grid, int row) {
    const auto cell = [&](int col) { return grid.TextMatrix(row, col); };
    const std::int64_t rx = FrequencyCount(cell(column::kRxFrequency));
    const std::int64_t tx = FrequencyCount(cell(column::kTxFrequency));
    std::string duplex = "off";
    if (cell(column::kTxFrequency).empty()) {
        duplex = "off";
    } else if (tx == rx) {
        duplex = "";
    } else {
        duplex = tx > rx ? "+" : "-";
    }
    const std::int64_t offset = duplex == "off" ? 0 : (tx > rx ? tx - rx : rx - tx);
    const ToneColumns tones = ExportTones(cell(column::kTxCode), cell(column::kRxCode));
    return {std::to_string(row),
            cell(column::kName),
            Megahertz(rx),
            duplex,
            Megahertz(offset),
            tones.mode,
            tones.rTone,
            tones.cTone,
            tones.code,
            tones.polarity,
            tones.rxCode,
            tones.cross,
            cell(column::kBandwidth) == "Narrow" ? "NFM" : "FM",
            cell(column::kScanAdd) == "No" ? "S" : "",
            cell(column::kTxPower),
            ""};
}

}  // namespace

std::string ExportCommonSheet(const CellTable& grid) {
    std::string text = CsvLine({kColumns.begin(), kColumns.end()});
    for (int row = 1; row <= kChannelCount; ++row) {
        if (!grid.TextMatrix(row, column::kRxFrequency).empty()) {
            text += CsvLine(ExportRow(grid, row));
        }
    }
    return text;
}

SheetImport ImportCommonSheet(std::string_view text, const FrequencyLimits& limits,
                              CellTable& grid) {
    SheetImport result;
    const auto read = ReadSheet(text, {"Location", "Frequency"}, result);
    if (!read) {
        return result;
    }
    const CsvText& sheet = *read;
    const SheetColumns columns(sheet.records.front().fields);
    ClearChannels(grid);
    std::set<int> seen;
    for (std::size_t r = 1; r < sheet.records.size(); ++r) {
        const CsvRecord& record = sheet.records[r];
        RowReader row(record, columns, result);
        const auto channel = ChannelNumber(row("Location"));
        if (!channel || !seen.insert(*channel).second) {
            row.Refuse("Location", channel ? "channel " + row("Location") + " is listed twice"
                                           : Quoted(row("Location")) + " is not a channel 1-128");
            continue;
        }
        ImportRow(row, limits, *channel, grid);
    }
    return result;
}

}  // namespace torvan::csv
