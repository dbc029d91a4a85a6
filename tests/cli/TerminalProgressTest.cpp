#include "cli/TerminalProgress.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

namespace torvan::cli {
namespace {

std::string Drawn(std::optional<TerminalSize> terminal, int upper) {
    std::ostringstream err;
    {
        TerminalProgress progress(err, "Read data", terminal);
        for (int position = 1; position <= upper; ++position) {
            progress.ShowProgress(position, upper, std::to_string(position * 100 / upper) + "%");
        }
        progress.Finished(true);
    }  // written out
    return err.str();
}

// On a terminal one line is redrawn in place and ended once; in a log every
// tenth per cent gets a line of its own, 100 % included.
TEST(TerminalProgress, RedrawsOnATerminalAndWritesLinesOffIt) {
    const std::string drawn = Drawn(TerminalSize{}, 512);
    EXPECT_TRUE(drawn.starts_with("\rRead data [----------------------------------------] 0%\r"));
    EXPECT_TRUE(drawn.ends_with("\rRead data [########################################] 100%\n"));
    EXPECT_EQ(std::count(drawn.begin(), drawn.end(), '\n'), 1);
    EXPECT_LT(std::count(drawn.begin(), drawn.end(), '\r'), 150) << "unchanged frames are skipped";

    const std::string logged = Drawn(std::nullopt, 448);
    EXPECT_EQ(logged.find('\r'), std::string::npos);
    EXPECT_EQ(logged,
              "Read data: 0%\nRead data: 10%\nRead data: 20%\nRead data: 30%\nRead data: 40%\n"
              "Read data: 50%\nRead data: 60%\nRead data: 70%\nRead data: 80%\nRead data: 90%\n"
              "Read data: 100%\n");
}

}  // namespace
}  // namespace torvan::cli
