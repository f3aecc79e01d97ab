#include "ui/framework/mouse.h"

TMouse* Mouse = nullptr;

void TMouse::ControlDestroyed(TControl* control) {
    if (mouseControl_ == control)
        mouseControl_ = nullptr;
    if (captureControl_ == control)
        captureControl_ = nullptr;
}
