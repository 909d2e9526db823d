// The one exception type the core raises. Its message is the text the user
// sees in the error box, so it is written for people, without a final ".".
#pragma once

#include <stdexcept>
#include <string>

namespace digitize {

class Error : public std::runtime_error {
  public:
    explicit Error(const std::string &message) : std::runtime_error(message) {}
};

} // namespace digitize
