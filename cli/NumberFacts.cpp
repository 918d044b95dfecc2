#include "cli/NumberFacts.h"

#include <algorithm>

#include "model/Country.h"
#include "model/Digit.h"
#include "model/NumberText.h"

namespace varnholt::cli {
namespace {

constexpr bool IsBlank(char c) noexcept {
    return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f';
}

}  // namespace

std::string_view TrimBlanksLongWay(std::string_view text) noexcept {
    while (!text.empty() && IsBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && IsBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

Verdict NumberExaminer::JudgeLongWay(const Line& line) {
    if (line.TooLong()) {
        return Verdict::Error;
    }
    const std::string_view text = TrimBlanks(line.text);
    if (text.empty()) {
        return Verdict::Blank;
    }
    if (ean_.Check(text)) {
        return Verdict::Valid;
    }
    return JudgeWrong(text, line);
}

Verdict NumberExaminer::JudgeWrong(std::string_view text, const Line& line) {
    // EAN computed a check digit, so the body was all digits and of the right length: when
    // the last digit is one too, only it is wrong.
    if (ean_.CheckDigit() >= 0 && IsDigit(LastKept(text))) {
        return Verdict::Invalid;
    }
    const auto* stray =
        std::ranges::find_if(text, [](char c) { return !IsDigit(c) && !IsSeparator(c); });
    if (stray != text.end()) {
        facts_.fault = Fault::NotADigit;
        const auto before = static_cast<std::uint64_t>(text.data() - line.text.data());
        const auto index = static_cast<std::size_t>(stray - text.begin());
        facts_.column = before + index + 1;
        facts_.stray = text.substr(index);
        return Verdict::Error;
    }
    facts_.fault = Fault::WrongLength;
    facts_.count = KeptLength(text);
    return Verdict::Error;
}

const NumberFacts& NumberExaminer::Examine(const Line& line) {
    // Field by field: a whole new NumberFacts would be cleared in a slow block move.
    facts_.country = {};
    facts_.fields = {};
    facts_.expectedCheckDigit = -1;
    facts_.fault = Fault::None;
    facts_.column = 0;
    facts_.stray = {};
    facts_.count = 0;
    const std::string_view text = TrimBlanks(line.text);
    facts_.number = text;
    if (line.TooLong()) {
        facts_.verdict = Verdict::Error;
        facts_.fault = Fault::TooLong;
        facts_.count = line.length;
        return facts_;
    }
    if (text.empty()) {
        facts_.verdict = Verdict::Blank;
        return facts_;
    }

    if (ean_.Check(text)) {
        facts_.verdict = Verdict::Valid;
    } else {
        facts_.verdict = JudgeWrong(text, line);
        if (facts_.verdict == Verdict::Error) {
            return facts_;
        }
        facts_.expectedCheckDigit = ean_.CheckDigit();
    }
    facts_.fields = ean_.Fields();
    // The fields and the check digit are every digit of the number once: a text that is
    // longer holds blanks or hyphens, which the country is read without, as EAN drops them.
    const EAN::FieldTexts& fields = facts_.fields;
    facts_.count =
        fields.numberSystem.size() + fields.manufacturerCode.size() + fields.productCode.size() + 1;
    std::string_view digits = text;
    if (text.size() != facts_.count) {
        CopyKept(text, digits_.data());
        digits = std::string_view(digits_.data(), facts_.count);
    }
    facts_.country = CountryOf(digits);
    return facts_;
}

}  // namespace varnholt::cli
