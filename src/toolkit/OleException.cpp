#include "toolkit/OleException.h"

#include <cstdio>

namespace {

std::string MessageFor(HRESULT code) {
    char hex[16];
    std::snprintf(hex, sizeof hex, "%08X", unsigned(code));
    if (code == E_FAIL) return std::string("Операция орындалмады (general failure, 0x") + hex + ")";
    return std::string("Операция орындалмады (OLE error 0x") + hex + ")";
}

} // namespace

EOleException::EOleException(HRESULT code) : std::runtime_error(MessageFor(code)), code_(code) {}

void OleCheck(HRESULT result) {
    if (result < 0) throw EOleException(result);
}
