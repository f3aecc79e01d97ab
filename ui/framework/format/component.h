#pragma once

#include "ui/framework/format/named_list.h"
#include "ui/framework/format/persistent.h"

#include <any>
#include <functional>
#include <string>
#include <vector>

enum class TOperation { opInsert, opRemove };

// A named object in an ownership tree: an owner frees what it owns, and components that asked for it
// hear when another is removed.
class TComponent : public TPersistent {
public:
    explicit TComponent(TComponent* owner);
    ~TComponent() override;
    TComponent(const TComponent&) = delete;
    TComponent& operator=(const TComponent&) = delete;

    static constexpr TClassInfo kClassInfo{"TComponent", &TPersistent::kClassInfo};
    const TClassInfo& ClassInfo() const override { return kClassInfo; }

    TComponent* Owner() const { return owner_; }
    const std::string& Name() const { return name_; }
    void SetName(const std::string& name) { name_ = name; }
    // "Tag", stored when not 0: the form-layout reader and writer handle it for every component, as
    // they handle the name.
    int Tag() const { return tag_; }
    void SetTag(int tag) { tag_ = tag; }

    int ComponentCount() const { return static_cast<int>(components_.size()); }
    TComponent* Component(int index) const { return components_.at(static_cast<std::size_t>(index)); }
    TComponent* FindComponent(std::string_view name) const;

    // Takes `component` out of what this one owns, so that it is no longer freed with it.
    void RemoveComponent(TComponent* component);

    // Asks that `component` hear of this one's removal.
    void FreeNotification(TComponent* component);
    void RemoveFreeNotification(TComponent* component);

    // A handler that this component (normally a form) publishes under its name, for the events that a
    // stored design binds by name. Holds a std::function of the event's signature.
    const std::any* MethodAddress(std::string_view name) const;

    // Called by the form-layout reader once the whole tree is read; clears Loading().
    virtual void Loaded() { loading_ = false; }
    // True while the form-layout reader fills this component, so setters can tell a design's values
    // from a program's.
    bool Loading() const { return loading_; }
    // Called by the form-layout reader to place a child inside the object that encloses it in the
    // design; components that are not controls ignore it.
    virtual void SetParentComponent(TComponent*) {}
    // True for a component that the writer nests inside another than the root (a control in a parent).
    virtual bool HasParent() const { return false; }
    // The components the writer nests directly inside this one. The root lists what it owns that has no
    // parent; a control with children lists those that `root` owns.
    virtual void GetChildren(const std::function<void(TComponent&)>& proc, TComponent& root);

protected:
    virtual void Notification(TComponent* component, TOperation operation);
    void PublishMethod(const std::string& name, std::any handler);

private:
    friend class TReader;

    void Insert(TComponent* component);
    void Remove(TComponent* component);

    TComponent* owner_ = nullptr;
    std::string name_;
    int tag_ = 0;
    bool loading_ = false;
    std::vector<TComponent*> components_;
    std::vector<TComponent*> freeNotifies_;
    NamedList<std::any> methods_;
};
