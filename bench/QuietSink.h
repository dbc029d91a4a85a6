#pragma once

#include <string>

#include "link/TransferSink.h"

namespace torvan::bench {

// A transfer's listener that shows nothing and keeps the failure message.
class QuietSink final : public TransferSink {
public:
    void DisableButtons() override {}
    void ShowProgress(int, int, const std::string&) override {}
    void ShowFailure(const Result& outcome) override { failure = outcome.error; }
    void Finished(bool) override {}
    std::string failure;
};

}  // namespace torvan::bench
