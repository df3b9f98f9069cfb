#include "app/Startup.h"

#include "identify/IdentifyMachine.h"
#include "platform/Controls.h"
#include "platform/Threads.h"
#include "warranty/GlobalState.h"

void OnMainWindowCreated() {
    platform::SetControlProperty(platform::Control::按钮2, platform::Property::Disabled, true);
    platform::StartThread(IdentifyThreadEntry);
}

void IdentifyThreadEntry() { IdentifyMachine(); }

// A worker still identifying at this moment meets released texts that ignore its
// stores, never freed memory: the texts themselves live on.
void ReleaseGlobals() {
    WarrantyUrl().Release();
    SerialNumber().Release();
    ModelName().Release();
    ProductNumber().Release();
}
