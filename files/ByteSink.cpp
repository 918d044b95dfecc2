#include "files/ByteSink.h"

#include <system_error>

#include "files/WriteAll.h"

namespace varnholt::files {

void DescriptorSink::Write(std::string_view bytes) {
    if (const int error = WriteAll(fd_, bytes); error != 0) {
        throw std::system_error(error, std::generic_category());
    }
}

}  // namespace varnholt::files
