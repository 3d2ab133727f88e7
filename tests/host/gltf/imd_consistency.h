#pragma once
// Cross-checks of a model file read back with the test reader: every index
// in range, links that agree with each other, sizes that match what they
// count, totals that match their parts.

#include <string>
#include <vector>

#include "support/imd_reader.h"

namespace korvo::test {

// One line per problem found, empty for a consistent model.
std::vector<std::string> ImdProblems(const ImdElement& imd);

}  // namespace korvo::test
