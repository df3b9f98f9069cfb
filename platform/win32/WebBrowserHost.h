#pragma once
// Hosts the system's WebBrowser control by hand (no ATL): the OLE client site,
// in-place site and frame it needs, ambient properties that keep it silent and online,
// and a DWebBrowserEvents2 sink whose NavigateComplete2 raises the navigated callback.
// Lives on the main thread's single-threaded apartment; every call comes from there.

#include <windows.h>
#include <exdisp.h>
#include <ole2.h>

#include <functional>
#include <optional>
#include <string>

namespace platform::win32 {

class BrowserEventSink;

class WebBrowserHost final : public IOleClientSite,
                             public IOleInPlaceSite,
                             public IOleInPlaceFrame,
                             public IDispatch {
public:
    // Creates the control in-place active inside container, filling its client area.
    // Returns null (and leaves nothing behind) if the control cannot be created.
    static WebBrowserHost* Create(HWND container, std::function<void()> navigated);

    // A plain navigation of the top-level browser; also to the address already shown.
    void Navigate(const std::wstring& url);
    // Inside the navigated callback: the URL of that notification; otherwise the
    // current top-level document's URL.
    std::wstring Address();
    // The DWebBrowserEvents2 sink connected to the control (no reference added).
    IDispatch* EventSink() const;
    // Disconnects the sink, stops loading and deactivates the control. Idempotent.
    void Close();

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;

    // IOleClientSite
    HRESULT STDMETHODCALLTYPE SaveObject() override;
    HRESULT STDMETHODCALLTYPE GetMoniker(DWORD assign, DWORD which, IMoniker** moniker) override;
    HRESULT STDMETHODCALLTYPE GetContainer(IOleContainer** container) override;
    HRESULT STDMETHODCALLTYPE ShowObject() override;
    HRESULT STDMETHODCALLTYPE OnShowWindow(BOOL show) override;
    HRESULT STDMETHODCALLTYPE RequestNewObjectLayout() override;

    // IOleWindow (shared by the in-place site and the frame)
    HRESULT STDMETHODCALLTYPE GetWindow(HWND* window) override;
    HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL enterMode) override;

    // IOleInPlaceSite
    HRESULT STDMETHODCALLTYPE CanInPlaceActivate() override;
    HRESULT STDMETHODCALLTYPE OnInPlaceActivate() override;
    HRESULT STDMETHODCALLTYPE OnUIActivate() override;
    HRESULT STDMETHODCALLTYPE GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** document,
                                               LPRECT position, LPRECT clip,
                                               LPOLEINPLACEFRAMEINFO frameInfo) override;
    HRESULT STDMETHODCALLTYPE Scroll(SIZE extent) override;
    HRESULT STDMETHODCALLTYPE OnUIDeactivate(BOOL undoable) override;
    HRESULT STDMETHODCALLTYPE OnInPlaceDeactivate() override;
    HRESULT STDMETHODCALLTYPE DiscardUndoState() override;
    HRESULT STDMETHODCALLTYPE DeactivateAndUndo() override;
    HRESULT STDMETHODCALLTYPE OnPosRectChange(LPCRECT position) override;

    // IOleInPlaceUIWindow
    HRESULT STDMETHODCALLTYPE GetBorder(LPRECT border) override;
    HRESULT STDMETHODCALLTYPE RequestBorderSpace(LPCBORDERWIDTHS widths) override;
    HRESULT STDMETHODCALLTYPE SetBorderSpace(LPCBORDERWIDTHS widths) override;
    HRESULT STDMETHODCALLTYPE SetActiveObject(IOleInPlaceActiveObject* object, LPCOLESTR name) override;

    // IOleInPlaceFrame
    HRESULT STDMETHODCALLTYPE InsertMenus(HMENU shared, LPOLEMENUGROUPWIDTHS widths) override;
    HRESULT STDMETHODCALLTYPE SetMenu(HMENU shared, HOLEMENU descriptor, HWND activeObject) override;
    HRESULT STDMETHODCALLTYPE RemoveMenus(HMENU shared) override;
    HRESULT STDMETHODCALLTYPE SetStatusText(LPCOLESTR text) override;
    HRESULT STDMETHODCALLTYPE EnableModeless(BOOL enable) override;
    HRESULT STDMETHODCALLTYPE TranslateAccelerator(LPMSG message, WORD id) override;

    // IDispatch: the ambient properties the control asks its site for.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID lcid, ITypeInfo** info) override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, LCID lcid,
                                            DISPID* ids) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID riid, LCID lcid, WORD flags, DISPPARAMS* params,
                                     VARIANT* result, EXCEPINFO* exception, UINT* argError) override;

private:
    WebBrowserHost(HWND container, std::function<void()> navigated);
    ~WebBrowserHost() = default;

    bool Activate();
    void ConnectEvents();
    void ApplyTextSize();
    bool IsTopLevel(IDispatch* frame) const;
    void OnNavigateComplete(IDispatch* frame, const std::wstring& url);
    RECT ClientPlace() const;

    LONG references_ = 1;
    HWND container_;
    std::function<void()> navigated_;
    IOleObject* oleObject_ = nullptr;
    IWebBrowser2* browser_ = nullptr;
    BrowserEventSink* sink_ = nullptr;
    IConnectionPoint* connectionPoint_ = nullptr;
    DWORD adviseCookie_ = 0;
    // The URL of the notification whose handler is running, if any.
    std::optional<std::wstring> notifiedUrl_;
};

}  // namespace platform::win32
