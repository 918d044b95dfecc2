#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "model/Result.h"
#include "sheets/PaperSize.h"
#include "sheets/SheetGeometry.h"

namespace varnholt::sheets {

// Where Debian's glabels-data puts the label template files.
inline constexpr std::string_view kDefaultTemplatesFolder = "/usr/share/libglabels-3.0/templates";
// The environment variable that names another folder of template files.
inline constexpr std::string_view kTemplatesVariable = "VARNHOLT_LABEL_TEMPLATES";

// A product of label stock: sheets of labels sold under a brand and part number.
struct LabelProduct {
    std::string brand;                    // "Avery"
    std::string part;                     // "5160"
    std::string description;              // "Address Labels"
    std::vector<std::string> categories;  // e.g. "label", "mail"
    // The product whose sheets it shares, e.g. "Avery 5160" for Avery 8160; empty when the
    // files give it a geometry of its own.
    std::string equivalentTo;
    SheetGeometry geometry;

    // "BRAND PART", e.g. "Avery 5160".
    std::string Name() const { return brand + " " + part; }
};

// The label stock described by a folder of gLabels template files: its *-templates.xml and
// paper-sizes.xml, read as they stand.
class LabelStock {
  public:
    // Reads every .xml file in `folder`. A template or paper size that cannot be read is left
    // out and said so in Skipped(). Refused with a message naming the folder, and the Debian
    // package that brings it, when it is missing or holds neither templates nor paper sizes.
    static Result<LabelStock> Read(const std::filesystem::path& folder);

    // Every product, equivalents included, by brand and then part, numbers in their order.
    const std::vector<LabelProduct>& Products() const noexcept { return products_; }
    // The paper sizes templates name.
    const std::vector<PaperSize>& Papers() const noexcept { return papers_; }
    // The entries left out, each "FILE:LINE: what is wrong".
    const std::vector<std::string>& Skipped() const noexcept { return skipped_; }

    // The product named "BRAND PART" in any letter case, e.g. "avery l7160". Refused, with
    // similar names when there are any (the part under other brands, similar parts of the
    // brand), when there is none.
    Result<LabelProduct> Find(std::string_view name) const;

  private:
    std::vector<LabelProduct> products_;
    std::vector<PaperSize> papers_;
    std::vector<std::string> skipped_;
    std::unordered_map<std::string, std::size_t> byName_;  // lower-case names
};

// The folder to read: the environment's VARNHOLT_LABEL_TEMPLATES when set and not empty,
// kDefaultTemplatesFolder otherwise.
std::filesystem::path TemplatesFolder();

// The stock in TemplatesFolder(), read on the first call and kept for the rest of the run.
const Result<LabelStock>& InstalledLabelStock();

}  // namespace varnholt::sheets
