#include "cli/BatchInput.h"

namespace varnholt::cli {

BatchInput::BatchInput(ByteSource& source, const CatalogueOptions& catalogue) {
    if (catalogue.Given()) {
        catalogue_.emplace(source, catalogue);
    } else {
        lines_.emplace(source);
    }
}

}  // namespace varnholt::cli
