#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <string_view>

namespace varnholt {

// A GS1 prefix block of ten or more three-digit prefixes, by the first digit and a range of
// second digits, and the ISO 3166-1 alpha-2 code(s) of the countries it serves.
struct CountryRange {
    std::int16_t firstDigit;
    std::int16_t secondFrom;
    std::int16_t secondTo;
    std::string_view country;
};

// A single three-digit GS1 prefix and what it stands for.
struct CountryPrefix {
    std::int16_t prefix;
    std::string_view country;
};

// Prefix blocks, matched on the number's first two digits before single prefixes are sought.
// No row starts with 2, nor with 9 followed by 2: those prefixes serve no country.
inline constexpr std::array<CountryRange, 20> CountryRanges{{
    {0, 0, 9, "US-CA"}, {1, 0, 3, "US-CA"},    {3, 0, 7, "FR-MC"},    {4, 0, 4, "DE"},
    {4, 5, 5, "JP"},    {4, 9, 9, "JP"},       {4, 6, 6, "RU"},       {5, 0, 0, "GB"},
    {5, 4, 4, "BE-LU"}, {5, 7, 7, "DK-FO-GL"}, {6, 4, 4, "FI"},       {7, 0, 0, "NO"},
    {7, 3, 3, "SE"},    {7, 6, 6, "CH-LI"},    {8, 0, 3, "IT-SM-VA"}, {8, 4, 4, "ES-AD"},
    {8, 7, 7, "NL"},    {9, 0, 1, "AT"},       {9, 3, 3, "AU"},       {9, 4, 4, "NZ"},
}};

// Single GS1 prefixes, strictly ascending.
inline constexpr std::array<CountryPrefix, 95> CountryPrefixes{{
    {380, "BG"}, {383, "SI"},   {385, "HR"},   {387, "BA"},   {389, "ME"}, {470, "KG"}, {471, "TW"},
    {474, "EE"}, {475, "LV"},   {476, "AZ"},   {477, "LT"},   {478, "UZ"}, {479, "LK"}, {480, "PH"},
    {481, "BY"}, {482, "UA"},   {484, "MD"},   {485, "AM"},   {486, "GE"}, {487, "KZ"}, {488, "TJ"},
    {520, "GR"}, {521, "GR"},   {528, "LB"},   {529, "CY"},   {531, "MK"}, {535, "MT"}, {539, "IE"},
    {560, "PT"}, {569, "IS"},   {590, "PL"},   {594, "RO"},   {599, "HU"}, {603, "GH"}, {604, "SN"},
    {608, "BH"}, {609, "MU"},   {611, "MA"},   {613, "DZ"},   {615, "NG"}, {616, "KE"}, {618, "CI"},
    {619, "TN"}, {621, "SY"},   {622, "EG"},   {624, "LY"},   {625, "JO"}, {626, "IR"}, {627, "KW"},
    {628, "SA"}, {629, "AE"},   {690, "CN"},   {691, "CN"},   {692, "CN"}, {693, "CN"}, {694, "CN"},
    {695, "CN"}, {740, "GT"},   {741, "SV"},   {742, "HN"},   {743, "NI"}, {745, "PA"}, {746, "DO"},
    {750, "MX"}, {759, "VE"},   {770, "CO"},   {771, "CO"},   {773, "UY"}, {775, "PE"}, {777, "BO"},
    {779, "AR"}, {780, "CL"},   {784, "PY"},   {785, "PE"},   {786, "EC"}, {789, "BR"}, {790, "BR"},
    {850, "CU"}, {858, "SK"},   {859, "CZ"},   {860, "RS"},   {865, "MN"}, {867, "KP"}, {868, "TR"},
    {869, "TR"}, {880, "KR"},   {885, "TH"},   {890, "IN"},   {893, "VN"}, {896, "PK"}, {899, "ID"},
    {955, "MY"}, {977, "ISSN"}, {978, "ISBN"}, {979, "ISMN"},
}};

namespace tables {

constexpr bool InSomeRange(std::int16_t prefix) {
    return std::ranges::any_of(CountryRanges, [prefix](const CountryRange& range) {
        const int first = prefix / 100;
        const int second = prefix / 10 % 10;
        return range.firstDigit == first && second >= range.secondFrom && second <= range.secondTo;
    });
}

}  // namespace tables

static_assert(CountryPrefixes.front().prefix == 380 && CountryPrefixes.back().prefix == 979);
static_assert(std::ranges::adjacent_find(CountryPrefixes, std::ranges::greater_equal{},
                                         &CountryPrefix::prefix) == CountryPrefixes.end(),
              "single prefixes are strictly ascending");
static_assert(std::ranges::none_of(CountryPrefixes,
                                   [](const CountryPrefix& p) {
                                       return tables::InSomeRange(p.prefix);
                                   }),
              "no single prefix falls into a block, so every prefix maps to one text at most");

}  // namespace varnholt
