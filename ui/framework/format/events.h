#pragma once

#include <functional>
#include <string>
#include <utility>

class TObject;

// An optional callback bound to an object. It keeps the handler's name, which the form-layout format
// stores in place of the code.
template <class Signature> class TEvent {
public:
    TEvent() = default;
    TEvent(std::string name, std::function<Signature> handler)
        : name_(std::move(name)), handler_(std::move(handler)) {}

    explicit operator bool() const { return static_cast<bool>(handler_); }
    const std::string& Name() const { return name_; }

    template <class... Args> void operator()(Args&&... args) const { handler_(std::forward<Args>(args)...); }

private:
    std::string name_;
    std::function<Signature> handler_;
};

using TNotifyEvent = TEvent<void(TObject* sender)>;
