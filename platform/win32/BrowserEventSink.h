#pragma once
// The DWebBrowserEvents2 sink of the hosted WebBrowser control. Only NavigateComplete2
// (dispatch id 252) is passed on, once per notification, top page and frames alike;
// every other notification is acknowledged and dropped.

#include <windows.h>
#include <oaidl.h>

#include <functional>
#include <string>

namespace platform::win32 {

class BrowserEventSink final : public IDispatch {
public:
    // frame: the WebBrowser object of the page or frame that completed (may be null);
    // url: the address that came with the notification.
    using NavigateCompleteCallback = std::function<void(IDispatch* frame, const std::wstring& url)>;

    explicit BrowserEventSink(NavigateCompleteCallback callback);

    // Stops forwarding; the connection point may still hold a reference for a while.
    void Detach();

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;

    // IDispatch
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID lcid, ITypeInfo** info) override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, LCID lcid,
                                            DISPID* ids) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID riid, LCID lcid, WORD flags, DISPPARAMS* params,
                                     VARIANT* result, EXCEPINFO* exception, UINT* argError) override;

private:
    ~BrowserEventSink() = default;

    LONG references_ = 1;
    NavigateCompleteCallback callback_;
};

}  // namespace platform::win32
