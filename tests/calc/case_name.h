#pragma once

#include <gtest/gtest.h>

#include <string>

namespace calc::fixtures {

// Names each row of a data-driven test after its `name` member.
struct CaseName {
    template <typename Param>
    std::string operator()(const ::testing::TestParamInfo<Param>& row) const {
        return row.param.name;
    }
};

} // namespace calc::fixtures
