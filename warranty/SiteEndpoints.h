#pragma once
// Addresses of the support website and the spare-parts lookup site. The two origins
// are settings: LANTUO_SUPPORT_SITE_ORIGIN and LANTUO_PARTS_LOOKUP_ORIGIN replace
// them (tests and the demo point them at a stand-in site on 127.0.0.1).

#include "text/Text.h"

Text SupportSiteOrigin();   // "https://support.hp.com"
Text IdentifyPagePrefix();  // origin + "/cn-zh/drivers/selfservice/identify?q="
Text Zhan66DriverPage();    // origin + the HP ZHAN 66 Pro G1 driver page
Text PartsLookupOrigin();   // "http://partsurfer.hp.com"
Text PartsLookupPrefix();   // origin + "/Search.aspx?SearchText="
