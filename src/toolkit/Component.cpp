#include "toolkit/Component.h"

#include <algorithm>

TComponent::TComponent(TComponent* owner) : owner_(owner) {
    if (owner_ && owner_->Loading()) state_ |= csLoading | csReading;
}

TComponent::~TComponent() {
    Destroying();
    // Those who asked hear of it while this component is still whole.
    for (TComponent* other : std::vector<TComponent*>(freeNotifies_)) {
        other->Unlink(this);
        other->Notification(this, opRemove);
    }
    freeNotifies_.clear();
    DestroyComponents();
    if (owner_ && !owner_->IsDestroying()) {
        // Taken out of the owner's list when it was not the owner that destroyed it.
        auto& list = owner_->components_;
        for (auto& c : list)
            if (c.get() == this) c.release();
        std::erase_if(list, [](const std::unique_ptr<TComponent>& c) { return !c; });
    }
    if (owner_) owner_->Notification(this, opRemove);
}

void TComponent::Destroying() {
    if (state_ & csDestroying) return;
    state_ |= csDestroying;
    for (const auto& c : components_) c->Destroying();
}

void TComponent::DestroyComponents() {
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
    Notification(components_.back().get(), opInsert);
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

void TComponent::FreeNotification(TComponent* other) {
    if (!other || other == this) return;
    if (std::find(freeNotifies_.begin(), freeNotifies_.end(), other) == freeNotifies_.end()) {
        freeNotifies_.push_back(other);
        other->freeNotifies_.push_back(this);
    }
}

void TComponent::RemoveFreeNotification(TComponent* other) {
    if (!other) return;
    Unlink(other);
    other->Unlink(this);
}

void TComponent::Unlink(TComponent* other) { std::erase(freeNotifies_, other); }

void TComponent::Notification(TComponent* component, TOperation operation) {
    if (operation != opRemove) return;
    for (const auto& c : components_)
        if (c.get() != component) c->Notification(component, operation);
}
