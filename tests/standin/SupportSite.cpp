#include "SupportSite.h"

#include <httplib.h>

#include <algorithm>
#include <chrono>
#include <fstream>
#include <sstream>
#include <thread>

namespace standin {

namespace {

constexpr const char* kDriverPage = "/cn-zh/drivers/selfservice/hp-zhan-66-pro-g1-notebook-pc/17996593/model/17996596";
constexpr const char* kHtml = "text/html; charset=utf-8";

bool StartsWith(const std::string& text, const std::string& prefix) { return text.rfind(prefix, 0) == 0; }

// Serial numbers name fixture files, so only plain characters are let through.
bool IsPlainSerial(const std::string& serial) {
    if (serial.empty() || serial.size() > 64) return false;
    for (char c : serial) {
        bool plain = (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '-' || c == '_';
        if (!plain) return false;
    }
    return true;
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream contents;
    contents << in.rdbuf();
    return contents.str();
}

// Fixture files are kept with LF line ends; the site answers CR LF, as the real one does.
std::string WithCrLf(const std::string& text) {
    std::string out;
    out.reserve(text.size() + text.size() / 16);
    for (char c : text) {
        if (c == '\r') continue;
        if (c == '\n') out += '\r';
        out += c;
    }
    return out;
}

std::string WithLf(const std::string& text) {
    std::string out;
    for (char c : text)
        if (c != '\r') out += c;
    return out;
}

// The value after "name=" in the raw request target, up to the next '&' or '#'.
std::string RawParameter(const std::string& target, const std::string& name) {
    size_t at = target.find(name + "=");
    while (at != std::string::npos && at > 0 && target[at - 1] != '&' && target[at - 1] != '?')
        at = target.find(name + "=", at + 1);
    if (at == std::string::npos) return {};
    size_t begin = at + name.size() + 1;
    size_t end = target.find_first_of("&#", begin);
    return target.substr(begin, end == std::string::npos ? std::string::npos : end - begin);
}

std::string HtmlEscape(const std::string& text) {
    std::string out;
    for (char c : text) {
        switch (c) {
            case '<': out += "&lt;"; break;
            case '>': out += "&gt;"; break;
            case '&': out += "&amp;"; break;
            case '"': out += "&quot;"; break;
            default: out += c;
        }
    }
    return out;
}

std::string SimplePage(const std::string& title, const std::string& body) {
    return WithCrLf("<!DOCTYPE html>\n<html>\n<head><meta charset=\"utf-8\"><title>" + title +
                    "</title></head>\n<body>\n" + body + "\n</body>\n</html>\n");
}

void SleepUntilStopped() {
    // The process ends from its watchdog; this thread simply never answers.
    for (;;) std::this_thread::sleep_for(std::chrono::hours(1));
}

}  // namespace

SupportSite::SupportSite(const Options& options, RequestLog& log)
    : options_(options), log_(log), redirect_(options.redirect), fault_(options.fault) {}

WarrantyAnswer SupportSite::AnswerFor(const std::string& serial) const {
    switch (fault_.load()) {
        case FaultMode::Slow: return WarrantyAnswer::Slow;
        case FaultMode::Empty: return WarrantyAnswer::Empty;
        case FaultMode::SiteError: return WarrantyAnswer::SiteError;
        case FaultMode::Hang: return WarrantyAnswer::Hang;
        case FaultMode::Cut: return WarrantyAnswer::Cut;
        case FaultMode::LfOnly: return WarrantyAnswer::LfOnly;
        case FaultMode::None: break;
    }
    if (serial == "FAULT-SLOW") return WarrantyAnswer::Slow;
    if (serial == "FAULT-EMPTY") return WarrantyAnswer::Empty;
    if (serial == "FAULT-ERROR") return WarrantyAnswer::SiteError;
    if (serial == "FAULT-HANG") return WarrantyAnswer::Hang;
    if (serial == "FAULT-CUT") return WarrantyAnswer::Cut;
    if (serial == "FAULT-STALL") return WarrantyAnswer::Stall;
    if (serial == "FAULT-LF") return WarrantyAnswer::LfOnly;
    return WarrantyAnswer::Page;
}

void SupportSite::Install(httplib::Server& server) {
    server.set_pre_routing_handler([this](const httplib::Request& request, httplib::Response&) {
        if (!StartsWith(request.path, "/__")) log_.Record(request);
        return httplib::Server::HandlerResponse::Unhandled;
    });

    server.Get("/__log", [this](const httplib::Request&, httplib::Response& response) {
        response.set_content(log_.Contents(), "text/plain; charset=utf-8");
    });

    server.Get("/__control", [this](const httplib::Request& request, httplib::Response& response) {
        if (request.has_param("redirect")) {
            auto mode = ParseRedirectMode(request.get_param_value("redirect"));
            if (!mode) return void(response.status = 400);
            redirect_ = *mode;
        }
        if (request.has_param("fault")) {
            auto mode = ParseFaultMode(request.get_param_value("fault"));
            if (!mode) return void(response.status = 400);
            fault_ = *mode;
        }
        response.set_content("ok\n", "text/plain");
    });

    server.Get("/cn-zh/drivers/selfservice/identify", [this](const httplib::Request& request,
                                                              httplib::Response& response) {
        std::string serial = RawParameter(request.target, "q");
        RedirectMode mode = redirect_.load();
        if (StartsWith(serial, "SCRIPT")) mode = RedirectMode::Script;
        if (StartsWith(serial, "STAY")) mode = RedirectMode::None;
        // The real site keeps a session; the warranty request should carry it back.
        response.set_header("Set-Cookie", "standin_session=" + (IsPlainSerial(serial) ? serial : "x") + "; Path=/");
        switch (mode) {
            case RedirectMode::Http302:
                response.set_redirect("http://" + request.get_header_value("Host") + kDriverPage, 302);
                break;
            case RedirectMode::Script:
                response.set_content(
                    SimplePage("识别产品", std::string("<p>正在识别您的产品...</p>\n<script>location.replace(\"") +
                                               kDriverPage + "\");</script>"),
                    kHtml);
                break;
            case RedirectMode::None:
                response.set_content(SimplePage("识别产品", "<p>无法识别此产品。</p>"), kHtml);
                break;
        }
    });

    server.Get(R"(/cn-zh/drivers/selfservice/.+)", [](const httplib::Request& request, httplib::Response& response) {
        response.set_content(
            SimplePage("软件和驱动程序下载 | HP® 客户支持", "<h1>软件和驱动程序</h1>\n<p>" +
                                                              HtmlEscape(request.path) + "</p>"),
            kHtml);
    });

    server.Get(R"(/cn-zh/warrantyresult/.*)", [this](const httplib::Request& request, httplib::Response& response) {
        std::string serial = RawParameter(request.target, "serialNo");
        // FAULT-* serials serve the worked example, faulted; other serials their own page.
        std::string page;
        if (StartsWith(serial, "FAULT-"))
            page = ReadFile(options_.pagesDir + "/warranty-5CD0000XYZ.html");
        else if (IsPlainSerial(serial))
            page = ReadFile(options_.pagesDir + "/warranty-" + serial + ".html");
        if (page.empty()) page = ReadFile(options_.pagesDir + "/warranty-unknown.html");
        page = WithCrLf(page);

        switch (AnswerFor(serial)) {
            case WarrantyAnswer::Page:
                response.set_content(page, kHtml);
                break;
            case WarrantyAnswer::Slow:
                std::this_thread::sleep_for(std::chrono::milliseconds(options_.slowMilliseconds));
                response.set_content(page, kHtml);
                break;
            case WarrantyAnswer::Empty:
                response.set_content("", kHtml);
                break;
            case WarrantyAnswer::SiteError:
                response.status = 500;
                response.set_content(WithCrLf(ReadFile(options_.pagesDir + "/site-error.html")), kHtml);
                break;
            case WarrantyAnswer::Hang:
                SleepUntilStopped();
                break;
            case WarrantyAnswer::LfOnly:
                response.set_content(WithLf(page), kHtml);
                break;
            case WarrantyAnswer::Cut:
            case WarrantyAnswer::Stall: {
                // Announces the whole page, sends the first half, then closes or stalls.
                bool stall = AnswerFor(serial) == WarrantyAnswer::Stall;
                size_t total = page.size();
                response.set_content_provider(
                    total, kHtml, [page, total, stall](size_t offset, size_t, httplib::DataSink& sink) {
                        if (offset == 0) return sink.write(page.data(), std::max<size_t>(1, total / 2));
                        if (stall) SleepUntilStopped();
                        return false;
                    });
                break;
            }
        }
    });

    server.Get("/cn-zh/frames.html", [](const httplib::Request& request, httplib::Response& response) {
        std::string second = "http://localhost:" + std::to_string(request.local_port) + "/cn-zh/frame-two.html";
        response.set_content(SimplePage("框架", "<iframe src=\"/cn-zh/frame-one.html\"></iframe>\n<iframe src=\"" +
                                                   second + "\"></iframe>"),
                             kHtml);
    });
    server.Get(R"(/cn-zh/frame-(one|two)\.html)", [](const httplib::Request& request, httplib::Response& response) {
        response.set_content(SimplePage("框架内容", "<p>" + HtmlEscape(request.path) + "</p>"), kHtml);
    });

    server.Get("/Search.aspx", [](const httplib::Request& request, httplib::Response& response) {
        std::string text = request.get_param_value("SearchText");
        response.set_content(SimplePage("PartSurfer", "<p>SearchText: " + HtmlEscape(text) + "</p>"), kHtml);
    });
}

}  // namespace standin
