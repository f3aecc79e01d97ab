#include "ui/framework/mouse.h"

#include "ui/framework/control.h"
#include "ui/framework/messages.h"

TMouse* Mouse = nullptr;

void TMouse::MoveTo(TControl* now) {
    if (now == mouseControl_)
        return;
    TControl* old = mouseControl_;
    mouseControl_ = now;
    if (old != nullptr)
        old->Perform(CM_MOUSELEAVE, 0, 0);
    if (now != nullptr && now == mouseControl_)
        now->Perform(CM_MOUSEENTER, 0, 0);
}

void TMouse::ControlDestroyed(TControl* control) {
    if (mouseControl_ == control)
        mouseControl_ = nullptr;
    if (captureControl_ == control)
        captureControl_ = nullptr;
}
