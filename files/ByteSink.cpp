#include "files/ByteSink.h"

#include <system_error>

#include "files/WriteAll.h"

namespace varnholt::files {

Result<Done> DescriptorSink::Write(std::string_view bytes) {
    if (const int error = WriteAll(fd_, bytes); error != 0) {
        return Result<Done>::Failure(ErrorKind::Output, std::generic_category().message(error));
    }
    return Done{};
}

}  // namespace varnholt::files
