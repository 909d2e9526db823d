// The recorded points of the log: the lines below its opening ten, and the
// text a saved file holds.
#pragma once

#include <string>
#include <string_view>

namespace digitize {

// The log's opening lines of instructions, the blank one included.
inline constexpr int OpeningLines = 10;

// The lines below the opening ones, each ending with "\n", with blank lines
// at the end left out; empty when no point has been recorded.
std::string RecordedText(std::string_view log);

} // namespace digitize
