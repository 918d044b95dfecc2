#include "sheets/PaperSize.h"

#include "sheets/Names.h"

namespace varnholt::sheets {

const PaperSize* FindPaper(const std::vector<PaperSize>& papers, std::string_view name) {
    constexpr std::string_view kUs = "US-";
    for (const PaperSize& paper : papers) {
        const std::string_view id = paper.id;
        const bool usWithout = id.size() > kUs.size() &&
                               EqualsIgnoringCase(id.substr(0, kUs.size()), kUs) &&
                               EqualsIgnoringCase(id.substr(kUs.size()), name);
        if (EqualsIgnoringCase(id, name) || usWithout) {
            return &paper;
        }
    }
    return nullptr;
}

}  // namespace varnholt::sheets
