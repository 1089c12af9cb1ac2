// A silent abort: an error that ends the handling of the current received text
// (or of the current click or timer handler) without any message to the operator.
#pragma once

#include <stdexcept>
#include <string>

namespace izleme {

class SilentAbort : public std::runtime_error {
public:
    explicit SilentAbort(const std::string& why) : std::runtime_error(why) {}
};

}  // namespace izleme
