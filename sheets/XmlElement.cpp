#include "sheets/XmlElement.h"

#include <libxml/parser.h>
#include <libxml/tree.h>

#include <memory>

namespace varnholt::sheets {
namespace {

struct DocumentFree {
    void operator()(xmlDoc* document) const { xmlFreeDoc(document); }
};

// libxml2 hands out UTF-8 as unsigned char.
std::string Text(const xmlChar* text) {
    return text == nullptr ? std::string() : std::string(reinterpret_cast<const char*>(text));
}

XmlElement Copy(const xmlNode& node) {
    XmlElement element{Text(node.name), {}, {}, xmlGetLineNo(&node)};
    for (const xmlAttr* attribute = node.properties; attribute != nullptr;
         attribute = attribute->next) {
        xmlChar* value = xmlNodeListGetString(node.doc, attribute->children, 1);
        element.attributes.emplace_back(Text(attribute->name), Text(value));
        xmlFree(value);
    }
    for (const xmlNode* child = node.children; child != nullptr; child = child->next) {
        if (child->type == XML_ELEMENT_NODE) {
            element.children.push_back(Copy(*child));
        }
    }
    return element;
}

}  // namespace

const std::string* XmlElement::Attribute(std::string_view attribute) const {
    for (const auto& [key, value] : attributes) {
        if (key == attribute) {
            return &value;
        }
    }
    return nullptr;
}

Result<XmlElement> ReadXmlFile(const std::filesystem::path& file) {
    // Errors come back below as the message; libxml2 prints nothing itself.
    const std::unique_ptr<xmlDoc, DocumentFree> document(xmlReadFile(
        file.c_str(), nullptr,
        XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING | XML_PARSE_NOBLANKS));
    if (!document) {
        const xmlError* error = xmlGetLastError();
        std::string why =
            error != nullptr && error->message != nullptr ? error->message : "cannot be read";
        if (!why.empty() && why.back() == '\n') {  // libxml2 ends its messages with one
            why.pop_back();
        }
        const int line = error != nullptr ? error->line : 0;
        return Result<XmlElement>::Failure(ErrorKind::Input,
                                           file.string() + ":" + std::to_string(line) + ": " + why);
    }
    const xmlNode* root = xmlDocGetRootElement(document.get());
    if (root == nullptr) {
        return Result<XmlElement>::Failure(ErrorKind::Input, file.string() + ": no root element");
    }
    return Copy(*root);
}

}  // namespace varnholt::sheets
