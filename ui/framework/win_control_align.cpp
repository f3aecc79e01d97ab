#include "ui/framework/win_control.h"

#include <vector>

void TWinControl::AlignControls() {
    if (aligning_)
        return;
    aligning_ = true;
    RECT rest = ClientRect();
    const auto place = [&](TAlign align) {
        std::vector<TControl*> aligned;
        for (int i = 0; i < ControlCount(); ++i)
            if (Controls(i)->Align() == align && Controls(i)->Visible())
                aligned.push_back(Controls(i));
        for (TControl* c : aligned) {
            const int w = c->Width();
            const int h = c->Height();
            switch (align) {
            case TAlign::alTop:
                c->SetBounds(rest.left, rest.top, rest.right - rest.left, h);
                rest.top += h;
                break;
            case TAlign::alBottom:
                c->SetBounds(rest.left, rest.bottom - h, rest.right - rest.left, h);
                rest.bottom -= h;
                break;
            case TAlign::alLeft:
                c->SetBounds(rest.left, rest.top, w, rest.bottom - rest.top);
                rest.left += w;
                break;
            case TAlign::alRight:
                c->SetBounds(rest.right - w, rest.top, w, rest.bottom - rest.top);
                rest.right -= w;
                break;
            default:
                c->SetBounds(rest.left, rest.top, rest.right - rest.left, rest.bottom - rest.top);
                break;
            }
        }
    };
    for (TAlign align : {TAlign::alTop, TAlign::alBottom, TAlign::alLeft, TAlign::alRight, TAlign::alClient})
        place(align);
    aligning_ = false;
}
