#pragma once

#include <stdexcept>

namespace zentavo {

// A failure of the printing service; what() is the message for the user,
// UTF-8, without a closing period.
class PrintError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The command was abandoned (the program is quitting): nothing to tell.
class PrintCancelled : public PrintError {
public:
    PrintCancelled() : PrintError("cancelled") {}
};

}  // namespace zentavo
