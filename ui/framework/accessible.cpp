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
        return view_ != nullptr ? standard_->get_accParent(parent) : RPC_E_DISCONNECTED;
    }
    HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* count) noexcept override {
        Reading read;
        if (count == nullptr)
            return E_POINTER;
        const HRESULT hr = Read(nullptr, read);
        *count = static_cast<LONG>(read.items.size());
        return hr;
    }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT id, IDispatch** child) noexcept override {
        Reading read;
        const HRESULT hr = Begin(child, &id, read);
        return hr != S_OK ? hr : S_FALSE; // the items are simple elements of this object
    }
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT id, BSTR* name) noexcept override {
        Reading read;
        const HRESULT hr = Begin(name, &id, read);
        return hr != S_OK ? hr : PutText(read.item != nullptr ? read.item->name : read.name, name);
    }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT id, BSTR* value) noexcept override {
        const HRESULT hr = Own(id, value);
        return hr != S_OK ? hr : standard_->get_accValue(id, value);
    }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT id, BSTR* text) noexcept override {
        const HRESULT hr = Own(id, text);
        return hr != S_OK ? hr : standard_->get_accDescription(id, text);
    }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT id, VARIANT* role) noexcept override {
        Reading read;
        const HRESULT hr = Begin(role, &id, read);
        if (hr == S_OK)
            PutNumber(read.item != nullptr ? read.item->role : read.role, role);
        return hr;
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT id, VARIANT* state) noexcept override {
        Reading read;
        const HRESULT hr = Begin(state, &id, read);
        if (hr != S_OK || read.item == nullptr)
            return hr != S_OK ? hr : standard_->get_accState(id, state);
        PutNumber(read.item->state, state);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT id, BSTR* help) noexcept override {
        const HRESULT hr = Own(id, help);
        return hr != S_OK ? hr : standard_->get_accHelp(id, help);
    }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT id, LONG* topic) noexcept override {
        if (topic == nullptr)
            return E_POINTER;
        const HRESULT hr = Own(id, file);
        return hr != S_OK ? hr : standard_->get_accHelpTopic(file, id, topic);
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT id, BSTR* shortcut) noexcept override {
        const HRESULT hr = Own(id, shortcut);
        return hr != S_OK ? hr : standard_->get_accKeyboardShortcut(id, shortcut);
    }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* focus) noexcept override {
        Reading read;
        HRESULT hr = Begin(focus, nullptr, read);
        for (std::size_t i = 0; hr == S_OK && i < read.items.size(); ++i)
            if (read.items[i].state & STATE_SYSTEM_FOCUSED)
                PutNumber(static_cast<long>(i + 1), focus);
        return hr == S_OK && focus->vt == VT_EMPTY ? S_FALSE : hr;
    }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* selection) noexcept override {
        if (!Reset(selection))
            return E_POINTER;
        return view_ != nullptr ? S_FALSE : RPC_E_DISCONNECTED;
    }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT id, BSTR* action) noexcept override {
        Reading read;
        const HRESULT hr = Begin(action, &id, read);
        if (hr != S_OK || read.item == nullptr)
            return hr != S_OK ? hr : standard_->get_accDefaultAction(id, action);
        return read.item->action.empty() ? S_FALSE : PutText(read.item->action, action);
    }
    HRESULT STDMETHODCALLTYPE accSelect(LONG flags, VARIANT id) noexcept override {
        Reading read;
        const HRESULT hr = Read(&id, read);
        if (hr != S_OK || read.item == nullptr)
            return hr != S_OK ? hr : standard_->accSelect(flags, id);
        return DISP_E_MEMBERNOTFOUND;
    }
    HRESULT STDMETHODCALLTYPE accLocation(LONG* left, LONG* top, LONG* width, LONG* height,
                                          VARIANT id) noexcept override {
        Reading read;
        if (left == nullptr || top == nullptr || width == nullptr || height == nullptr)
            return E_POINTER;
        const HRESULT hr = Read(&id, read);
        if (hr != S_OK || read.item == nullptr)
            return hr != S_OK ? hr : standard_->accLocation(left, top, width, height, id);
        const RECT& r = read.item->screen;
        *left = r.left;
        *top = r.top;
        *width = r.right - r.left;
        *height = r.bottom - r.top;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE accNavigate(LONG direction, VARIANT start, VARIANT* end) noexcept override {
        Reading read;
        const HRESULT hr = Begin(end, &start, read);
        if (hr != S_OK)
            return hr;
        long to = 0;
        if (read.item == nullptr) {
            if (direction != NAVDIR_FIRSTCHILD && direction != NAVDIR_LASTCHILD)
                return standard_->accNavigate(direction, start, end);
            to = direction == NAVDIR_FIRSTCHILD ? 1 : static_cast<long>(read.items.size());
        } else if (direction == NAVDIR_NEXT || direction == NAVDIR_DOWN || direction == NAVDIR_RIGHT) {
            to = start.lVal + 1;
        } else if (direction == NAVDIR_PREVIOUS || direction == NAVDIR_UP || direction == NAVDIR_LEFT) {
            to = start.lVal - 1;
        }
        if (to < 1 || static_cast<std::size_t>(to) > read.items.size())
            return S_FALSE;
        PutNumber(to, end);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE accHitTest(LONG x, LONG y, VARIANT* found) noexcept override {
        Reading read;
        const HRESULT hr = Begin(found, nullptr, read);
        if (hr != S_OK)
            return hr;
        const POINT point{x, y};
        for (std::size_t i = read.items.size(); i-- > 0 && found->vt == VT_EMPTY;)
            if (::PtInRect(&read.items[i].screen, point))
                PutNumber(static_cast<long>(i + 1), found);
        RECT client;
        ::GetClientRect(window_, &client);
        ::MapWindowPoints(window_, nullptr, reinterpret_cast<POINT*>(&client), 2);
        if (found->vt == VT_EMPTY && ::PtInRect(&client, point))
            PutNumber(CHILDID_SELF, found);
        return found->vt == VT_EMPTY ? S_FALSE : S_OK;
    }
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT id) noexcept override {
        Reading read;
        const HRESULT hr = Read(&id, read);
        if (hr != S_OK || read.item == nullptr)
            return hr != S_OK ? hr : standard_->accDoDefaultAction(id);
        if (read.item->action.empty())
            return DISP_E_MEMBERNOTFOUND;
        view_->Press(static_cast<std::size_t>(id.lVal - 1));
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) noexcept override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT, BSTR) noexcept override { return E_NOTIMPL; }

private:
    // What one call reads of the view, and the item that its child id names (null: the object itself).
    struct Reading {
        std::wstring name;
        long role = 0;
        std::vector<AccessibleItem> items;
        const AccessibleItem* item = nullptr;
    };

    ~AccessibleObject() { Disconnect(); }

    // S_OK, or what the call answers: the object outlived its window, the view could not be read, or
    // `id` names nothing here.
    HRESULT Read(const VARIANT* id, Reading& read) noexcept {
        if (view_ == nullptr)
            return RPC_E_DISCONNECTED;
        try {
            read.name = view_->Name();
            read.role = view_->Role();
            read.items = view_->Items();
        } catch (...) {
            return E_FAIL;
        }
        if (id == nullptr || (id->vt == VT_I4 && id->lVal == CHILDID_SELF))
            return S_OK;
        if (id->vt != VT_I4 || id->lVal < 1 || static_cast<std::size_t>(id->lVal) > read.items.size())
            return E_INVALIDARG;
        read.item = &read.items[static_cast<std::size_t>(id->lVal - 1)];
        return S_OK;
    }

    // Empties the out parameter and reads the view: S_OK, or what the call answers at once.
    template <class T> HRESULT Begin(T* out, const VARIANT* id, Reading& read) noexcept {
        return Reset(out) ? Read(id, read) : E_POINTER;
    }

    // For what only the object itself has (the system's object answers it): S_OK when `id` names the
    // object, S_FALSE for an item.
    HRESULT Own(const VARIANT& id, BSTR* out) noexcept {
        Reading read;
        const HRESULT hr = Begin(out, &id, read);
        return hr == S_OK && read.item != nullptr ? S_FALSE : hr;
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
