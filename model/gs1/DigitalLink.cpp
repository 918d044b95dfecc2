#include "model/gs1/DigitalLink.h"

#include <algorithm>
#include <array>
#include <cstddef>

#include "model/gs1/AiLookup.h"
#include "model/gs1/CharacterSets.h"
#include "model/gs1/Faults.h"
#include "model/gs1/KeyQualifiers.h"

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

// Where the first character from `from` on is that `stops` holds for; text.size() when none
// is. A plain loop: the parts of a URI are too short to be worth a call to memchr, and
// find_first_of calls it on its set for every character.
template <class Stops>
std::size_t FirstWhere(std::string_view text, std::size_t from, Stops stops) noexcept {
    while (from < text.size() && !stops(text[from])) {
        ++from;
    }
    return from;
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
    if (FirstWhere(raw, 0, [](char c) { return c == '%'; }) == raw.size()) {
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

// How many of the `count` qualifiers `given(n)`, entries in the order the path has them, keep
// the order of one of the key's sequences: all of them when the order is right.
template <class Given>
std::size_t InOrder(const KeyQualifiers& qualifiers, std::size_t count, Given given) {
    std::size_t best = 0;
    for (std::size_t s = 0; s < qualifiers.count && best < count; ++s) {
        const KeyQualifiers::Sequence& sequence = qualifiers.sequences[s];
        std::size_t matched = 0;
        std::size_t lastPlace = 0;
        while (matched < count) {
            const std::size_t place = sequence.PlaceOf(given(matched));
            if (place <= lastPlace) {
                break;
            }
            lastPlace = place;
            ++matched;
        }
        best = std::max(best, matched);
    }
    return best;
}

Result<Done> AddDecoded(Reading& reading, const AiEntry& entry, std::string_view ai,
                        std::string_view raw, std::size_t position, Buffer& buffer) {
    Result<std::string_view> value = Decoded(raw, position, buffer);
    if (!value) {
        return Result<Done>::FailureOf(value);
    }
    // A GTIN-8, -12 or -13 is the GTIN-14 with leading zeros.
    const std::string_view digits = *value;
    if (SameAi(ai, "01") && (digits.size() == 8 || digits.size() == 12 || digits.size() == 13) &&
        FirstOutside(CharacterSet::Numeric, digits) == digits.size()) {
        std::array<char, 14> gtin{};
        std::ranges::fill(gtin, '0');
        std::ranges::copy(digits, gtin.end() - static_cast<std::ptrdiff_t>(digits.size()));
        return reading.Add(entry, ai, {gtin.data(), gtin.size()});
    }
    return reading.Add(entry, ai, digits);
}

// The characters a URI carries as they are, RFC 3986's unreserved ones, by byte.
constexpr std::array<bool, 256> kUnreserved = [] {
    std::array<bool, 256> unreserved{};
    for (const char c : std::string_view("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"
                                         "0123456789-._~")) {
        unreserved[static_cast<unsigned char>(c)] = true;
    }
    return unreserved;
}();

bool Unreserved(char c) noexcept {
    return kUnreserved[static_cast<unsigned char>(c)];
}

void AppendEncoded(std::string& text, std::string_view value) {
    constexpr std::string_view hex = "0123456789ABCDEF";
    while (!value.empty()) {
        // A run of characters that stand as they are goes in at once.
        const auto run =
            static_cast<std::size_t>(std::ranges::find_if_not(value, Unreserved) - value.begin());
        text += value.substr(0, run);
        if (run == value.size()) {
            return;
        }
        const auto byte = static_cast<unsigned char>(value[run]);
        text += '%';
        text += hex[byte >> 4];
        text += hex[byte & 0xF];
        value.remove_prefix(run + 1);
    }
}

}  // namespace

Result<Reading> ReadDigitalLink(std::string_view uri, const ReadOptions& options) {
    Reading reading;
    if (Result<Done> read = ReadDigitalLinkInto(uri, reading, options); !read) {
        return Result<Reading>::FailureOf(read);
    }
    return reading;
}

Result<Done> ReadDigitalLinkInto(std::string_view uri, Reading& reading,
                                 const ReadOptions& options) {
    reading.Clear();
    std::size_t at = 0;
    if (StartsWithCaseless(uri, "https://")) {
        at = 8;
    } else if (StartsWithCaseless(uri, "http://")) {
        at = 7;
    } else {
        return Refused<Done>(SyntaxFault(kSyntax, "not an http or https URI"));
    }
    const std::size_t pathStart =
        FirstWhere(uri, at, [](char c) { return c == '/' || c == '?' || c == '#'; });
    if (pathStart == at) {
        return Refused<Done>(SyntaxFault(kSyntax, "no domain", at + 1));
    }
    // One pass over the path: each segment ends at the next '/', the path at '?' or '#'.
    // Where the segments start and end is left unset beyond `count`, as it is never read
    // there, rather than cleared for every URI.
    std::array<std::size_t, kMostSegments> starts;
    std::array<std::size_t, kMostSegments> ends;
    std::size_t count = 0;
    std::size_t queryStart = pathStart;
    while (queryStart < uri.size() && uri[queryStart] == '/') {
        if (count == kMostSegments) {
            return Refused<Done>(SyntaxFault(kSyntax, "too many path segments", queryStart + 1));
        }
        const std::size_t end = FirstWhere(uri, queryStart + 1,
                                           [](char c) { return c == '/' || c == '?' || c == '#'; });
        starts[count] = queryStart + 1;
        ends[count++] = end;
        queryStart = end;
    }
    const std::size_t fragmentStart = FirstWhere(uri, queryStart, [](char c) { return c == '#'; });
    const auto segment = [&](std::size_t n) { return uri.substr(starts[n], ends[n] - starts[n]); };
    // The key and its qualifiers are pairs at the end of the path; whatever stands before the
    // key is the resolver's own. The entries of the AIs are kept, by segment, for what follows.
    std::array<const AiEntry*, kMostSegments> entries;
    std::size_t key = count;
    for (std::size_t end = count; end >= 2; end -= 2) {
        const AiEntry* entry = FindAi(segment(end - 2));
        if (entry == nullptr) {
            break;
        }
        entries[end - 2] = entry;
        if (entry->primaryKey) {
            key = end - 2;
            break;
        }
    }
    if (key == count) {
        return Refused<Done>(SyntaxFault(kSyntax, "no primary key in the path"));
    }
    // The qualifiers are every other segment after the key's data.
    const std::size_t qualifierCount = (count - key - 2) / 2;
    if (const std::size_t broken = InOrder(QualifiersOf(*entries[key]), qualifierCount,
                                           [&](std::size_t n) { return entries[key + 2 + 2 * n]; });
        broken < qualifierCount) {
        return Refused<Done>(
            AiFault(segment(key + 2 + 2 * broken),
                    "not a key qualifier of AI (" + std::string(segment(key)) + ") in this place"));
    }
    Buffer buffer;
    for (std::size_t i = key; i < count; i += 2) {
        if (Result<Done> added =
                AddDecoded(reading, *entries[i], segment(i), segment(i + 1), starts[i + 1], buffer);
            !added) {
            return added;
        }
    }
    for (std::size_t i = queryStart + 1; i < fragmentStart;) {
        const std::size_t end =
            FirstWhere(uri.substr(0, fragmentStart), i, [](char c) { return c == '&'; });
        const std::string_view parameter = uri.substr(i, end - i);
        const std::size_t equals = FirstWhere(parameter, 0, [](char c) { return c == '='; });
        const std::string_view name = parameter.substr(0, equals);
        if (!name.empty() && FirstOutside(CharacterSet::Numeric, name) == name.size()) {
            const AiEntry* entry = FindAi(name);
            if (entry == nullptr) {
                return Refused<Done>(AiFault(name, "no such AI"));
            }
            if (!entry->dataAttribute) {
                return Refused<Done>(AiFault(name, "not a Digital Link data attribute"));
            }
            const std::string_view raw = parameter.substr(std::min(parameter.size(), equals + 1));
            if (Result<Done> added = AddDecoded(reading, *entry, name, raw, i + equals + 1, buffer);
                !added) {
                return added;
            }
        }
        i = end + 1;
    }
    return CheckAssociations(reading, options);
}

Result<std::string> DigitalLinkUri(const Reading& reading, std::string_view stem) {
    std::string uri;
    if (Result<Done> made = AppendDigitalLinkUri(reading, stem, uri); !made) {
        return Result<std::string>::FailureOf(made);
    }
    return uri;
}

Result<Done> AppendDigitalLinkUri(const Reading& reading, std::string_view stem, std::string& uri) {
    std::size_t key = reading.Size();
    for (std::size_t i = 0; i < reading.Size() && key == reading.Size(); ++i) {
        key = reading[i].entry->primaryKey ? i : key;
    }
    if (key == reading.Size()) {
        return Refused<Done>(SyntaxFault(kSyntax, "no primary key among the AIs"));
    }
    const Element keyElement = reading[key];
    // The sequence of qualifiers that takes in the most of the reading and leaves in the
    // query only what may go there; failing that, the first sequence's first AI that can go
    // nowhere is refused.
    const KeyQualifiers& qualifiers = QualifiersOf(*keyElement.entry);
    const KeyQualifiers::Sequence* chosen = nullptr;
    std::size_t chosenCount = 0;
    std::size_t refused = reading.Size();
    for (std::size_t s = 0; s < qualifiers.count; ++s) {
        const KeyQualifiers::Sequence& sequence = qualifiers.sequences[s];
        std::size_t held = 0;
        std::size_t outcast = reading.Size();
        // The key is none of its own qualifiers; after the first AI that cannot go, the
        // sequence is out.
        for (std::size_t i = 0; i < reading.Size() && outcast == reading.Size(); ++i) {
            if (i == key) {
                continue;
            }
            const bool qualifier = sequence.PlaceOf(reading[i].entry) != 0;
            held += qualifier ? 1 : 0;
            outcast = !qualifier && !reading[i].entry->dataAttribute ? i : outcast;
        }
        if (outcast == reading.Size() && (chosen == nullptr || held > chosenCount)) {
            chosen = &sequence;
            chosenCount = held;
        } else if (outcast != reading.Size() && refused == reading.Size()) {
            refused = outcast;
        }
    }
    if (chosen == nullptr) {
        return Refused<Done>(AiFault(
            reading[refused].ai,
            "cannot go into a Digital Link URI with AI (" + std::string(keyElement.ai) + ")"));
    }
    while (!stem.empty() && stem.back() == '/') {
        stem.remove_suffix(1);
    }
    uri += stem;
    uri += '/';
    uri += keyElement.ai;
    uri += '/';
    AppendEncoded(uri, keyElement.value);
    std::array<bool, Reading::kMostElements> inPath{};
    inPath[key] = true;
    for (std::size_t q = 0; q < chosen->count; ++q) {
        for (std::size_t i = 0; i < reading.Size(); ++i) {
            if (reading[i].entry == chosen->entries[q] && !inPath[i]) {
                uri += '/';
                uri += reading[i].ai;
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
    return Done{};
}

}  // namespace varnholt::gs1
