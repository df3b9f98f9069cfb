#include "warranty/SiteEndpoints.h"

#include <cstdlib>

namespace {

Text Setting(const char* variable, const char* fallback) {
    const char* value = std::getenv(variable);
    return (value && *value) ? Text(value) : Text(fallback);
}

}  // namespace

Text SupportSiteOrigin() { return Setting("LANTUO_SUPPORT_SITE_ORIGIN", "https://support.hp.com"); }

Text IdentifyPagePrefix() { return ConcatText({SupportSiteOrigin(), "/cn-zh/drivers/selfservice/identify?q="}); }

Text Zhan66DriverPage() {
    return ConcatText(
        {SupportSiteOrigin(), "/cn-zh/drivers/selfservice/hp-zhan-66-pro-g1-notebook-pc/17996593/model/17996596"});
}

Text PartsLookupOrigin() { return Setting("LANTUO_PARTS_LOOKUP_ORIGIN", "http://partsurfer.hp.com"); }

Text PartsLookupPrefix() { return ConcatText({PartsLookupOrigin(), "/Search.aspx?SearchText="}); }
