#pragma once

#include <cassert>
#include <string>
#include <utility>
#include <variant>

namespace varnholt::render {

// What a request came to: a value, or a message that says what is wrong and where. The render
// layer reports every refusal this way; nothing it is asked to do throws.
template <class T>
class Result {
  public:
    Result(T value) : outcome_(std::move(value)) {}  // NOLINT(google-explicit-constructor)

    // A refusal with its message, e.g. "X-dimension 0.2 mm is outside 0.264 to 0.660 mm".
    static Result Failure(std::string message) { return Result(Message{std::move(message)}); }

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
        const auto* message = std::get_if<Message>(&outcome_);
        return message != nullptr ? message->text : none;
    }

  private:
    struct Message {
        std::string text;
    };
    explicit Result(Message message) : outcome_(std::move(message)) {}

    std::variant<T, Message> outcome_;
};

// The result of a step that gives nothing back but may be refused.
struct Done {};

}  // namespace varnholt::render
