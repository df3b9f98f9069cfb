#include "platform/win32/WebBrowserHost.h"

#include <docobj.h>
#include <idispids.h>

#include <utility>

#include "platform/win32/BrowserEventSink.h"

namespace platform::win32 {
namespace {

constexpr LONG kMediumTextSize = 2;  // OLECMDID_ZOOM takes 0 (smallest) to 4 (largest)

template <typename T>
void ReleaseAndClear(T*& pointer) {
    if (pointer) {
        pointer->Release();
        pointer = nullptr;
    }
}

}  // namespace

WebBrowserHost::WebBrowserHost(HWND container, std::function<void()> navigated)
    : container_(container), navigated_(std::move(navigated)) {}

WebBrowserHost* WebBrowserHost::Create(HWND container, std::function<void()> navigated) {
    auto* host = new WebBrowserHost(container, std::move(navigated));
    if (!host->Activate()) {
        host->Close();
        host->Release();
        return nullptr;
    }
    return host;
}

RECT WebBrowserHost::ClientPlace() const {
    RECT place{};
    GetClientRect(container_, &place);
    return place;
}

bool WebBrowserHost::Activate() {
    if (FAILED(CoCreateInstance(CLSID_WebBrowser, nullptr, CLSCTX_INPROC_SERVER, IID_IOleObject,
                                reinterpret_cast<void**>(&oleObject_))) ||
        !oleObject_)
        return false;
    if (FAILED(oleObject_->SetClientSite(this))) return false;
    RECT place = ClientPlace();
    if (FAILED(oleObject_->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, this, 0, container_, &place))) return false;
    if (FAILED(oleObject_->QueryInterface(IID_IWebBrowser2, reinterpret_cast<void**>(&browser_))) || !browser_)
        return false;
    // Script-error and security dialogs would block the main thread of a window that
    // never shows the page.
    browser_->put_Silent(VARIANT_TRUE);
    ConnectEvents();
    ApplyTextSize();
    return true;
}

void WebBrowserHost::ConnectEvents() {
    IConnectionPointContainer* points = nullptr;
    if (FAILED(browser_->QueryInterface(IID_IConnectionPointContainer, reinterpret_cast<void**>(&points))) ||
        !points)
        return;
    if (SUCCEEDED(points->FindConnectionPoint(DIID_DWebBrowserEvents2, &connectionPoint_)) && connectionPoint_) {
        sink_ = new BrowserEventSink(
            [this](IDispatch* frame, const std::wstring& url) { OnNavigateComplete(frame, url); });
        if (FAILED(connectionPoint_->Advise(sink_, &adviseCookie_))) adviseCookie_ = 0;
    }
    points->Release();
}

void WebBrowserHost::ApplyTextSize() {
    if (!browser_) return;
    VARIANT size;
    VariantInit(&size);
    size.vt = VT_I4;
    size.lVal = kMediumTextSize;
    // Fails while no document is loaded; it is applied again on every top-level page.
    browser_->ExecWB(OLECMDID_ZOOM, OLECMDEXECOPT_DONTPROMPTUSER, &size, nullptr);
}

bool WebBrowserHost::IsTopLevel(IDispatch* frame) const {
    if (!frame || !browser_) return false;
    IUnknown* frameIdentity = nullptr;
    IUnknown* browserIdentity = nullptr;
    frame->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&frameIdentity));
    browser_->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&browserIdentity));
    bool same = frameIdentity && frameIdentity == browserIdentity;
    if (frameIdentity) frameIdentity->Release();
    if (browserIdentity) browserIdentity->Release();
    return same;
}

void WebBrowserHost::OnNavigateComplete(IDispatch* frame, const std::wstring& url) {
    // The handler may close the window, which closes and releases this host.
    AddRef();
    if (IsTopLevel(frame)) ApplyTextSize();
    // A handler that pumps messages may see a nested notification; restore the outer
    // one's address when it returns.
    std::optional<std::wstring> outer = std::exchange(notifiedUrl_, url);
    // A copy: Close() from inside the handler clears navigated_ during its own call.
    if (std::function<void()> navigated = navigated_) navigated();
    notifiedUrl_ = std::move(outer);
    Release();
}

void WebBrowserHost::Navigate(const std::wstring& url) {
    if (!browser_) return;
    BSTR address = SysAllocStringLen(url.data(), static_cast<UINT>(url.size()));
    if (!address) return;
    VARIANT flags, target, postData, headers;
    VariantInit(&flags);
    VariantInit(&target);
    VariantInit(&postData);
    VariantInit(&headers);
    browser_->Navigate(address, &flags, &target, &postData, &headers);
    SysFreeString(address);
}

std::wstring WebBrowserHost::Address() {
    if (notifiedUrl_) return *notifiedUrl_;
    if (!browser_) return {};
    BSTR location = nullptr;
    std::wstring address;
    if (SUCCEEDED(browser_->get_LocationURL(&location)) && location)
        address.assign(location, SysStringLen(location));
    SysFreeString(location);
    return address;
}

IDispatch* WebBrowserHost::EventSink() const { return sink_; }

void WebBrowserHost::Close() {
    if (connectionPoint_) {
        if (adviseCookie_) connectionPoint_->Unadvise(adviseCookie_);
        adviseCookie_ = 0;
        ReleaseAndClear(connectionPoint_);
    }
    if (sink_) {
        sink_->Detach();
        ReleaseAndClear(sink_);
    }
    if (browser_) {
        browser_->Stop();
        ReleaseAndClear(browser_);
    }
    if (oleObject_) {
        IOleInPlaceObject* inPlace = nullptr;
        if (SUCCEEDED(oleObject_->QueryInterface(IID_IOleInPlaceObject, reinterpret_cast<void**>(&inPlace))) &&
            inPlace) {
            inPlace->InPlaceDeactivate();
            inPlace->Release();
        }
        oleObject_->Close(OLECLOSE_NOSAVE);
        oleObject_->SetClientSite(nullptr);
        ReleaseAndClear(oleObject_);
    }
    navigated_ = nullptr;
}

// IUnknown

HRESULT STDMETHODCALLTYPE WebBrowserHost::QueryInterface(REFIID riid, void** object) {
    if (!object) return E_POINTER;
    *object = nullptr;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IOleClientSite))
        *object = static_cast<IOleClientSite*>(this);
    else if (IsEqualIID(riid, IID_IOleWindow) || IsEqualIID(riid, IID_IOleInPlaceSite))
        *object = static_cast<IOleInPlaceSite*>(this);
    else if (IsEqualIID(riid, IID_IOleInPlaceUIWindow) || IsEqualIID(riid, IID_IOleInPlaceFrame))
        *object = static_cast<IOleInPlaceFrame*>(this);
    else if (IsEqualIID(riid, IID_IDispatch))
        *object = static_cast<IDispatch*>(this);
    else
        return E_NOINTERFACE;
    AddRef();
    return S_OK;
}

ULONG STDMETHODCALLTYPE WebBrowserHost::AddRef() { return static_cast<ULONG>(InterlockedIncrement(&references_)); }

ULONG STDMETHODCALLTYPE WebBrowserHost::Release() {
    LONG left = InterlockedDecrement(&references_);
    if (left == 0) delete this;
    return static_cast<ULONG>(left);
}

// IOleClientSite

HRESULT STDMETHODCALLTYPE WebBrowserHost::SaveObject() { return S_OK; }

HRESULT STDMETHODCALLTYPE WebBrowserHost::GetMoniker(DWORD, DWORD, IMoniker** moniker) {
    if (moniker) *moniker = nullptr;
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE WebBrowserHost::GetContainer(IOleContainer** container) {
    if (container) *container = nullptr;
    return E_NOINTERFACE;
}

HRESULT STDMETHODCALLTYPE WebBrowserHost::ShowObject() { return S_OK; }
HRESULT STDMETHODCALLTYPE WebBrowserHost::OnShowWindow(BOOL) { return S_OK; }
HRESULT STDMETHODCALLTYPE WebBrowserHost::RequestNewObjectLayout() { return E_NOTIMPL; }

// IOleWindow

HRESULT STDMETHODCALLTYPE WebBrowserHost::GetWindow(HWND* window) {
    if (!window) return E_POINTER;
    *window = container_;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE WebBrowserHost::ContextSensitiveHelp(BOOL) { return E_NOTIMPL; }

// IOleInPlaceSite

HRESULT STDMETHODCALLTYPE WebBrowserHost::CanInPlaceActivate() { return S_OK; }
HRESULT STDMETHODCALLTYPE WebBrowserHost::OnInPlaceActivate() { return S_OK; }
HRESULT STDMETHODCALLTYPE WebBrowserHost::OnUIActivate() { return S_OK; }

HRESULT STDMETHODCALLTYPE WebBrowserHost::GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** document,
                                                           LPRECT position, LPRECT clip,
                                                           LPOLEINPLACEFRAMEINFO frameInfo) {
    if (frame) {
        *frame = static_cast<IOleInPlaceFrame*>(this);
        AddRef();
    }
    if (document) *document = nullptr;
    RECT place = ClientPlace();
    if (position) *position = place;
    if (clip) *clip = place;
    if (frameInfo) {
        frameInfo->cb = sizeof(OLEINPLACEFRAMEINFO);
        frameInfo->fMDIApp = FALSE;
        frameInfo->hwndFrame = GetAncestor(container_, GA_ROOT);
        frameInfo->haccel = nullptr;
        frameInfo->cAccelEntries = 0;
    }
    return S_OK;
}

HRESULT STDMETHODCALLTYPE WebBrowserHost::Scroll(SIZE) { return E_NOTIMPL; }
HRESULT STDMETHODCALLTYPE WebBrowserHost::OnUIDeactivate(BOOL) { return S_OK; }
HRESULT STDMETHODCALLTYPE WebBrowserHost::OnInPlaceDeactivate() { return S_OK; }
HRESULT STDMETHODCALLTYPE WebBrowserHost::DiscardUndoState() { return E_NOTIMPL; }
HRESULT STDMETHODCALLTYPE WebBrowserHost::DeactivateAndUndo() { return E_NOTIMPL; }

HRESULT STDMETHODCALLTYPE WebBrowserHost::OnPosRectChange(LPCRECT position) {
    // The control's place is fixed; accept the rectangle it reports without moving it.
    if (!position || !oleObject_) return S_OK;
    IOleInPlaceObject* inPlace = nullptr;
    if (SUCCEEDED(oleObject_->QueryInterface(IID_IOleInPlaceObject, reinterpret_cast<void**>(&inPlace))) &&
        inPlace) {
        RECT place = ClientPlace();
        inPlace->SetObjectRects(&place, &place);
        inPlace->Release();
    }
    return S_OK;
}

// IOleInPlaceUIWindow: the control gets no toolbars or borders.

HRESULT STDMETHODCALLTYPE WebBrowserHost::GetBorder(LPRECT) { return INPLACE_E_NOTOOLSPACE; }
HRESULT STDMETHODCALLTYPE WebBrowserHost::RequestBorderSpace(LPCBORDERWIDTHS) { return INPLACE_E_NOTOOLSPACE; }
HRESULT STDMETHODCALLTYPE WebBrowserHost::SetBorderSpace(LPCBORDERWIDTHS) { return OLE_E_INVALIDRECT; }
HRESULT STDMETHODCALLTYPE WebBrowserHost::SetActiveObject(IOleInPlaceActiveObject*, LPCOLESTR) { return S_OK; }

// IOleInPlaceFrame: no menus, no status bar, no accelerators of the host's own.

HRESULT STDMETHODCALLTYPE WebBrowserHost::InsertMenus(HMENU, LPOLEMENUGROUPWIDTHS) { return E_NOTIMPL; }
HRESULT STDMETHODCALLTYPE WebBrowserHost::SetMenu(HMENU, HOLEMENU, HWND) { return S_OK; }
HRESULT STDMETHODCALLTYPE WebBrowserHost::RemoveMenus(HMENU) { return E_NOTIMPL; }
HRESULT STDMETHODCALLTYPE WebBrowserHost::SetStatusText(LPCOLESTR) { return S_OK; }
HRESULT STDMETHODCALLTYPE WebBrowserHost::EnableModeless(BOOL) { return S_OK; }
HRESULT STDMETHODCALLTYPE WebBrowserHost::TranslateAccelerator(LPMSG, WORD) { return S_FALSE; }

// IDispatch

HRESULT STDMETHODCALLTYPE WebBrowserHost::GetTypeInfoCount(UINT* count) {
    if (count) *count = 0;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE WebBrowserHost::GetTypeInfo(UINT, LCID, ITypeInfo** info) {
    if (info) *info = nullptr;
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE WebBrowserHost::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) {
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE WebBrowserHost::Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS*, VARIANT* result,
                                                 EXCEPINFO*, UINT*) {
    VARIANT_BOOL value;
    switch (id) {
    case DISPID_AMBIENT_OFFLINEIFNOTCONNECTED: value = VARIANT_FALSE; break;  // pages from the network
    case DISPID_AMBIENT_SILENT: value = VARIANT_TRUE; break;                  // no dialogs of its own
    default: return DISP_E_MEMBERNOTFOUND;
    }
    if (!result) return E_POINTER;
    VariantInit(result);
    result->vt = VT_BOOL;
    result->boolVal = value;
    return S_OK;
}

}  // namespace platform::win32
