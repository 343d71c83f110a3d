#include "windows/sTitleButtons.h"

TsTitleButton& TsTitleButtons::Add() {
    items_.push_back(std::make_unique<TsTitleButton>());
    return *items_.back();
}

void TsTitleButtons::Delete(int index) {
    if (index < 0 || index >= Count()) return;
    items_.erase(items_.begin() + index);
}
