#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "model/Result.h"

// The wordings of every fault GS1 data can have, each written here once. Four families:
//   AI (17): 271331: month 13                           a part of an AI's data and what is wrong
//   AI (01): check digit 1 is wrong, 0950600013435 needs 2
//   AI (10): needs AI (01), (02), (03), (8006) or (8026)  the AI as a whole, or among the others
//   Digital Link: no primary key in the path             the text cannot be taken apart
namespace varnholt::gs1 {

// A character as a person reads it: 'A' when printable, otherwise its byte, "byte 0x1D".
std::string CharacterName(char c);

// "AI (17): 271331: month 13": the part of the data `part` and what is wrong with it.
std::string PartFault(std::string_view ai, std::string_view part, std::string_view what);

// "AI (01): check digit 1 is wrong, 0950600013435 needs 2", or, for a pair of check characters,
// "AI (8013): check characters 2L are wrong, 1987654Ad4X4bL5ttr2310c needs 2K".
std::string CheckFault(std::string_view ai, std::string_view given, std::string_view body,
                       std::string_view needed);

// "AI (21): needs AI (01), (03) or (8006)": the AI as a whole.
std::string AiFault(std::string_view ai, std::string_view what);

// "bracketed text: no AI at character 1": where a text cannot be taken apart; `position` counts
// from 1, none when 0.
std::string SyntaxFault(std::string_view syntax, std::string_view what, std::size_t position = 0);

// The refusal of GS1 data, with one of the wordings above.
template <class T>
Result<T> Refused(std::string message) {
    return Result<T>::Failure(ErrorKind::Input, std::move(message));
}

}  // namespace varnholt::gs1
