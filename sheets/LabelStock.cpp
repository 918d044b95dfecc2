#include "sheets/LabelStock.h"

#include <algorithm>
#include <cstdlib>
#include <system_error>

#include "sheets/Names.h"
#include "sheets/TemplateFile.h"
#include "sheets/XmlElement.h"

namespace varnholt::sheets {
namespace {

constexpr std::size_t kMostSuggestions = 8;

// `text` lower-cased with its runs of spaces made one, as names are compared.
std::string NameKey(std::string_view text) {
    std::string key;
    for (const char c : Lowered(text)) {
        const bool space = c == ' ' || c == '\t';
        if (!space) {
            key += c;
        } else if (!key.empty() && key.back() != ' ') {
            key += ' ';
        }
    }
    if (!key.empty() && key.back() == ' ') {
        key.pop_back();
    }
    return key;
}

std::string Key(std::string_view brand, std::string_view part) {
    return NameKey(std::string(brand) + " " + std::string(part));
}

std::vector<std::filesystem::path> XmlFiles(const std::filesystem::path& folder) {
    std::vector<std::filesystem::path> files;
    std::error_code error;
    for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end;
         it.increment(error)) {
        if (it->path().extension() == ".xml") {
            files.push_back(it->path());
        }
    }
    std::sort(files.begin(), files.end());
    return files;
}

}  // namespace

Result<LabelStock> LabelStock::Read(const std::filesystem::path& folder) {
    const std::string missing = "install Debian's glabels-data package, or set " +
                                std::string(kTemplatesVariable) +
                                " to a folder of gLabels template files";
    std::error_code error;
    if (!std::filesystem::is_directory(folder, error)) {
        return Result<LabelStock>::Failure(
            ErrorKind::Output,
            "no label templates: the folder " + folder.string() + " is missing; " + missing);
    }
    TemplateFileContents contents;
    for (const std::filesystem::path& file : XmlFiles(folder)) {
        const Result<XmlElement> root = ReadXmlFile(file);
        if (!root) {
            contents.skipped.push_back(root.Error());
            continue;
        }
        ReadTemplateFile(*root, file.filename().string(), contents);
    }
    if (contents.templates.empty() && contents.papers.empty()) {
        return Result<LabelStock>::Failure(
            ErrorKind::Output, "no label templates in " + folder.string() + "; " + missing);
    }

    LabelStock stock;
    stock.papers_ = std::move(contents.papers);
    stock.skipped_ = std::move(contents.skipped);
    std::vector<TemplateEntry>& entries = contents.templates;

    // Pages looked up first, so that an equivalent finds whether its source could be read.
    std::unordered_map<std::string, std::size_t> byKey;
    std::vector<bool> readable(entries.size(), true);
    for (std::size_t i = 0; i < entries.size(); ++i) {
        TemplateEntry& entry = entries[i];
        if (!byKey.emplace(Key(entry.brand, entry.part), i).second) {
            stock.skipped_.push_back(entry.where + ": " + entry.brand + " " + entry.part +
                                     ": another template has that name");
            readable[i] = false;
            continue;
        }
        if (!entry.equivalentPart.empty() || entry.geometry.pageWidthMm != 0.0) {
            continue;
        }
        const PaperSize* paper = FindPaper(stock.papers_, entry.paperId);
        if (paper == nullptr) {
            stock.skipped_.push_back(entry.where + ": " + entry.brand + " " + entry.part +
                                     ": paper size \"" + entry.paperId +
                                     "\" is not in paper-sizes.xml");
            readable[i] = false;
            continue;
        }
        entry.geometry.pageName = paper->id;
        entry.geometry.pageWidthMm = paper->widthMm;
        entry.geometry.pageHeightMm = paper->heightMm;
    }

    for (std::size_t i = 0; i < entries.size(); ++i) {
        const TemplateEntry& entry = entries[i];
        if (!readable[i]) {
            continue;
        }
        // An equivalent names a part of its own brand, which may be an equivalent again.
        std::size_t source = i;
        std::string why;
        for (std::size_t steps = 0; why.empty() && !entries[source].equivalentPart.empty();
             ++steps) {
            const TemplateEntry& from = entries[source];
            const auto found = byKey.find(Key(from.brand, from.equivalentPart));
            if (steps == entries.size()) {
                why = "its equivalents go round in a circle";
            } else if (found == byKey.end()) {
                why = "equivalent to " + from.brand + " " + from.equivalentPart +
                      ", which the files lack";
            } else if (!readable[found->second]) {
                why = "equivalent to " + from.brand + " " + from.equivalentPart +
                      ", which was left out";
            } else {
                source = found->second;
            }
        }
        if (!why.empty()) {
            stock.skipped_.push_back(entry.where + ": " + entry.brand + " " + entry.part + ": " +
                                     why);
            continue;
        }
        const TemplateEntry& original = entries[source];
        LabelProduct product{entry.brand,      entry.part, entry.description,
                             entry.categories, {},         original.geometry};
        if (source != i) {
            product.equivalentTo = original.brand + " " + original.part;
            if (product.description.empty()) {
                product.description = original.description;
            }
            if (product.categories.empty()) {
                product.categories = original.categories;
            }
        }
        stock.products_.push_back(std::move(product));
    }

    std::stable_sort(stock.products_.begin(), stock.products_.end(),
                     [](const LabelProduct& a, const LabelProduct& b) {
                         return NaturallyBefore(a.Name(), b.Name());
                     });
    for (std::size_t i = 0; i < stock.products_.size(); ++i) {
        stock.byName_.emplace(Key(stock.products_[i].brand, stock.products_[i].part), i);
    }
    return stock;
}

Result<LabelProduct> LabelStock::Find(std::string_view name) const {
    const std::string query = NameKey(name);
    if (const auto found = byName_.find(query); found != byName_.end()) {
        return products_[found->second];
    }

    // The same part under other brands, then similar parts of the brand the name begins with.
    std::vector<std::pair<std::size_t, const LabelProduct*>> similar;
    std::string brand;
    for (const LabelProduct& product : products_) {
        const std::string part = Lowered(product.part);
        if (query == part || (query.size() > part.size() && query.ends_with(" " + part))) {
            similar.emplace_back(0, &product);
        }
        const std::string itsBrand = Lowered(product.brand);
        if (itsBrand.size() > brand.size() && query.starts_with(itsBrand + " ")) {
            brand = itsBrand;
        }
    }
    if (!brand.empty()) {
        const std::string part = query.substr(brand.size() + 1);
        for (const LabelProduct& product : products_) {
            const std::string itsPart = Lowered(product.part);
            if (Lowered(product.brand) != brand) {
                continue;
            }
            const std::size_t distance = EditDistance(part, itsPart);
            const bool within = (part.size() >= 3 && itsPart.find(part) != std::string::npos) ||
                                (itsPart.size() >= 3 && part.find(itsPart) != std::string::npos);
            if (distance <= 2 || within) {
                similar.emplace_back(distance + 1, &product);
            }
        }
    }
    std::stable_sort(similar.begin(), similar.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });

    std::string message = "no label stock is named \"" + std::string(name) + "\"";
    for (std::size_t i = 0; i < similar.size() && i < kMostSuggestions; ++i) {
        message += (i == 0 ? "; similar: " : ", ") + similar[i].second->Name();
    }
    return Result<LabelProduct>::Failure(ErrorKind::Usage, message);
}

std::filesystem::path TemplatesFolder() {
    const char* folder = std::getenv(std::string(kTemplatesVariable).c_str());
    return folder != nullptr && *folder != '\0' ? std::filesystem::path(folder)
                                                : std::filesystem::path(kDefaultTemplatesFolder);
}

const Result<LabelStock>& InstalledLabelStock() {
    static const Result<LabelStock> stock = LabelStock::Read(TemplatesFolder());
    return stock;
}

}  // namespace varnholt::sheets
