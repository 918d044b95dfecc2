#include "cli/render/Gs1DataPattern.h"

#include "render/SymbolNumber.h"

namespace varnholt::cli {

std::string Gs1DataPattern::Expand(const PatternValues& values) {
    const std::span<const std::string_view> fields = values.fields;
    escaped_.resize(fields.size());
    views_.resize(fields.size());
    for (std::size_t i = 0; i < fields.size(); ++i) {
        std::string& field = escaped_[i];
        field.clear();
        for (const char c : fields[i]) {
            if (c == '(') {
                field += '\\';
            }
            field += c;
        }
        views_[i] = field;
    }
    return pattern_.Expand(PatternValues{values.number, values.line, views_, values.gtin});
}

std::string GtinOf(const render::Layout& linear) {
    const Result<render::SymbolNumber> number =
        render::ReadSymbolNumber(linear.number, linear.symbology);
    return number ? number->Gtin() : std::string();
}

}  // namespace varnholt::cli
