#pragma once

#include <gtest/gtest.h>

#include <string>

namespace tieba::testing {

// Names a row of a case table after its `name` field, for readable test names.
struct CaseName {
    template <typename Case>
    std::string operator()(const ::testing::TestParamInfo<Case>& row) const {
        return row.param.name;
    }
};

} // namespace tieba::testing
