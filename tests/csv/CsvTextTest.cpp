#include "csv/CsvText.h"

#include <gtest/gtest.h>

namespace torvan::csv {
namespace {

struct ParseCase {
    const char* name;
    std::string text;
    std::vector<std::vector<std::string>> fields;
    std::vector<int> lines;
};

TEST(ParseCsv, ReadsWhatSpreadsheetsWrite) {
    const std::vector<ParseCase> cases = {
        {"plain LF", "a,b\n1,2\n", {{"a", "b"}, {"1", "2"}}, {1, 2}},
        {"CRLF, no final break", "a,b\r\n1,2", {{"a", "b"}, {"1", "2"}}, {1, 2}},
        {"byte-order mark", "\xEF\xBB\xBF" "CH,Name\r\n", {{"CH", "Name"}}, {1}},
        {"quoted comma, quote and empty", "\"x,y\",\"say \"\"hi\"\"\",\"\"\n",
         {{"x,y", "say \"hi\"", ""}}, {1}},
        {"line break inside quotes moves the next line on", "\"two\r\nlines\",b\nc,d\n",
         {{"two\r\nlines", "b"}, {"c", "d"}}, {1, 3}},
        {"blank lines dropped, empty fields kept", "a\n\n,\n", {{"a"}, {"", ""}}, {1, 3}},
        {"lone CR stays in the field", "a\rb,c\n", {{"a\rb", "c"}}, {1}},
    };
    for (const ParseCase& c : cases) {
        const CsvText parsed = ParseCsv(c.text);
        EXPECT_EQ(parsed.error, "") << c.name;
        ASSERT_EQ(parsed.records.size(), c.fields.size()) << c.name;
        for (std::size_t r = 0; r < c.fields.size(); ++r) {
            EXPECT_EQ(parsed.records[r].fields, c.fields[r]) << c.name;
            EXPECT_EQ(parsed.records[r].line, c.lines[r]) << c.name;
        }
    }
}

TEST(ParseCsv, BrokenQuotingIsAnErrorNotAGuess) {
    EXPECT_EQ(ParseCsv("a,\"open\n1,2\n").error, "line 1: a quoted field is not closed");
    EXPECT_EQ(ParseCsv("a\n\"x\"y,b\n").error, "line 2: text after a closing quote");
}

TEST(CsvLine, QuotesOnlyWhatNeedsItAndReadsBack) {
    const std::vector<std::string> fields = {"145.52500", "", "A,B", "say \"hi\"", " lead",
                                             "two\nlines"};
    const std::string line = CsvLine(fields);
    EXPECT_EQ(line, "145.52500,,\"A,B\",\"say \"\"hi\"\"\",\" lead\",\"two\nlines\"\r\n");
    EXPECT_EQ(ParseCsv(line).records.at(0).fields, fields);
}

}  // namespace
}  // namespace torvan::csv
