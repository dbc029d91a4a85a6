#pragma once

#include <string>
#include <utility>

namespace torvan {

// What an operation that can fail tells its caller: success, or a sentence
// the user can read.
struct [[nodiscard]] Result {
    bool ok = false;
    std::string error;

    static Result Success() { return Result{true, {}}; }
    static Result Failure(std::string message) { return Result{false, std::move(message)}; }
};

}  // namespace torvan
