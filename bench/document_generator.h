// Generated documents for the benchmarks: pages of 43 lines in the pad's own
// RTF form, with mixed fonts, sizes, colours, bold and italic runs and
// escapes, as a user's document would have them.
#pragma once

#include <string>

namespace qm::bench {

std::string generateDocument(int pages);

}  // namespace qm::bench
