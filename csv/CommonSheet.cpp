#include "csv/CommonSheet.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>
#include <optional>
#include <set>

#include "csv/CellChecks.h"
#include "csv/SheetColumns.h"
#include "form/ChannelCodec.h"
#include "form/TonePick.h"
#include "model/Codecs.h"
#include "model/Numbers.h"
#include "model/Text.h"
#include "model/ToneLists.h"

namespace torvan::csv {
namespace {

constexpr std::array<std::string_view, 16> kColumns = {
    "Location",  "Name",      "Frequency", "Duplex",       "Offset",     "Tone",
    "rToneFreq", "cToneFreq", "DtcsCode",  "DtcsPolarity", "RxDtcsCode", "CrossMode",
    "Mode",      "Skip",      "Power",     "Comment",
};

// What the rows of one sheet share.
struct SheetState {
    SheetColumns columns;
    SheetImport& result;
    bool watts = false;             // a row gave its power in watts
    std::vector<int> heldSettings;  // channels whose Busy Lock and PTT ID stayed
};

class RowReader {
public:
    RowReader(const CsvRecord& record, SheetState& sheet, const ChannelRow& held)
        : record_(record), sheet_(sheet), held_(held) {}

    std::string operator()(std::string_view name) const {
        return sheet_.columns.Cell(record_, name);
    }
    // A cell is reported once, however many of the row's values it feeds.
    void Note(std::string_view column, const CellCheck& check) {
        const std::string key = std::string(column) + '\n' + check.reason;
        if (check.verdict == Verdict::Kept || !noted_.insert(key).second) {
            return;
        }
        sheet_.result.Note(record_.line, std::string(column), check);
        refused_ = refused_ || check.verdict == Verdict::Refused;
    }
    void Refuse(std::string_view column, std::string reason) {
        Note(column, {Verdict::Refused, {}, std::move(reason)});
    }
    bool Refused() const { return refused_; }
    SheetState& Sheet() { return sheet_; }
    // The base file's texts of this channel (all empty for a new channel).
    const ChannelRow& Held() const { return held_; }

private:
    const CsvRecord& record_;
    SheetState& sheet_;
    const ChannelRow& held_;
    std::set<std::string> noted_;
    bool refused_ = false;
};

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
    const ToneBytes bytes = EncodeTone("CTCSS:" + text);
    const std::string stored = DecodeTone(bytes.low, bytes.type);
    if (IsDecimalNumber(text) && HoldsTone(row.Held(), stored)) {
        return stored;
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
    const std::string text = ToneResultText(*mode, code);
    if (!FindToneEntry(*mode, code) && !HoldsTone(row.Held(), text)) {
        row.Refuse(column, "code " + Quoted(row(column)) + " is not in the radio's CDCSS list");
        return std::nullopt;
    }
    return text;
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
void MapTones(RowReader& row, ChannelRow& texts) {
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
    TextOf(texts, column::kTxCode) = tx.value_or("None");
    TextOf(texts, column::kRxCode) = rx.value_or("None");
}

// The transmit frequency in 10 Hz steps that Duplex (+, -, split or off)
// and Offset give beside `rx`; nothing for a receive-only channel. Not
// limited to what a frequency cell holds: an offset of 1000 MHz or more must
// come out as the out-of-band frequency it gives.
std::optional<double> TransmitCount(RowReader& row, double rx) {
    const std::string duplex = row("Duplex");
    const std::string offset = row("Offset");
    const double count = std::trunc(DecimalScale(ParseNumber(offset), 100000.0));
    if (duplex == "+" || duplex == "-" || EqualNoCase(duplex, "split")) {
        if (!IsDecimalNumber(offset)) {
            row.Refuse("Offset", Quoted(offset) + " is not " +
                                     (duplex.size() == 1 ? "an offset" : "a transmit frequency") +
                                     " in MHz");
            return std::nullopt;
        }
        return duplex == "+" ? rx + count : (duplex == "-" ? rx - count : count);
    }
    if (!EqualNoCase(duplex, "off")) {
        row.Refuse("Duplex", Quoted(duplex) + " is not one of +, -, split, off");
    }
    return std::nullopt;
}

// Receive and transmit frequency from Frequency, Duplex and Offset.
void MapFrequencies(RowReader& row, const FrequencyLimits& limits, ChannelRow& texts) {
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
    TextOf(texts, column::kRxFrequency) = rx.text;
    if (row("Duplex").empty()) {
        TextOf(texts, column::kTxFrequency) = rx.text;
        return;
    }
    const auto tx = TransmitCount(row, MegahertzCount(rxText));
    if (!tx) {
        return;
    }
    if (!(*tx >= limits.lower && *tx <= limits.upper)) {
        row.Refuse("Offset", "transmit frequency " + FormatFixed(*tx / 100000.0, 5) +
                                 " MHz is outside the file's band " + BandText(limits));
        return;
    }
    const std::string txText = FormatFrequency(static_cast<std::uint64_t>(*tx));
    const CellCheck checked = CheckFrequency(txText, limits);
    row.Note("Offset", {checked.verdict, checked.text,
                        "transmit frequency " + txText + ": " + checked.reason});
    TextOf(texts, column::kTxFrequency) = checked.text;
}

// A power in watts ("5.0W", "0.5 w"); nothing for any other text.
std::optional<double> Watts(std::string_view text) {
    if (text.empty() || (text.back() != 'W' && text.back() != 'w')) {
        return std::nullopt;
    }
    text.remove_suffix(1);
    while (text.ends_with(' ')) {
        text.remove_suffix(1);
    }
    return IsDecimalNumber(text) ? std::optional<double>(ParseNumber(text)) : std::nullopt;
}

constexpr double kHighPowerWatts = 3.0;

// "High" or "Low" for that word or its start ("H", "hi", "LOW"); nothing for
// any other word, so that "Hundred" is not taken for High.
std::optional<std::string> PowerWord(std::string_view text) {
    for (const std::string_view word : {"High", "Low"}) {
        if (!text.empty() && text.size() <= word.size() &&
            EqualNoCase(word.substr(0, text.size()), text)) {
            return std::string(word);
        }
    }
    return std::nullopt;
}

void MapPower(RowReader& row, ChannelRow& texts) {
    const std::string power = row("Power");
    std::string& cell = TextOf(texts, column::kTxPower);
    if (power.empty()) {
        cell = "High";
    } else if (const auto word = PowerWord(power)) {
        cell = *word;
    } else if (const auto watts = Watts(power)) {
        cell = *watts < kHighPowerWatts ? "Low" : "High";
        row.Sheet().watts = true;
    } else {
        row.Refuse("Power", Quoted(power) + " is not High, Low or a power in watts such as 5.0W");
    }
}

void MapOptions(RowReader& row, ChannelRow& texts) {
    const std::string mode = row("Mode");
    if (mode.empty() || EqualNoCase(mode, "FM") || EqualNoCase(mode, "NFM")) {
        TextOf(texts, column::kBandwidth) = EqualNoCase(mode, "NFM") ? "Narrow" : "Wide";
    } else {
        row.Refuse("Mode", "mode " + Quoted(mode) + " cannot be carried over (FM or NFM only)");
    }
    const std::string skip = row("Skip");
    TextOf(texts, column::kScanAdd) = EqualNoCase(skip, "S") ? "No" : "Yes";
    if (!skip.empty() && !EqualNoCase(skip, "S")) {
        row.Note("Skip", {Verdict::Corrected, {}, Quoted(skip) + " read as scanned"});
    }
    MapPower(row, texts);
}

// One sheet row into grid row `channel`, from the new-channel defaults the
// grid gives a channel.
void ImportRow(RowReader& row, const FrequencyLimits& limits, int channel, CellTable& grid) {
    ChannelRow texts = NewChannelRow("");
    MapFrequencies(row, limits, texts);
    MapTones(row, texts);
    MapOptions(row, texts);
    const CellCheck name = CheckName(row("Name"));
    row.Note("Name", name);
    TextOf(texts, column::kName) = name.text;
    if (row.Refused()) {
        return;
    }
    // The layout has no busy lock or PTT ID: a channel the base file holds
    // keeps its own.
    if (!TextOf(row.Held(), column::kRxFrequency).empty()) {
        for (const int col : {column::kBusyLock, column::kPttId}) {
            TextOf(texts, col) = TextOf(row.Held(), col);
        }
        row.Sheet().heldSettings.push_back(channel);
    }
    for (int col = column::kRxFrequency; col <= column::kName; ++col) {
        grid.SetTextMatrix(channel, col, TextOf(texts, col));
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

// Why row's frequencies cannot be written as the numbers the grid shows:
// odd stored digits read as 1000 MHz or more, which no count holds, and the
// row would come out as 0 MHz or with a made-up offset. Empty when they can.
std::string UncountableFrequency(const CellTable& grid, int row) {
    for (const int col : {column::kRxFrequency, column::kTxFrequency}) {
        const std::string text = grid.TextMatrix(row, col);
        if (!text.empty() && FrequencyCount(text) == 0) {
            return "channel " + std::to_string(row) + ": " +
                   std::string(kChannelHeaders[static_cast<std::size_t>(col)]) + " " + text +
                   " reads from damaged digits (1000 MHz or more); correct the channel first";
        }
    }
    return {};
}

// A Location cell's number (digits only); nothing for any other text.
std::optional<long> LocationNumber(std::string_view text) {
    if (text.empty() || text.size() > 9 || text.find_first_not_of("0123456789") != text.npos) {
        return std::nullopt;
    }
    return std::stol(std::string(text));
}

// The lowest Location of the sheet's rows: other tools count from 0 or 1.
std::optional<long> FirstLocation(const CsvText& sheet, const SheetColumns& columns) {
    std::optional<long> first;
    for (std::size_t r = 1; r < sheet.records.size(); ++r) {
        if (const auto number = LocationNumber(columns.Cell(sheet.records[r], "Location"))) {
            first = std::min(first.value_or(*number), *number);
        }
    }
    return first;
}

void Remark(SheetState& state, const std::optional<long>& first) {
    std::vector<std::string>& remarks = state.result.remarks;
    if (first) {
        remarks.push_back(*first == 0 ? "Location counts from 0: Location 0 is channel 1"
                                      : "Location counts from 1: Location 1 is channel 1");
    }
    if (state.watts) {
        remarks.emplace_back("Power in watts: below 3 W is Low, 3 W and more High");
    }
    if (!state.heldSettings.empty()) {
        remarks.push_back("Busy Lock and PTT ID (not in this layout) kept from the base file for " +
                          ChannelsText(state.heldSettings));
    }
}

}  // namespace

SheetExport ExportCommonSheet(const CellTable& grid) {
    SheetExport sheet{CsvLine({kColumns.begin(), kColumns.end()}), {}};
    for (int row = 1; row <= kChannelCount; ++row) {
        if (grid.TextMatrix(row, column::kRxFrequency).empty()) {
            continue;
        }
        if (const std::string refused = UncountableFrequency(grid, row); !refused.empty()) {
            sheet.refused.push_back(refused);
        } else {
            sheet.text += CsvLine(ExportRow(grid, row));
        }
    }
    return sheet;
}

SheetImport ImportCommonSheet(std::string_view text, const FrequencyLimits& limits,
                              CellTable& grid) {
    SheetImport result;
    const auto read =
        ReadSheet(text, {"Location", "Frequency"}, {kColumns.begin(), kColumns.end()}, result);
    if (!read) {
        return result;
    }
    const CsvText& sheet = *read;
    SheetState state{SheetColumns(sheet.records.front().fields), result, false, {}};
    const std::optional<long> first = FirstLocation(sheet, state.columns);
    // A sheet counted from 0 gives channel 1 from Location 0.
    const long shift = first == 0L ? 1 : 0;
    const std::vector<ChannelRow> held = ClearChannels(grid);
    std::set<long> seen;
    for (std::size_t r = 1; r < sheet.records.size(); ++r) {
        const std::string location = state.columns.Cell(sheet.records[r], "Location");
        const auto number = LocationNumber(location);
        const long channel = number.value_or(0) + shift;
        const ChannelRow& base = held[static_cast<std::size_t>(
            std::clamp(channel, 1L, static_cast<long>(kChannelCount)) - 1)];
        RowReader row(sheet.records[r], state, base);
        if (!number) {
            row.Refuse("Location", Quoted(location) + " is not a Location number");
        } else if (channel < 1 || channel > kChannelCount) {
            row.Refuse("Location", "Location " + location + " is past channel 128");
        } else if (!seen.insert(channel).second) {
            row.Refuse("Location", "Location " + location + " is listed twice");
        } else {
            ImportRow(row, limits, static_cast<int>(channel), grid);
        }
    }
    Remark(state, first);
    return result;
}

}  // namespace torvan::csv
