#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace varnholt::sheets {

// A paper size from the label templates' paper-sizes.xml.
struct PaperSize {
    std::string id;    // as templates name it: "A4", "US-Letter"
    std::string name;  // as people do: "A4", "US Letter"
    double widthMm = 0.0;
    double heightMm = 0.0;
};

// The paper `name` stands for, in any letter case: an id ("A4", "us-letter") or an id
// without its "US-" ("Letter"). nullptr when none does.
const PaperSize* FindPaper(const std::vector<PaperSize>& papers, std::string_view name);

}  // namespace varnholt::sheets
