// Compiled, never run, by the suite: with the sentence's places as its set
// declares them it compiles; with a place it lacks, it must not.
#include "report/text_format.h"

namespace veldronix::report {

struct CheckedTexts {
    Format2 endsEarly;
};

#ifdef VELDRONIX_PLACE_MISSING
inline constexpr CheckedTexts texts{.endsEarly = "減速点{0}から{2}パルス"};
#else
inline constexpr CheckedTexts texts{.endsEarly = "減速点{0}から{1}パルス"};
#endif

} // namespace veldronix::report
