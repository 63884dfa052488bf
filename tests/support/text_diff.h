// Where two report texts first differ, readably: full-width "，" and ASCII "," look
// alike on screen, so the message shows the code points around the difference.
#pragma once

#include <string>

namespace testsupport {

// Empty when equal; otherwise the line number, both lines and the code points near
// the first difference.
std::string DescribeDifference(const std::string& expected, const std::string& actual);

}  // namespace testsupport
