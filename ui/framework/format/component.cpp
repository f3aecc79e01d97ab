#include "ui/framework/format/component.h"

#include <algorithm>

TComponent::TComponent(TComponent* owner) {
    if (owner != nullptr)
        owner->Insert(this);
}

TComponent::~TComponent() {
    // Those that asked to hear of this removal drop their references first.
    while (!freeNotifies_.empty()) {
        TComponent* listener = freeNotifies_.back();
        freeNotifies_.pop_back();
        listener->Notification(this, TOperation::opRemove);
        listener->RemoveFreeNotification(this);
    }
    while (!components_.empty()) {
        TComponent* child = components_.back();
        delete child; // its destructor takes it off this list
    }
    if (owner_ != nullptr)
        owner_->Remove(this);
}

TComponent* TComponent::FindComponent(std::string_view name) const {
    for (TComponent* component : components_)
        if (component->Name() == name)
            return component;
    return nullptr;
}

void TComponent::RemoveComponent(TComponent* component) {
    if (component != nullptr && component->owner_ == this)
        Remove(component);
}

void TComponent::FreeNotification(TComponent* component) {
    if (component == nullptr || component == this)
        return;
    if (std::find(freeNotifies_.begin(), freeNotifies_.end(), component) == freeNotifies_.end())
        freeNotifies_.push_back(component);
    if (std::find(component->freeNotifies_.begin(), component->freeNotifies_.end(), this) ==
        component->freeNotifies_.end())
        component->freeNotifies_.push_back(this);
}

void TComponent::RemoveFreeNotification(TComponent* component) {
    std::erase(freeNotifies_, component);
    std::erase(component->freeNotifies_, this);
}

const std::any* TComponent::MethodAddress(std::string_view name) const {
    return methods_.Find(name);
}

void TComponent::PublishMethod(const std::string& name, std::any handler) {
    methods_.Set(name, std::move(handler));
}

void TComponent::Notification(TComponent* component, TOperation operation) {
    if (operation == TOperation::opRemove && component != nullptr)
        std::erase(freeNotifies_, component);
    // An owner passes the notice on to everything it owns.
    for (auto i = components_.size(); i-- > 0;)
        if (i < components_.size())
            components_[i]->Notification(component, operation);
}

void TComponent::Insert(TComponent* component) {
    components_.push_back(component);
    component->owner_ = this;
}

void TComponent::Remove(TComponent* component) {
    std::erase(components_, component);
    component->owner_ = nullptr;
    Notification(component, TOperation::opRemove);
}

void TComponent::GetChildren(const std::function<void(TComponent&)>& proc, TComponent& root) {
    if (this != &root)
        return;
    for (TComponent* component : components_)
        if (!component->HasParent())
            proc(*component);
}
