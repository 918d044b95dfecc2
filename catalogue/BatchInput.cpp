#include "catalogue/BatchInput.h"

namespace varnholt::catalogue {

BatchInput::BatchInput(ByteSource& source, const CatalogueOptions& catalogue) {
    if (catalogue.Given()) {
        catalogue_.emplace(source, catalogue);
    } else {
        lines_.emplace(source);
    }
}

}  // namespace varnholt::catalogue
