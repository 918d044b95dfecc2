#pragma once

#include <cassert>
#include <cstdint>
#include <string>
#include <utility>
#include <variant>

namespace varnholt {

// Whose a refusal is, from which a caller decides what follows (an exit status, a dialog).
enum class ErrorKind : std::uint8_t {
    Usage,   // the request cannot be met as asked: a size, a resolution, a colour, a name
    Input,   // the data given is wrong: a number, a record, an element string
    Output,  // a file could not be made or written, or the system failed
};

// What a request came to: a value, or a refusal of a kind with a message that says what is
// wrong and where. Every room reports its refusals this way; nothing crosses an interface
// as an exception.
template <class T>
class Result {
  public:
    Result(T value) : outcome_(std::move(value)) {}  // NOLINT(google-explicit-constructor)

    // A refusal, e.g. of kind Usage with "X-dimension 0.2 mm is outside 0.264 to 0.66 mm".
    static Result Failure(ErrorKind kind, std::string message) {
        return Result(Refusal{kind, std::move(message)});
    }
    // The refusal of another result, whose value is of another type.
    template <class U>
    static Result FailureOf(const Result<U>& other) {
        return Failure(other.Kind(), other.Error());
    }

    explicit operator bool() const noexcept { return std::holds_alternative<T>(outcome_); }

    // The value; only when there is one.
    const T& operator*() const& {
        assert(*this);
        return std::get<T>(outcome_);
    }
    T&& operator*() && {
        assert(*this);
        return std::get<T>(std::move(outcome_));
    }
    const T* operator->() const {
        assert(*this);
        return &std::get<T>(outcome_);
    }

    // Why there is no value; empty when there is one.
    const std::string& Error() const noexcept {
        static const std::string none;
        const auto* refusal = std::get_if<Refusal>(&outcome_);
        return refusal != nullptr ? refusal->message : none;
    }
    // Whose the refusal is; only when there is one.
    ErrorKind Kind() const noexcept {
        const auto* refusal = std::get_if<Refusal>(&outcome_);
        return refusal != nullptr ? refusal->kind : ErrorKind::Usage;
    }

  private:
    struct Refusal {
        ErrorKind kind;
        std::string message;
    };
    explicit Result(Refusal refusal) : outcome_(std::move(refusal)) {}

    std::variant<T, Refusal> outcome_;
};

// The result of a step that gives nothing back but may be refused.
struct Done {};

}  // namespace varnholt
