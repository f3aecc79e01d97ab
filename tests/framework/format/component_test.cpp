#include "ui/framework/format/component.h"

#include <gtest/gtest.h>

namespace {

// Keeps a plain reference to another component and drops it on that one's removal notice.
class TRefHolder : public TComponent {
public:
    using TComponent::TComponent;
    TComponent* ref = nullptr;
    int* destroyed = nullptr;
    ~TRefHolder() override {
        if (destroyed != nullptr)
            ++*destroyed;
    }

protected:
    void Notification(TComponent* component, TOperation operation) override {
        TComponent::Notification(component, operation);
        if (operation == TOperation::opRemove && component == ref)
            ref = nullptr;
    }
};

TEST(Component, AnOwnerFreesWhatItOwns) {
    int destroyed = 0;
    auto owner = std::make_unique<TComponent>(nullptr);
    auto* a = new TRefHolder(owner.get());
    a->destroyed = &destroyed;
    a->SetName("a");
    auto* b = new TRefHolder(owner.get());
    b->destroyed = &destroyed;
    EXPECT_EQ(owner->ComponentCount(), 2);
    EXPECT_EQ(owner->FindComponent("a"), a);

    delete b; // leaves its owner's list
    EXPECT_EQ(owner->ComponentCount(), 1);
    owner.reset();
    EXPECT_EQ(destroyed, 2);
}

TEST(Component, ReferencesAreClearedByTheOwnersNoticeOrByFreeNotification) {
    TComponent form(nullptr);
    auto* holder = new TRefHolder(&form);
    auto* player = new TComponent(&form);
    holder->ref = player;
    // Both owned by the same form: the form passes the notice on.
    delete player;
    EXPECT_EQ(holder->ref, nullptr);

    // Owned elsewhere: only a registered free notification reaches the holder.
    auto other = std::make_unique<TComponent>(nullptr);
    holder->ref = other.get();
    holder->FreeNotification(other.get());
    other.reset();
    EXPECT_EQ(holder->ref, nullptr);

    // A holder that goes first leaves no dangling registration behind.
    auto third = std::make_unique<TComponent>(nullptr);
    holder->FreeNotification(third.get());
    delete holder;
    third.reset();
}

} // namespace
