#include "cli/render/SymbologyPair.h"

#include <optional>
#include <string>
#include <vector>

#include "model/Ascii.h"
#include "model/DisplayText.h"
#include "model/SymbologyNames.h"

namespace varnholt::cli {
namespace {

// One name of a pair: the main symbology or the carrier it names, or neither.
struct Named {
    std::optional<Symbology> linear;
    std::optional<DataCarrier> carrier;
};

Named Find(std::string_view name) {
    for (std::size_t i = 0; i < kMainSymbologies; ++i) {
        if (EqualsIgnoringCase(name, kSymbologyNames[i].name)) {
            return {kSymbologyNames[i].symbology, std::nullopt};
        }
    }
    for (const DataCarrierName& carrier : kDataCarrierNames) {
        if (EqualsIgnoringCase(name, carrier.name)) {
            return {std::nullopt, carrier.carrier};
        }
    }
    return {};
}

std::string Example() {
    return std::string(kSymbologyNames[0].name) + "," +
           std::string(kDataCarrierNames[static_cast<std::size_t>(DataCarrier::DataMatrix)].name);
}

}  // namespace

Result<SymbologyPair> ReadSymbologyPair(std::string_view text) {
    const auto refuse = [text](const std::string& why) {
        return Result<SymbologyPair>::Failure(ErrorKind::Usage, SafeText(text) + ": " + why);
    };
    const std::size_t comma = text.find(',');
    const std::string_view first = text.substr(0, comma);
    const std::string_view second =
        comma == std::string_view::npos ? std::string_view() : text.substr(comma + 1);
    const Named a = Find(first);
    const Named b = Find(second);
    for (const auto& [name, found] : {std::pair{first, a}, std::pair{second, b}}) {
        if (!found.linear && !found.carrier) {
            std::string names;
            for (std::size_t i = 0; i < kMainSymbologies; ++i) {
                names += std::string(kSymbologyNames[i].name) + ", ";
            }
            for (const DataCarrierName& carrier : kDataCarrierNames) {
                names += std::string(carrier.name) + ", ";
            }
            return refuse("\"" + SafeText(name) + "\" is none of " +
                          names.substr(0, names.size() - 2));
        }
    }
    if (a.linear && b.carrier) {
        return SymbologyPair{*a.linear, *b.carrier};
    }
    if (a.carrier && b.linear) {
        return refuse("give the EAN/UPC symbology first, then the GS1 carrier: " +
                      std::string(second) + "," + std::string(first));
    }
    return refuse(std::string(a.linear ? "two EAN/UPC symbologies" : "two GS1 carriers") +
                  "; a pair is an EAN/UPC symbology and a GS1 carrier, e.g. " + Example());
}

Result<render::ReviewedOptions> CarrierOptionsOf(const render::Options& linear,
                                                 DataCarrier carrier) {
    render::Options options = linear;
    options.gs1.carrier = carrier;
    options.barHeightMm.reset();  // --height is the EAN/UPC symbol's
    return render::Review(options);
}

std::vector<std::string> PairNames() {
    std::vector<std::string> names;
    for (std::size_t i = 0; i < kMainSymbologies; ++i) {
        for (const DataCarrierName& carrier : kDataCarrierNames) {
            names.push_back(std::string(kSymbologyNames[i].name) + "," + std::string(carrier.name));
        }
    }
    return names;
}

}  // namespace varnholt::cli
