#pragma once

class TControl;

// Which control the pointer is over, for the enter and leave notices, and which non-windowed control a
// press started on, which takes the rest of that press. The application owns the one in use.
class TMouse {
public:
    // The pointer is now over `control` (or none): the one it left hears of it, then the one it entered.
    void MoveTo(TControl* control);
    TControl* MouseControl() const { return mouseControl_; }
    TControl* CaptureControl() const { return captureControl_; }
    void SetCaptureControl(TControl* control) { captureControl_ = control; }
    void ControlDestroyed(TControl* control);

private:
    TControl* mouseControl_ = nullptr;
    TControl* captureControl_ = nullptr;
};

// The application's pointer tracking; null while there is no application.
extern TMouse* Mouse;
