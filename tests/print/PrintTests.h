#pragma once

namespace zentavo::testing {

class CupsScheduler;

// The private scheduler of this test program; null when CUPS is not
// installed and the tests are skipped.
extern CupsScheduler* TheScheduler;

}  // namespace zentavo::testing
