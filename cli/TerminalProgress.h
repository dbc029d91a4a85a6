#pragma once

#include <iosfwd>
#include <string>

#include "link/TransferSink.h"

namespace torvan::cli {

// The clone transfer's progress on standard error: a redrawn bar with the
// percentage on a terminal, a plain line every ten per cent otherwise.
class TerminalProgress final : public TransferSink {
public:
    TerminalProgress(std::ostream& err, std::string caption, bool terminal);

    // Whether `err` is the program's standard error and that is a terminal.
    static bool IsTerminal(const std::ostream& err);
    // The bar of `position` of `upper` with the label: "[####----] 45%".
    static std::string Bar(int position, int upper, const std::string& percentText);

    void DisableButtons() override {}
    void ShowProgress(int position, int upper, const std::string& percentText) override;
    // The command reports the transfer's failure itself.
    void ShowFailure(const Result&) override {}
    void Finished(bool success) override;
    // After Ctrl+C or SIGTERM (see InterruptWatch).
    bool StopRequested() const override;

private:
    std::ostream& err_;
    std::string caption_;
    bool terminal_;
    bool drawn_ = false;
    int lastShown_ = -10;  // nothing shown yet
};

}  // namespace torvan::cli
