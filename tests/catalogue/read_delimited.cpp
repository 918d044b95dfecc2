// Prints the records DelimitedReader reads from a file, for the end-to-end comparison with
// Python's csv module: first "delimiter N" (its byte value), then for each record a line
// "LINE LENGTH FAULT COUNT" and each field as "SIZE:BYTES" on a line of its own.
//
// Usage: read_delimited FILE [DELIMITER [LONGEST]]; DELIMITER is ",", ";", "tab" or "find".

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <optional>
#include <string>
#include <string_view>

#include "catalogue/ByteSource.h"
#include "catalogue/DelimitedReader.h"

namespace {

const char* FaultName(varnholt::catalogue::RecordFault fault) {
    using varnholt::catalogue::RecordFault;
    switch (fault) {
        case RecordFault::None:
            return "none";
        case RecordFault::TooLong:
            return "too-long";
        case RecordFault::QuoteInUnquotedField:
            return "quote-in-unquoted-field";
        case RecordFault::TextAfterClosingQuote:
            return "text-after-closing-quote";
        case RecordFault::UnterminatedQuote:
            return "unterminated-quote";
    }
    return "?";
}

}  // namespace

int main(int argc, char** argv) {
    using namespace varnholt::catalogue;
    if (argc < 2) {
        std::fputs("usage: read_delimited FILE [DELIMITER [LONGEST]]\n", stderr);
        return 2;
    }
    const std::string_view name = argc > 2 ? argv[2] : "find";
    std::optional<char> delimiter;
    if (name == "tab") {
        delimiter = '\t';
    } else if (name != "find") {
        delimiter = name.front();
    }
    const std::size_t longest = argc > 3 ? std::stoul(argv[3]) : kLongestRecord;
    varnholt::Result<InputFile> opened = InputFile::Open(argv[1]);
    if (!opened) {
        std::fprintf(stderr, "read_delimited: %s\n", opened.Error().c_str());
        return 1;
    }
    InputFile input = *std::move(opened);
    {
        DelimitedReader reader(input, delimiter, longest);
        std::printf("delimiter %d\n", reader.Delimiter());
        Record record;
        while (reader.Next(record)) {
            std::printf("%llu %llu %s %zu\n", static_cast<unsigned long long>(record.line),
                        static_cast<unsigned long long>(record.length), FaultName(record.fault),
                        record.fields.size());
            for (const std::string_view field : record.fields) {
                std::printf("%zu:", field.size());
                std::fwrite(field.data(), 1, field.size(), stdout);
                std::putchar('\n');
            }
        }
        if (!reader.Status()) {
            std::fprintf(stderr, "read_delimited: %s\n", reader.Status().Error().c_str());
            return 1;
        }
    }
    return 0;
}
