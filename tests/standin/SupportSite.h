#pragma once
// The routes of the stand-in support site and spare-parts site.
//
// Serial numbers choose what the site does, so one running site serves every case:
//   identification page  /cn-zh/drivers/selfservice/identify?q=SERIAL
//     leads on to the HP ZHAN 66 Pro G1 driver page by 302 (default) or by script
//     (--redirect, /__control?redirect=); a serial starting with SCRIPT always uses a
//     script, one starting with STAY leads nowhere. It sets a cookie on the way.
//   warranty result      /cn-zh/warrantyresult/...&serialNo=SERIAL&multiWarranty=true
//     answers pages/warranty-SERIAL.html (pages/warranty-unknown.html when there is
//     none) as UTF-8 with CR LF line ends. FAULT-SLOW, FAULT-EMPTY, FAULT-ERROR,
//     FAULT-HANG, FAULT-CUT, FAULT-STALL and FAULT-LF pick a fault for that serial;
//     --fault or /__control?fault= picks one for every serial.
//   /cn-zh/frames.html   a page with two frames, the second from http://localhost:PORT
//   /Search.aspx?SearchText=TEXT
//   /__log               every request so far (requests to /__* are not logged)
//   /__control?redirect=MODE&fault=MODE

#include <atomic>

#include "RequestLog.h"
#include "StandinOptions.h"

namespace httplib { class Server; }

namespace standin {

// Stall: headers and half the body, then nothing more until the site stops.
enum class WarrantyAnswer { Page, Slow, Empty, SiteError, Hang, Cut, Stall, LfOnly };

class SupportSite {
public:
    SupportSite(const Options& options, RequestLog& log);
    void Install(httplib::Server& server);

private:
    WarrantyAnswer AnswerFor(const std::string& serial) const;

    Options options_;
    RequestLog& log_;
    std::atomic<RedirectMode> redirect_;
    std::atomic<FaultMode> fault_;
};

}  // namespace standin
