#include "ui/framework/accessible.h"

#include "platform/win32/system_function.h"

#include <oleacc.h>

#include <new>
#include <vector>

namespace framework {

namespace {

using LresultProc = LRESULT(WINAPI*)(REFIID, WPARAM, LPUNKNOWN);
using StandardProc = HRESULT(WINAPI*)(HWND, LONG, REFIID, void**);
using InitializeProc = HRESULT(WINAPI*)(LPVOID);
using DisconnectProc = HRESULT(WINAPI*)(LPUNKNOWN, DWORD);
using AllocStringProc = BSTR(WINAPI*)(const OLECHAR*);
using NotifyProc = void(WINAPI*)(DWORD, HWND, LONG, LONG);

HRESULT PutText(const std::wstring& text, BSTR* out) {
    static const auto alloc = platform::SystemFunction<AllocStringProc>("oleaut32.dll", "SysAllocString");
    *out = alloc != nullptr ? alloc(text.c_str()) : nullptr;
    return *out != nullptr ? S_OK : E_OUTOFMEMORY;
}

// Empties an out parameter; false when the caller gave none.
template <class T> bool Reset(T* out) {
    if (out != nullptr)
        *out = T{};
    return out != nullptr;
}

void PutNumber(long value, VARIANT* out) {
    out->vt = VT_I4;
    out->lVal = value;
}

// Marshalling the object needs the thread in a single-threaded apartment, which it keeps until the
// program ends. A thread that some library put in the multithreaded one is not served: calls would
// then come on other threads.
bool InApartment() {
    static const auto initialize = platform::SystemFunction<InitializeProc>("ole32.dll", "CoInitialize");
    static const HRESULT result = initialize != nullptr ? initialize(nullptr) : E_NOTIMPL;
    return SUCCEEDED(result);
}

} // namespace

// COM interfaces have no virtual destructor: the object deletes itself in Release.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"
// Items are read from the view at every call, so the answers follow the window. After Disconnect every
// call fails: a client may hold the object longer than the window lives. No exception leaves a call.
class AccessibleObject final : public IAccessible {
public:
    AccessibleObject(HWND window, AccessibleView& view, IAccessible* standard)
        : window_(window), view_(&view), standard_(standard) {}

    void Disconnect() {
        view_ = nullptr;
        if (standard_ != nullptr)
            standard_->Release();
        standard_ = nullptr;
    }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) noexcept override {
        if (out == nullptr)
            return E_POINTER;
        *out = nullptr;
        if (iid != __uuidof(IUnknown) && iid != __uuidof(IDispatch) && iid != __uuidof(IAccessible))
            return E_NOINTERFACE;
        *out = static_cast<IAccessible*>(this);
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() noexcept override {
        return static_cast<ULONG>(::InterlockedIncrement(&references_));
    }
    ULONG STDMETHODCALLTYPE Release() noexcept override {
        const LONG left = ::InterlockedDecrement(&references_);
        if (left == 0)
            delete this;
        return static_cast<ULONG>(left);
    }

    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) noexcept override {
        if (count == nullptr)
            return E_POINTER;
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) noexcept override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) noexcept override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                     UINT*) noexcept override {
        return E_NOTIMPL;
    }

    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) noexcept override {
        return Guard([&] { return standard_->get_accParent(parent); });
    }
    HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* count) noexcept override {
        if (count == nullptr)
            return E_POINTER;
        return Guard([&] {
            *count = static_cast<LONG>(view_->Items().size());
            return S_OK;
        });
    }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT id, IDispatch** child) noexcept override {
        *child = nullptr; // the items are simple elements of this object
        return ForItem(id, [](const AccessibleItem*) { return S_FALSE; });
    }
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT id, BSTR* name) noexcept override {
        if (!Reset(name))
            return E_POINTER;
        return ForItem(
            id, [&](const AccessibleItem* item) { return PutText(item ? item->name : view_->Name(), name); });
    }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT id, BSTR* value) noexcept override {
        if (!Reset(value))
            return E_POINTER;
        return ForItem(id, [&](const AccessibleItem* item) {
            return item ? DISP_E_MEMBERNOTFOUND : standard_->get_accValue(id, value);
        });
    }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT id, BSTR* text) noexcept override {
        if (!Reset(text))
            return E_POINTER;
        return ForItem(id, [&](const AccessibleItem* item) {
            return item ? S_FALSE : standard_->get_accDescription(id, text);
        });
    }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT id, VARIANT* role) noexcept override {
        if (!Reset(role))
            return E_POINTER;
        return ForItem(id, [&](const AccessibleItem* item) {
            PutNumber(item ? item->role : view_->Role(), role);
            return S_OK;
        });
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT id, VARIANT* state) noexcept override {
        if (!Reset(state))
            return E_POINTER;
        return ForItem(id, [&](const AccessibleItem* item) {
            if (item == nullptr)
                return standard_->get_accState(id, state);
            PutNumber(item->state, state);
            return S_OK;
        });
    }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT id, BSTR* help) noexcept override {
        if (!Reset(help))
            return E_POINTER;
        return ForItem(id, [&](const AccessibleItem* item) {
            return item ? S_FALSE : standard_->get_accHelp(id, help);
        });
    }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT id, LONG* topic) noexcept override {
        if (!Reset(file) || topic == nullptr)
            return E_POINTER;
        return ForItem(id, [&](const AccessibleItem* item) {
            return item ? S_FALSE : standard_->get_accHelpTopic(file, id, topic);
        });
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT id, BSTR* shortcut) noexcept override {
        if (!Reset(shortcut))
            return E_POINTER;
        return ForItem(id, [&](const AccessibleItem* item) {
            return item ? S_FALSE : standard_->get_accKeyboardShortcut(id, shortcut);
        });
    }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* focus) noexcept override {
        if (!Reset(focus))
            return E_POINTER;
        return Guard([&] {
            const std::vector<AccessibleItem> items = view_->Items();
            for (std::size_t i = 0; i < items.size(); ++i) {
                if (items[i].state & STATE_SYSTEM_FOCUSED) {
                    PutNumber(static_cast<long>(i + 1), focus);
                    return S_OK;
                }
            }
            return S_FALSE;
        });
    }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* selection) noexcept override {
        if (!Reset(selection))
            return E_POINTER;
        return Guard([] { return S_FALSE; });
    }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT id, BSTR* action) noexcept override {
        if (!Reset(action))
            return E_POINTER;
        return ForItem(id, [&](const AccessibleItem* item) {
            if (item == nullptr)
                return standard_->get_accDefaultAction(id, action);
            return item->action.empty() ? S_FALSE : PutText(item->action, action);
        });
    }
    HRESULT STDMETHODCALLTYPE accSelect(LONG flags, VARIANT id) noexcept override {
        return ForItem(id, [&](const AccessibleItem* item) {
            return item ? DISP_E_MEMBERNOTFOUND : standard_->accSelect(flags, id);
        });
    }
    HRESULT STDMETHODCALLTYPE accLocation(LONG* left, LONG* top, LONG* width, LONG* height,
                                          VARIANT id) noexcept override {
        if (left == nullptr || top == nullptr || width == nullptr || height == nullptr)
            return E_POINTER;
        return ForItem(id, [&](const AccessibleItem* item) {
            if (item == nullptr)
                return standard_->accLocation(left, top, width, height, id);
            *left = item->screen.left;
            *top = item->screen.top;
            *width = item->screen.right - item->screen.left;
            *height = item->screen.bottom - item->screen.top;
            return S_OK;
        });
    }
    HRESULT STDMETHODCALLTYPE accNavigate(LONG direction, VARIANT start, VARIANT* end) noexcept override {
        if (!Reset(end))
            return E_POINTER;
        return ForItem(start, [&](const AccessibleItem* item) {
            const auto count = static_cast<long>(view_->Items().size());
            long to = 0;
            if (item == nullptr) {
                if (direction != NAVDIR_FIRSTCHILD && direction != NAVDIR_LASTCHILD)
                    return standard_->accNavigate(direction, start, end);
                to = direction == NAVDIR_FIRSTCHILD ? 1 : count;
            } else if (direction == NAVDIR_NEXT || direction == NAVDIR_DOWN || direction == NAVDIR_RIGHT) {
                to = start.lVal + 1;
            } else if (direction == NAVDIR_PREVIOUS || direction == NAVDIR_UP || direction == NAVDIR_LEFT) {
                to = start.lVal - 1;
            }
            if (to < 1 || to > count)
                return S_FALSE;
            PutNumber(to, end);
            return S_OK;
        });
    }
    HRESULT STDMETHODCALLTYPE accHitTest(LONG x, LONG y, VARIANT* found) noexcept override {
        if (!Reset(found))
            return E_POINTER;
        return Guard([&] {
            const POINT point{x, y};
            const std::vector<AccessibleItem> items = view_->Items();
            for (std::size_t i = 0; i < items.size(); ++i) {
                if (::PtInRect(&items[i].screen, point)) {
                    PutNumber(static_cast<long>(i + 1), found);
                    return S_OK;
                }
            }
            RECT client;
            ::GetClientRect(window_, &client);
            ::MapWindowPoints(window_, nullptr, reinterpret_cast<POINT*>(&client), 2);
            if (!::PtInRect(&client, point))
                return S_FALSE;
            PutNumber(CHILDID_SELF, found);
            return S_OK;
        });
    }
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT id) noexcept override {
        return ForItem(id, [&](const AccessibleItem* item) {
            if (item == nullptr)
                return standard_->accDoDefaultAction(id);
            if (item->action.empty())
                return DISP_E_MEMBERNOTFOUND;
            view_->Press(static_cast<std::size_t>(id.lVal - 1));
            return S_OK;
        });
    }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) noexcept override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT, BSTR) noexcept override { return E_NOTIMPL; }

private:
    ~AccessibleObject() { Disconnect(); }

    template <class Call> HRESULT Guard(Call&& call) noexcept {
        if (view_ == nullptr || standard_ == nullptr)
            return RPC_E_DISCONNECTED;
        try {
            return call();
        } catch (...) {
            return E_FAIL;
        }
    }

    // Calls `call` with the item that `id` names, or null for the object itself.
    template <class Call> HRESULT ForItem(const VARIANT& id, Call&& call) noexcept {
        return Guard([&] {
            if (id.vt != VT_I4)
                return E_INVALIDARG;
            if (id.lVal == CHILDID_SELF)
                return call(static_cast<const AccessibleItem*>(nullptr));
            const std::vector<AccessibleItem> items = view_->Items();
            if (id.lVal < 1 || static_cast<std::size_t>(id.lVal) > items.size())
                return E_INVALIDARG;
            return call(&items[static_cast<std::size_t>(id.lVal - 1)]);
        });
    }

    HWND window_;
    AccessibleView* view_;
    IAccessible* standard_;
    LONG references_ = 1;
};
#pragma GCC diagnostic pop

AccessibleServer::~AccessibleServer() {
    if (object_ == nullptr)
        return;
    object_->Disconnect();
    // Clients in other processes let go of it now, rather than when they release their proxies.
    static const auto disconnect =
        platform::SystemFunction<DisconnectProc>("ole32.dll", "CoDisconnectObject");
    if (disconnect != nullptr)
        disconnect(static_cast<IAccessible*>(object_), 0);
    object_->Release();
}

LRESULT AccessibleServer::Answer(HWND window, WPARAM wParam, LPARAM lParam) {
    if (static_cast<LONG>(static_cast<DWORD>(lParam)) != OBJID_CLIENT)
        return 0;
    static const auto lresult = platform::SystemFunction<LresultProc>("oleacc.dll", "LresultFromObject");
    static const auto standard =
        platform::SystemFunction<StandardProc>("oleacc.dll", "CreateStdAccessibleObject");
    if (lresult == nullptr || standard == nullptr || !InApartment())
        return 0;
    if (object_ == nullptr) {
        IAccessible* base = nullptr;
        if (FAILED(standard(window, OBJID_CLIENT, __uuidof(IAccessible), reinterpret_cast<void**>(&base))))
            return 0;
        object_ = new (std::nothrow) AccessibleObject(window, view_, base);
        if (object_ == nullptr) {
            base->Release();
            return 0;
        }
    }
    const LRESULT answer = lresult(__uuidof(IAccessible), wParam, static_cast<IAccessible*>(object_));
    return FAILED(static_cast<HRESULT>(answer)) ? 0 : answer;
}

void AccessibleServer::Notify(HWND window, DWORD event, long child) {
    // NT 4 may lack it.
    static const auto notify = platform::SystemFunction<NotifyProc>("user32.dll", "NotifyWinEvent");
    if (notify != nullptr)
        notify(event, window, OBJID_CLIENT, child);
}

} // namespace framework
