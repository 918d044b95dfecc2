// Reads GS1 data line by line from standard input and prints one verdict a line, for scripts
// that hold the readings against other programs and against themselves.
//
//   gs1_verdicts check [--no-associations]   "valid", or "invalid" and the fault, tab-separated
//   gs1_verdicts roundtrip                   "same", "nokey" or "invalid", or "differs" and how:
//                                            bracketed text read, then its bracketed form, its
//                                            scanner data and its Digital Link URI read back

#include <algorithm>
#include <iostream>
#include <string>
#include <utility>
#include <vector>

#include "model/gs1/Bracketed.h"
#include "model/gs1/DigitalLink.h"
#include "model/gs1/ScannerData.h"

namespace {

using namespace varnholt::gs1;

std::vector<std::pair<std::string, std::string>> Sorted(const Reading& reading) {
    std::vector<std::pair<std::string, std::string>> elements;
    for (std::size_t i = 0; i < reading.Size(); ++i) {
        elements.emplace_back(reading[i].ai, reading[i].value);
    }
    std::ranges::sort(elements);
    return elements;
}

std::string RoundTrip(const std::string& line) {
    const ReadOptions lenient{.associations = false};
    const auto reading = ReadBracketed(line, lenient);
    if (!reading) {
        return "invalid\t" + reading.Error();
    }
    const auto again = ReadBracketed(BracketedText(*reading), lenient);
    if (!again || !(*again == *reading)) {
        return "differs\tbracketed " + BracketedText(*reading);
    }
    const auto scanned = ReadScannerData(ScannerData(*reading, Carrier::DataMatrix), lenient);
    if (!scanned || Sorted(*scanned) != Sorted(*reading)) {
        return "differs\tscanner data " + (scanned ? BracketedText(*scanned) : scanned.Error());
    }
    const auto uri = DigitalLinkUri(*reading);
    if (!uri) {
        return "nokey\t" + uri.Error();
    }
    const auto linked = ReadDigitalLink(*uri, lenient);
    if (!linked || Sorted(*linked) != Sorted(*reading)) {
        return "differs\tDigital Link " + *uri + " " +
               (linked ? BracketedText(*linked) : linked.Error());
    }
    return "same";
}

}  // namespace

int main(int argc, char** argv) {
    const std::string mode = argc > 1 ? argv[1] : "";
    if (mode != "check" && mode != "roundtrip") {
        std::cerr << "usage: gs1_verdicts check [--no-associations] | roundtrip\n";
        return 2;
    }
    const ReadOptions options{.associations =
                                  !(argc > 2 && std::string(argv[2]) == "--no-associations")};
    std::string line;
    while (std::getline(std::cin, line)) {
        if (mode == "roundtrip") {
            std::cout << RoundTrip(line) << '\n';
            continue;
        }
        const auto reading = ReadBracketed(line, options);
        std::cout << (reading ? "valid" : "invalid\t" + reading.Error()) << '\n';
    }
    return 0;
}
