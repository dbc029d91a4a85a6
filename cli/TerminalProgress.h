#pragma once

#include <cstddef>
#include <iosfwd>
#include <optional>
#include <string>

#include "cli/Console.h"
#include "cli/ProgressWriter.h"
#include "link/TransferSink.h"

namespace torvan::cli {

// The clone transfer's progress on standard error: a redrawn bar with the
// percentage on a terminal, a plain line every ten per cent otherwise.
class TerminalProgress final : public TransferSink {
public:
    static constexpr std::size_t kBarWidth = 40;

    // nullopt for a plain stream, else the terminal's size.
    TerminalProgress(std::ostream& err, std::string caption, std::optional<TerminalSize> terminal);

    // The size of the terminal `err` writes to: nullopt unless `err` is the
    // program's standard error and that is a terminal that redraws lines in
    // place (see RedrawingTerminal).
    static std::optional<TerminalSize> Terminal(const std::ostream& err);
    // The bar of `position` of `upper` with the label: "[####----] 45%".
    static std::string Bar(int position, int upper, const std::string& percentText,
                           std::size_t width = kBarWidth);
    // `line` cut to `columns` characters: a redrawn line that wrapped would
    // leave its copies down the screen.
    static std::string Fit(const std::string& line, std::size_t columns);
    // How many characters `text` (UTF-8) shows.
    static std::size_t Columns(const std::string& text);
    // How many characters of a line the terminal shows as one line: one
    // column is left free, where some terminals wrap already.
    static std::size_t Usable(const TerminalSize& size);

    void DisableButtons() override {}
    void ShowProgress(int position, int upper, const std::string& percentText) override;
    // The command reports the transfer's failure itself.
    void ShowFailure(const Result&) override {}
    void Finished(bool success) override;
    // After Ctrl+C, SIGTERM or SIGQUIT (see InterruptWatch).
    bool StopRequested() const override;

private:
    std::string caption_;
    std::optional<TerminalSize> terminal_;
    std::size_t barWidth_ = kBarWidth;
    bool drawn_ = false;
    int lastShown_ = -10;  // nothing shown yet
    ProgressWriter writer_;
};

}  // namespace torvan::cli
