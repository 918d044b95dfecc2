#include "model/gs1/DigitalLink.h"

#include <algorithm>
#include <array>
#include <cstddef>

#include "model/gs1/AiLookup.h"
#include "model/gs1/CharacterSets.h"
#include "model/gs1/Faults.h"

namespace varnholt::gs1 {
namespace {

constexpr std::string_view kSyntax = "Digital Link";
constexpr std::size_t kMostSegments = 2 * Reading::kMostElements;
using Buffer = std::array<char, Reading::kMostCharacters>;

bool StartsWithCaseless(std::string_view text, std::string_view start) noexcept {
    return text.size() >= start.size() &&
           std::ranges::equal(text.substr(0, start.size()), start, [](char a, char b) {
               return (a >= 'A' && a <= 'Z' ? static_cast<char>(a - 'A' + 'a') : a) == b;
           });
}

int HexValue(char c) noexcept {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    return -1;
}

// `raw` with its percent-encoding decoded: the text itself when it has none, else a copy in
// `buffer`. `position` is where raw starts in the URI, for the fault.
Result<std::string_view> Decoded(std::string_view raw, std::size_t position, Buffer& buffer) {
    if (raw.find('%') == std::string_view::npos) {
        return raw;
    }
    std::size_t length = 0;
    for (std::size_t i = 0; i < raw.size() && length < buffer.size(); ++i) {
        if (raw[i] != '%') {
            buffer[length++] = raw[i];
            continue;
        }
        const int high = i + 1 < raw.size() ? HexValue(raw[i + 1]) : -1;
        const int low = i + 2 < raw.size() ? HexValue(raw[i + 2]) : -1;
        if (high < 0 || low < 0) {
            return Refused<std::string_view>(
                SyntaxFault(kSyntax, "'%' without two hexadecimal digits", position + i + 1));
        }
        buffer[length++] = static_cast<char>(high * 16 + low);
        i += 2;
    }
    return std::string_view(buffer.data(), length);
}

// The place of `ai` in the comma-separated `sequence`, counted from 1; 0 when it is not there.
std::size_t PlaceIn(std::string_view sequence, std::string_view ai) noexcept {
    std::size_t place = 1;
    while (!sequence.empty()) {
        const std::size_t comma = sequence.find(',');
        if (sequence.substr(0, comma) == ai) {
            return place;
        }
        sequence.remove_prefix(comma == std::string_view::npos ? sequence.size() : comma + 1);
        ++place;
    }
    return 0;
}

// How many of the qualifiers `given`, in the order the path has them, keep the order of one
// of the key's sequences `sequences` ("22,10,21|235"): all of them when the order is right.
std::size_t InOrder(std::string_view sequences,
                    const std::array<std::string_view, kMostSegments>& given, std::size_t count) {
    std::size_t best = 0;
    while (true) {
        const std::size_t end = sequences.find('|');
        const std::string_view sequence = sequences.substr(0, end);
        std::size_t matched = 0;
        std::size_t lastPlace = 0;
        while (matched < count) {
            const std::size_t place = PlaceIn(sequence, given[matched]);
            if (place <= lastPlace) {
                break;
            }
            lastPlace = place;
            ++matched;
        }
        best = std::max(best, matched);
        if (best == count || end == std::string_view::npos) {
            return best;
        }
        sequences.remove_prefix(end + 1);
    }
}

Result<Done> AddDecoded(Reading& reading, std::string_view ai, std::string_view raw,
                        std::size_t position, Buffer& buffer) {
    Result<std::string_view> value = Decoded(raw, position, buffer);
    if (!value) {
        return Result<Done>::FailureOf(value);
    }
    // A GTIN-8, -12 or -13 is the GTIN-14 with leading zeros.
    const std::string_view digits = *value;
    if (ai == "01" && (digits.size() == 8 || digits.size() == 12 || digits.size() == 13) &&
        FirstOutside(CharacterSet::Numeric, digits) == digits.size()) {
        std::array<char, 14> gtin{};
        std::ranges::fill(gtin, '0');
        std::ranges::copy(digits, gtin.end() - static_cast<std::ptrdiff_t>(digits.size()));
        return reading.Add(ai, {gtin.data(), gtin.size()});
    }
    return reading.Add(ai, digits);
}

void AppendEncoded(std::string& text, std::string_view value) {
    constexpr std::string_view hex = "0123456789ABCDEF";
    for (const char c : value) {
        const bool unreserved = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') ||
                                (c >= '0' && c <= '9') || c == '-' || c == '.' || c == '_' ||
                                c == '~';
        if (unreserved) {
            text += c;
        } else {
            const auto byte = static_cast<unsigned char>(c);
            text += '%';
            text += hex[byte >> 4];
            text += hex[byte & 0xF];
        }
    }
}

}  // namespace

Result<Reading> ReadDigitalLink(std::string_view uri, const ReadOptions& options) {
    std::size_t at = 0;
    if (StartsWithCaseless(uri, "https://")) {
        at = 8;
    } else if (StartsWithCaseless(uri, "http://")) {
        at = 7;
    } else {
        return Refused<Reading>(SyntaxFault(kSyntax, "not an http or https URI"));
    }
    const std::size_t pathStart = std::min(uri.size(), uri.find_first_of("/?#", at));
    if (pathStart == at) {
        return Refused<Reading>(SyntaxFault(kSyntax, "no domain", at + 1));
    }
    const std::size_t queryStart = std::min(uri.size(), uri.find_first_of("?#", pathStart));
    const std::size_t fragmentStart = std::min(uri.size(), uri.find('#', queryStart));

    // The path's segments and where each starts.
    std::array<std::string_view, kMostSegments> segments{};
    std::array<std::size_t, kMostSegments> starts{};
    std::size_t count = 0;
    for (std::size_t i = pathStart; i < queryStart;) {
        const std::size_t end = std::min(queryStart, uri.find('/', i + 1));
        if (count == kMostSegments) {
            return Refused<Reading>(SyntaxFault(kSyntax, "too many path segments", i + 1));
        }
        starts[count] = i + 1;
        segments[count++] = uri.substr(i + 1, end - i - 1);
        i = end;
    }
    // The key and its qualifiers are pairs at the end of the path; whatever stands before the
    // key is the resolver's own.
    std::size_t key = count;
    for (std::size_t end = count; end >= 2; end -= 2) {
        const AiEntry* entry = FindAi(segments[end - 2]);
        if (entry == nullptr) {
            break;
        }
        if (entry->primaryKey) {
            key = end - 2;
            break;
        }
    }
    if (key == count) {
        return Refused<Reading>(SyntaxFault(kSyntax, "no primary key in the path"));
    }
    std::array<std::string_view, kMostSegments> qualifiers{};
    std::size_t qualifierCount = 0;
    for (std::size_t i = key + 2; i < count; i += 2) {
        qualifiers[qualifierCount++] = segments[i];
    }
    const AiEntry* keyEntry = FindAi(segments[key]);
    if (const std::size_t broken = InOrder(keyEntry->qualifiers, qualifiers, qualifierCount);
        broken < qualifierCount) {
        return Refused<Reading>(AiFault(
            qualifiers[broken],
            "not a key qualifier of AI (" + std::string(segments[key]) + ") in this place"));
    }
    Reading reading;
    Buffer buffer;
    for (std::size_t i = key; i < count; i += 2) {
        if (Result<Done> added =
                AddDecoded(reading, segments[i], segments[i + 1], starts[i + 1], buffer);
            !added) {
            return Result<Reading>::FailureOf(added);
        }
    }
    for (std::size_t i = queryStart + 1; i < fragmentStart;) {
        const std::size_t end = std::min(fragmentStart, uri.find('&', i));
        const std::string_view parameter = uri.substr(i, end - i);
        const std::size_t equals = std::min(parameter.size(), parameter.find('='));
        const std::string_view name = parameter.substr(0, equals);
        if (!name.empty() && FirstOutside(CharacterSet::Numeric, name) == name.size()) {
            const AiEntry* entry = FindAi(name);
            if (entry == nullptr) {
                return Refused<Reading>(AiFault(name, "no such AI"));
            }
            if (!entry->dataAttribute) {
                return Refused<Reading>(AiFault(name, "not a Digital Link data attribute"));
            }
            const std::string_view raw = parameter.substr(std::min(parameter.size(), equals + 1));
            if (Result<Done> added = AddDecoded(reading, name, raw, i + equals + 1, buffer);
                !added) {
                return Result<Reading>::FailureOf(added);
            }
        }
        i = end + 1;
    }
    if (Result<Done> associated = CheckAssociations(reading, options); !associated) {
        return Result<Reading>::FailureOf(associated);
    }
    return reading;
}

Result<std::string> DigitalLinkUri(const Reading& reading, std::string_view stem) {
    std::size_t key = reading.Size();
    for (std::size_t i = 0; i < reading.Size() && key == reading.Size(); ++i) {
        key = reading[i].entry->primaryKey ? i : key;
    }
    if (key == reading.Size()) {
        return Refused<std::string>(SyntaxFault(kSyntax, "no primary key among the AIs"));
    }
    const Element keyElement = reading[key];
    // The sequence of qualifiers that takes in the most of the reading and leaves in the
    // query only what may go there.
    std::string_view sequences = keyElement.entry->qualifiers;
    std::array<bool, Reading::kMostElements> inPath{};
    std::string_view chosen;
    std::size_t chosenCount = 0;
    bool found = false;
    std::string refusal;
    while (true) {
        const std::size_t end = sequences.find('|');
        const std::string_view sequence = sequences.substr(0, end);
        std::size_t held = 0;
        std::string fault;
        for (std::size_t i = 0; i < reading.Size(); ++i) {
            const std::string_view ai = reading[i].ai;
            const bool qualifier = PlaceIn(sequence, ai) != 0;
            held += qualifier ? 1 : 0;
            if (i != key && !qualifier && !reading[i].entry->dataAttribute && fault.empty()) {
                fault = AiFault(ai, "cannot go into a Digital Link URI with AI (" +
                                        std::string(keyElement.ai) + ")");
            }
        }
        if (fault.empty() && (!found || held > chosenCount)) {
            chosen = sequence;
            chosenCount = held;
            found = true;
        } else if (!fault.empty() && refusal.empty()) {
            refusal = fault;
        }
        if (end == std::string_view::npos) {
            break;
        }
        sequences.remove_prefix(end + 1);
    }
    if (!found) {
        return Refused<std::string>(refusal);
    }
    std::string uri(stem);
    while (!uri.empty() && uri.back() == '/') {
        uri.pop_back();
    }
    uri += '/';
    uri += keyElement.ai;
    uri += '/';
    AppendEncoded(uri, keyElement.value);
    inPath[key] = true;
    for (std::string_view rest = chosen; !rest.empty();) {
        const std::size_t comma = rest.find(',');
        const std::string_view qualifier = rest.substr(0, comma);
        rest.remove_prefix(comma == std::string_view::npos ? rest.size() : comma + 1);
        for (std::size_t i = 0; i < reading.Size(); ++i) {
            if (reading[i].ai == qualifier && !inPath[i]) {
                uri += '/';
                uri += qualifier;
                uri += '/';
                AppendEncoded(uri, reading[i].value);
                inPath[i] = true;
            }
        }
    }
    char separator = '?';
    for (std::size_t i = 0; i < reading.Size(); ++i) {
        if (!inPath[i]) {
            uri += separator;
            uri += reading[i].ai;
            uri += '=';
            AppendEncoded(uri, reading[i].value);
            separator = '&';
        }
    }
    return uri;
}

}  // namespace varnholt::gs1
