#pragma once
// Damage found while reading a SWF file. Thrown inside the reader only and turned into an
// error message at TSwfMovie::Load, so it never crosses the library's interface.
#include <cstddef>
#include <stdexcept>
#include <string>

class SwfError : public std::runtime_error {
  public:
    SwfError(const std::string& what, size_t offset)
        : std::runtime_error(what + " at offset " + std::to_string(offset)), offset_(offset) {}
    size_t Offset() const { return offset_; }

  private:
    size_t offset_;
};
