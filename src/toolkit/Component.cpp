#include "toolkit/Component.h"

TComponent::TComponent(TComponent* owner) : owner_(owner) {}

TComponent::~TComponent() {
    state_ |= csDestroying;
    // The last made goes first: later components may refer to earlier ones.
    while (!components_.empty()) {
        std::unique_ptr<TComponent> last = std::move(components_.back());
        components_.pop_back();
        last.reset();
    }
}

TComponent* TComponent::Adopt(std::unique_ptr<TComponent> component) {
    if (!component) return nullptr;
    component->owner_ = this;
    components_.push_back(std::move(component));
    return components_.back().get();
}

TComponent* TComponent::FindComponent(std::string_view name) const {
    for (const auto& c : components_)
        if (c->name_ == name) return c.get();
    return nullptr;
}

void TComponent::BeginLoading() {
    state_ |= csLoading | csReading;
    for (const auto& c : components_) c->BeginLoading();
}

void TComponent::EndLoading() {
    for (size_t i = 0; i < components_.size(); ++i) components_[i]->EndLoading();
    Loaded();
}

void TComponent::Loaded() { state_ &= ~unsigned(csLoading | csReading); }
