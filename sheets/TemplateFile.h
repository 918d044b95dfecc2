#pragma once

#include <string>
#include <vector>

#include "sheets/PaperSize.h"
#include "sheets/SheetGeometry.h"
#include "sheets/XmlElement.h"

namespace varnholt::sheets {

// One <Template> as its file writes it, before its paper is looked up or what it is
// equivalent to is followed.
struct TemplateEntry {
    std::string where;  // "avery-us-templates.xml:105", for messages
    std::string brand;
    std::string part;
    std::string description;
    std::vector<std::string> categories;
    std::string equivalentPart;  // the part, of the same brand, whose geometry it has
    std::string paperId;         // the size attribute; "Other" for a page of its own size
    SheetGeometry geometry;      // the page's size only when the template gives its own
};

// What the template files in a folder hold.
struct TemplateFileContents {
    std::vector<TemplateEntry> templates;
    std::vector<PaperSize> papers;
    std::vector<std::string> skipped;  // each entry left out, with where and why
};

// Adds what the file `fileName` with root `root` holds: templates from a Glabels-templates
// file, paper sizes from a Glabels-paper-sizes file, nothing from any other. An entry that
// cannot be read is left out, and said so in `into.skipped`.
void ReadTemplateFile(const XmlElement& root, const std::string& fileName,
                      TemplateFileContents& into);

}  // namespace varnholt::sheets
