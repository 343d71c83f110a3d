#pragma once
// Errors raised for bad outside data. They carry a message meant for a person: which file,
// member, section or key, and what is wrong with it.
#include <stdexcept>
#include <string>

// A text that should hold a number does not.
class EConvertError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// Outside data (a file, a package, a picture) is shorter than it says or malformed.
class EReadError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};
