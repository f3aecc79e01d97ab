#pragma once

class TControl;

// Which control the pointer is over, for the enter and leave notices, and which non-windowed control a
// press started on, which takes the rest of that press. The application owns the one in use.
class TMouse {
public:
    TControl* MouseControl() const { return mouseControl_; }
    void SetMouseControl(TControl* control) { mouseControl_ = control; }
    TControl* CaptureControl() const { return captureControl_; }
    void SetCaptureControl(TControl* control) { captureControl_ = control; }
    void ControlDestroyed(TControl* control);

private:
    TControl* mouseControl_ = nullptr;
    TControl* captureControl_ = nullptr;
};

// The application's pointer tracking; null while there is no application.
extern TMouse* Mouse;
