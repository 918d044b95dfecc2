#include "model/CodePart.h"

namespace varnholt {

std::string ToText(const CodePart& part) {
    if (const auto* number = std::get_if<std::int16_t>(&part)) {
        return std::to_string(*number);
    }
    return std::get<std::string>(part);
}

}  // namespace varnholt
