#pragma once
// Raises a browser event on a DWebBrowserEvents2 sink as the control does: arguments
// in reverse order, the URL as a VARIANT by reference, the frame's browser first.
// Wine's control never completes a navigation, so tests raise the event themselves.

#include <windows.h>

#include <exdisp.h>
#include <oleauto.h>

inline void RaiseBrowserEvent(IDispatch* sink, DISPID id, const wchar_t* url, bool withFrame = true) {
    VARIANT urlValue;
    VariantInit(&urlValue);
    urlValue.vt = VT_BSTR;
    urlValue.bstrVal = url ? SysAllocString(url) : nullptr;
    VARIANT arguments[2];
    VariantInit(&arguments[0]);
    VariantInit(&arguments[1]);
    arguments[0].vt = VT_BYREF | VT_VARIANT;
    arguments[0].pvarVal = &urlValue;
    arguments[1].vt = VT_DISPATCH;
    arguments[1].pdispVal = nullptr;  // not the top-level browser
    DISPPARAMS parameters{arguments, nullptr, withFrame ? 2u : 1u, 0};
    sink->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &parameters, nullptr, nullptr, nullptr);
    VariantClear(&urlValue);
}
