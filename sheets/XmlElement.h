#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "model/Result.h"

namespace varnholt::sheets {

// An element of an XML file as plain data, so that what reads the file's meaning needs no
// XML library.
struct XmlElement {
    std::string name;  // without any namespace prefix
    std::vector<std::pair<std::string, std::string>> attributes;
    std::vector<XmlElement> children;  // elements only, in order
    long line = 0;                     // where it starts in the file

    // The value of the attribute `attribute`; nullptr when it has none.
    const std::string* Attribute(std::string_view attribute) const;
};

// The root element of the XML file `file`. Refused with a message naming the file and line
// when it cannot be read or is not well-formed XML. Reads no other file and nothing from the
// network.
Result<XmlElement> ReadXmlFile(const std::filesystem::path& file);

}  // namespace varnholt::sheets
