#pragma once

#include <string>
#include <utility>

namespace torvan {

// What an operation that can fail tells its caller: success, or a sentence
// the user can read, with the operating system's reason when one is known.
struct [[nodiscard]] Result {
    bool ok = false;
    std::string error;
    std::string reason;

    static Result Success() { return Result{true, {}, {}}; }
    static Result Failure(std::string message, std::string why = {}) {
        return Result{false, std::move(message), std::move(why)};
    }
};

}  // namespace torvan
