#pragma once

#include <gtest/gtest.h>

#include <string>

namespace varnholt::test {

// Names each instance of a parameterised test after its row's `name`.
struct CaseName {
    template <class Row>
    std::string operator()(const testing::TestParamInfo<Row>& row) const {
        return row.param.name;
    }
};

}  // namespace varnholt::test
