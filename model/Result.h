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

// The same for an operation that hands something back: `value` is what a
// success made, and a default value after a failure.
template <typename T>
struct [[nodiscard]] ResultOf : Result {
    T value{};

    static ResultOf Success(T made) { return ResultOf{Result::Success(), std::move(made)}; }
    static ResultOf Failure(std::string message, std::string why = {}) {
        return ResultOf{Result::Failure(std::move(message), std::move(why)), T{}};
    }
};

}  // namespace torvan
