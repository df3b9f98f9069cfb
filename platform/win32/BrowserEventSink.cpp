#include "platform/win32/BrowserEventSink.h"

#include <exdisp.h>
#include <exdispid.h>

#include <utility>

namespace platform::win32 {
namespace {

// Unwraps the VARIANT* the control passes by reference (VT_BYREF | VT_VARIANT), or
// takes a direct value, and returns the string it holds; anything else reads as empty.
std::wstring StringArgument(const VARIANT& argument) {
    const VARIANT* value = &argument;
    if (value->vt == (VT_BYREF | VT_VARIANT) && value->pvarVal) value = value->pvarVal;
    BSTR text = nullptr;
    if (value->vt == VT_BSTR) text = value->bstrVal;
    else if (value->vt == (VT_BYREF | VT_BSTR) && value->pbstrVal) text = *value->pbstrVal;
    return text ? std::wstring(text, SysStringLen(text)) : std::wstring();
}

IDispatch* DispatchArgument(const VARIANT& argument) {
    if (argument.vt == VT_DISPATCH) return argument.pdispVal;
    if (argument.vt == (VT_BYREF | VT_DISPATCH) && argument.ppdispVal) return *argument.ppdispVal;
    return nullptr;
}

}  // namespace

BrowserEventSink::BrowserEventSink(NavigateCompleteCallback callback) : callback_(std::move(callback)) {}

void BrowserEventSink::Detach() { callback_ = nullptr; }

HRESULT STDMETHODCALLTYPE BrowserEventSink::QueryInterface(REFIID riid, void** object) {
    if (!object) return E_POINTER;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDispatch) ||
        IsEqualIID(riid, DIID_DWebBrowserEvents2)) {
        *object = static_cast<IDispatch*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

ULONG STDMETHODCALLTYPE BrowserEventSink::AddRef() { return static_cast<ULONG>(InterlockedIncrement(&references_)); }

ULONG STDMETHODCALLTYPE BrowserEventSink::Release() {
    LONG left = InterlockedDecrement(&references_);
    if (left == 0) delete this;
    return static_cast<ULONG>(left);
}

HRESULT STDMETHODCALLTYPE BrowserEventSink::GetTypeInfoCount(UINT* count) {
    if (count) *count = 0;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE BrowserEventSink::GetTypeInfo(UINT, LCID, ITypeInfo** info) {
    if (info) *info = nullptr;
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE BrowserEventSink::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) {
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE BrowserEventSink::Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params,
                                                   VARIANT*, EXCEPINFO*, UINT*) {
    if (id != DISPID_NAVIGATECOMPLETE2 || !callback_) return S_OK;
    // Arguments arrive in reverse order: rgvarg[1] is the frame, rgvarg[0] its URL.
    // A notification with missing arguments still counts as one navigation.
    IDispatch* frame = nullptr;
    std::wstring url;
    if (params && params->rgvarg) {
        if (params->cArgs >= 1) url = StringArgument(params->rgvarg[0]);
        if (params->cArgs >= 2) frame = DispatchArgument(params->rgvarg[1]);
    }
    // The handler may close the window, which detaches and releases this sink: keep it
    // and the callback alive until the call has returned.
    AddRef();
    NavigateCompleteCallback callback = callback_;
    callback(frame, url);
    Release();
    return S_OK;
}

}  // namespace platform::win32
