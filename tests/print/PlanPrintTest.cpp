// The printed plan as a reader of its PDF finds it: every channel's receive
// frequency and name, "Page k of N" on each of N pages, and no word outside
// the margins, on paper from A7 to A3.
#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QPdfWriter>
#include <cstdio>
#include <regex>
#include <set>

#include "print/PlanPrint.h"
#include "print/PlanText.h"
#include "tests/TempDir.h"

namespace torvan {
namespace {

constexpr double kMarginPt = 10 / 25.4 * 72;

PlanText Plan(int channels) {
    PlanText plan{"fleet.sin",
                  "2026-01-02",
                  "VHF Standard",
                  "136-174MHz",
                  {{"Settings", "STE", "120  phase shift", {}}},
                  {{"Side Key", "Side Key1 Short Press", "Reverse Frequency", {}}},
                  {}};
    for (int ch = 1; ch <= channels; ++ch) {
        char rx[16];
        char name[16];
        std::snprintf(rx, sizeof rx, "%.5f", 136 + ch * 0.3);
        std::snprintf(name, sizeof name, "MWMW%04d", ch);  // the widest letters
        plan.channels.push_back({std::to_string(ch), rx, rx, "CDCSS:754I", "CTCSS:100.0", "Carrier",
                                 "High", "Narrow", "Yes", "Post-Tx", name});
    }
    return plan;
}

struct ReadBack {
    std::vector<std::string> pages;  // each page's words, separated by blanks
    std::set<std::string> words;
    int outside = 0;
};

ReadBack PrintAndRead(const PlanText& plan, QPageSize::PageSizeId paper,
                      QPageLayout::Orientation orientation) {
    const testing_support::TempDir folder;
    const std::string pdf = (folder / "plan.pdf").string();
    {
        QPdfWriter writer(QString::fromStdString(pdf));
        writer.setPageSize(QPageSize(paper));
        writer.setPageOrientation(orientation);
        writer.setPageMargins(QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter);
        EXPECT_TRUE(PrintPlan(plan, writer).ok);
    }
    ReadBack read;
    FILE* text = popen(("pdftotext -bbox " + pdf + " -").c_str(), "r");
    const std::regex page(R"x(<page width="([\d.]+)" height="([\d.]+)")x");
    const std::regex word(
        R"x(xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)<)x");
    double width = 0;
    double height = 0;
    char line[512];
    while (text != nullptr && std::fgets(line, sizeof line, text) != nullptr) {
        std::cmatch m;
        if (std::regex_search(line, m, page)) {
            width = std::stod(m[1]);
            height = std::stod(m[2]);
            read.pages.emplace_back();
        } else if (std::regex_search(line, m, word)) {
            read.pages.back() += m[5].str() + " ";
            read.words.insert(m[5]);
            const double tolerance = 1;
            read.outside += std::stod(m[1]) < kMarginPt - tolerance ||
                            std::stod(m[2]) < kMarginPt - tolerance ||
                            std::stod(m[3]) > width - kMarginPt + tolerance ||
                            std::stod(m[4]) > height - kMarginPt + tolerance;
        }
    }
    EXPECT_EQ(text == nullptr ? -1 : pclose(text), 0);
    return read;
}

TEST(PlanPrint, EveryChannelOnPagesOfAnySize) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "test";
    static char* argv[] = {name, nullptr};
    const QGuiApplication app(argc, argv);
    using enum QPageLayout::Orientation;
    const struct {
        QPageSize::PageSizeId paper;
        QPageLayout::Orientation orientation;
        int channels;
        bool wholeWords;  // not wrapped inside a cell
    } kCases[] = {{QPageSize::A4, Portrait, 0, true},        {QPageSize::A4, Portrait, 128, true},
                  {QPageSize::Letter, Landscape, 128, true}, {QPageSize::A3, Portrait, 128, true},
                  {QPageSize::A6, Portrait, 128, true},      {QPageSize::A7, Portrait, 20, false}};
    for (const auto& paper : kCases) {
        SCOPED_TRACE(QPageSize(paper.paper).name().toStdString());
        const PlanText plan = Plan(paper.channels);
        const ReadBack read = PrintAndRead(plan, paper.paper, paper.orientation);
        const auto pages = read.pages.size();
        ASSERT_TRUE(paper.channels == 0 ? pages == 1 : pages > 1) << pages;
        for (std::size_t page = 1; page <= pages; ++page) {
            EXPECT_NE(read.pages[page - 1].find("Page " + std::to_string(page) + " of " +
                                                std::to_string(pages)),
                      std::string::npos);
        }
        EXPECT_EQ(read.outside, 0);
        for (const auto& row : paper.wholeWords ? plan.channels : decltype(plan.channels){}) {
            EXPECT_TRUE(read.words.contains(row[1]) && read.words.contains(row[10])) << row[0];
        }
        EXPECT_EQ(read.pages[0].find("No channels.") != std::string::npos, paper.channels == 0);
    }
}

}  // namespace
}  // namespace torvan
