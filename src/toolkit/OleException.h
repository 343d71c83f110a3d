#pragma once
// The error raised for a failing result of a browser operation, and the check that raises it.
#include <stdexcept>
#include <string>

#include "platform/window/WindowSystem.h"

class EOleException : public std::runtime_error {
  public:
    explicit EOleException(HRESULT code);
    HRESULT ErrorCode() const { return code_; }

  private:
    HRESULT code_;
};

// Throws EOleException when the result is a failure (its top bit is set); success codes pass.
void OleCheck(HRESULT result);
