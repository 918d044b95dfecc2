#include "sheets/TemplateFile.h"

#include <array>
#include <optional>
#include <utility>

#include "render/Length.h"

namespace varnholt::sheets {
namespace {

constexpr std::array<std::pair<std::string_view, LabelShape>, 5> kLabelElements{{
    {"Label-rectangle", LabelShape::Rectangle},
    {"Label-round", LabelShape::Round},
    {"Label-ellipse", LabelShape::Ellipse},
    {"Label-cd", LabelShape::Cd},
    {"Label-path", LabelShape::FreeForm},
}};

// Keeps a sheet of junk numbers from asking for millions of label places.
constexpr int kMostLabels = 10000;

// Reads the attributes of one entry, keeping the first thing wrong with them. Bare numbers
// in the files are points.
class EntryReader {
  public:
    // The length `attribute` of `element` holds; `fallback` when it has none, or when it is
    // not given and has no fallback, 0 and a note of what is missing. An empty value is none:
    // a file writes x0="" for a grid at the page's edge.
    double Length(const XmlElement& element, std::string_view attribute,
                  std::optional<double> fallback = std::nullopt) {
        const std::string* text = element.Attribute(attribute);
        if (text == nullptr || text->empty()) {
            if (!fallback) {
                Fail(element.name + " has no " + std::string(attribute));
            }
            return fallback.value_or(0.0);
        }
        const Result<double> mm = render::ParseLengthMm(*text, render::kPoint);
        if (!mm) {
            Fail(element.name + " " + std::string(attribute) + ": " + mm.Error());
            return 0.0;
        }
        return *mm;
    }

    // A length that must be more than 0 (or, `orZero`, at least 0).
    double Positive(const XmlElement& element, std::string_view attribute,
                    std::optional<double> fallback = std::nullopt, bool orZero = false) {
        const double mm = Length(element, attribute, fallback);
        if (mm < 0.0 || (mm == 0.0 && !orZero)) {
            Fail(element.name + " " + std::string(attribute) + " is " +
                 (orZero ? "below 0" : "not above 0"));
        }
        return mm;
    }

    int Count(const XmlElement& element, std::string_view attribute) {
        const std::string* text = element.Attribute(attribute);
        const std::optional<int> count =
            text != nullptr ? render::ParseWholeNumber(*text) : std::nullopt;
        if (!count || *count < 1 || *count > kMostLabels) {
            Fail(element.name + " " + std::string(attribute) + " is not a count of 1 to " +
                 std::to_string(kMostLabels));
            return 0;
        }
        return *count;
    }

    void Fail(std::string why) {
        if (!error_) {
            error_ = std::move(why);
        }
    }

    const std::optional<std::string>& Error() const { return error_; }

  private:
    std::optional<std::string> error_;
};

std::string AttributeOr(const XmlElement& element, std::string_view attribute,
                        std::string fallback = {}) {
    const std::string* value = element.Attribute(attribute);
    return value != nullptr ? *value : std::move(fallback);
}

// A name as people type it: one template file writes a part number with a blank after it.
std::string Trimmed(std::string text) {
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

std::string Where(const std::string& fileName, const XmlElement& element) {
    return fileName + ":" + std::to_string(element.line);
}

// The label's shape and size, its markup margin and its grids.
void ReadLabel(const XmlElement& label, LabelShape shape, SheetGeometry& geometry,
               EntryReader& reader) {
    geometry.shape = shape;
    switch (shape) {
        case LabelShape::Rectangle:
        case LabelShape::Ellipse:
            geometry.labelWidthMm = reader.Positive(label, "width");
            geometry.labelHeightMm = reader.Positive(label, "height");
            geometry.cornerRadiusMm = reader.Positive(label, "round", 0.0, true);
            break;
        case LabelShape::Round:
            geometry.radiusMm = reader.Positive(label, "radius");
            geometry.labelWidthMm = geometry.labelHeightMm = 2 * geometry.radiusMm;
            break;
        case LabelShape::Cd:
            geometry.radiusMm = reader.Positive(label, "radius");
            geometry.holeRadiusMm = reader.Positive(label, "hole");
            if (geometry.holeRadiusMm >= geometry.radiusMm) {
                reader.Fail("the cd's hole is as large as the cd");
            }
            // Some cd labels are cut off at a width or height, as on business-card discs.
            geometry.labelWidthMm = reader.Positive(label, "width", 2 * geometry.radiusMm);
            geometry.labelHeightMm = reader.Positive(label, "height", 2 * geometry.radiusMm);
            break;
        case LabelShape::FreeForm:
            // A free-form outline: its box when the file gives one.
            geometry.labelWidthMm = reader.Positive(label, "width", 0.0, true);
            geometry.labelHeightMm = reader.Positive(label, "height", 0.0, true);
            break;
    }
    int labels = 0;
    for (const XmlElement& child : label.children) {
        if (child.name == "Markup-margin") {
            geometry.markupMarginMm = reader.Positive(child, "size", std::nullopt, true);
        } else if (child.name == "Layout") {
            LabelGrid grid{reader.Count(child, "nx"),       reader.Count(child, "ny"),
                           reader.Length(child, "x0", 0.0), reader.Length(child, "y0", 0.0),
                           reader.Length(child, "dx", 0.0), reader.Length(child, "dy", 0.0)};
            labels += grid.columns * grid.rows;
            if (labels > kMostLabels) {
                reader.Fail("more than " + std::to_string(kMostLabels) + " labels");
                return;
            }
            geometry.grids.push_back(grid);
        }
    }
    if (geometry.grids.empty()) {
        reader.Fail(label.name + " has no Layout");
    }
}

void ReadTemplate(const XmlElement& element, const std::string& fileName,
                  TemplateFileContents& into) {
    TemplateEntry entry;
    entry.where = Where(fileName, element);
    entry.brand = Trimmed(AttributeOr(element, "brand"));
    entry.part = Trimmed(AttributeOr(element, "part"));
    entry.description = AttributeOr(element, "_description", AttributeOr(element, "description"));
    entry.equivalentPart = Trimmed(AttributeOr(element, "equiv"));
    entry.paperId = AttributeOr(element, "size", "Other");
    if (entry.brand.empty() || entry.part.empty()) {
        into.skipped.push_back(entry.where + ": a Template without brand or part");
        return;
    }
    EntryReader reader;
    const XmlElement* label = nullptr;
    LabelShape shape = LabelShape::Rectangle;
    for (const XmlElement& child : element.children) {
        if (child.name == "Meta" && child.Attribute("category") != nullptr) {
            entry.categories.push_back(*child.Attribute("category"));
        }
        for (const auto& [name, itsShape] : kLabelElements) {
            if (child.name != name) {
                continue;
            }
            if (label != nullptr) {
                reader.Fail("more than one label shape");
            }
            label = &child;
            shape = itsShape;
        }
    }
    if (entry.equivalentPart.empty()) {
        // Any page of a size of its own; a named paper is looked up once all files are read.
        const bool ownSize = entry.paperId == "Other" || element.Attribute("width") != nullptr;
        if (ownSize) {
            entry.geometry.pageWidthMm = reader.Positive(element, "width");
            entry.geometry.pageHeightMm = reader.Positive(element, "height");
        }
        if (label == nullptr) {
            reader.Fail("no Label-rectangle, -round, -ellipse, -cd or -path");
        } else {
            ReadLabel(*label, shape, entry.geometry, reader);
        }
    }
    if (reader.Error()) {
        into.skipped.push_back(entry.where + ": " + entry.brand + " " + entry.part + ": " +
                               *reader.Error());
        return;
    }
    into.templates.push_back(std::move(entry));
}

void ReadPaperSize(const XmlElement& element, const std::string& fileName,
                   TemplateFileContents& into) {
    EntryReader reader;
    PaperSize paper{AttributeOr(element, "id"),
                    AttributeOr(element, "_name", AttributeOr(element, "name")),
                    reader.Positive(element, "width"), reader.Positive(element, "height")};
    if (paper.id.empty()) {
        reader.Fail("a Paper-size without id");
    }
    if (reader.Error()) {
        into.skipped.push_back(Where(fileName, element) + ": " + *reader.Error());
        return;
    }
    into.papers.push_back(std::move(paper));
}

}  // namespace

void ReadTemplateFile(const XmlElement& root, const std::string& fileName,
                      TemplateFileContents& into) {
    for (const XmlElement& element : root.children) {
        if (root.name == "Glabels-templates" && element.name == "Template") {
            ReadTemplate(element, fileName, into);
        } else if (root.name == "Glabels-paper-sizes" && element.name == "Paper-size") {
            ReadPaperSize(element, fileName, into);
        }
    }
}

}  // namespace varnholt::sheets
