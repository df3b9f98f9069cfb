// HttpReadFile of either backend against the stand-in site (under Wine, the Windows
// client reaches the Linux stand-in on 127.0.0.1).

#include <gtest/gtest.h>

#include <chrono>

#include "StandinLauncher.h"
#include "platform/Http.h"

namespace {

using namespace std::chrono_literals;

const char* const kWarrantyPath =
    "/cn-zh/warrantyresult/hp-zhan-66-pro-g1-notebook-pc/17996593/model/17996596&serialNo=";

class HttpReadFileTest : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(site.Started()) << "the stand-in site did not start"; }

    std::string WarrantyUrl(const std::string& serial) const {
        return site.Origin() + kWarrantyPath + serial + "&multiWarranty=true";
    }
    // The worked example's page as the site sends it.
    Bytes ExamplePage() { return platform::HttpReadFile(WarrantyUrl("5CD0000XYZ")); }

    StandinLauncher site;
};

// The header names of one logged request, with their values, one per line.
std::string HeadersOf(const std::string& request) { return request.substr(request.find("\r\n") + 2); }
std::string RequestLineOf(const std::string& request) { return request.substr(0, request.find("\r\n")); }

TEST_F(HttpReadFileTest, SendsTheRequestTheSiteExpects) {
    Bytes body = ExamplePage();
    EXPECT_NE(body.find("<title>"), std::string::npos);
    EXPECT_NE(body.find("\r\n"), std::string::npos);

    auto requests = site.Requests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(RequestLineOf(requests[0]),
              std::string("GET ") + kWarrantyPath + "5CD0000XYZ&multiWarranty=true HTTP/1.0");
    // Logged in name order; nothing beyond these, no Referer, no Cookie.
    EXPECT_EQ(HeadersOf(requests[0]),
              "Accept: */*\r\n"
              "Host: 127.0.0.1:" + std::to_string(site.Port()) + "\r\n"
              "Pragma: no-cache\r\n"
              "User-Agent: Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.0)\r\n");
}

TEST_F(HttpReadFileTest, FollowsRedirectsCarryingTheCookiesSetOnTheWay) {
    Bytes body = platform::HttpReadFile(site.Origin() + "/cn-zh/drivers/selfservice/identify?q=5CDCOOKIE1");
    EXPECT_NE(body.find("hp-zhan-66-pro-g1-notebook-pc"), std::string::npos);

    auto requests = site.Requests();
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(RequestLineOf(requests[0]).substr(0, 4), "GET ");
    EXPECT_NE(RequestLineOf(requests[1]).find("/cn-zh/drivers/selfservice/hp-zhan-66"), std::string::npos);
    EXPECT_NE(HeadersOf(requests[1]).find("standin_session=5CDCOOKIE1"), std::string::npos);
}

TEST_F(HttpReadFileTest, SendsNothingFromTheFirstHashOn) {
    Bytes body = platform::HttpReadFile(site.Origin() + "/Search.aspx?SearchText=A1#part&serialNo=X#again");
    EXPECT_NE(body.find("SearchText: A1<"), std::string::npos);
    auto requests = site.Requests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(RequestLineOf(requests[0]), "GET /Search.aspx?SearchText=A1 HTTP/1.0");
}

TEST_F(HttpReadFileTest, ReturnsAnyBodyWhateverTheStatus) {
    EXPECT_EQ(platform::HttpReadFile(WarrantyUrl("FAULT-EMPTY")), "");
    Bytes error = platform::HttpReadFile(WarrantyUrl("FAULT-ERROR"));
    EXPECT_NE(error.find("<title>"), std::string::npos) << "the site's error page is a body like any other";
}

TEST_F(HttpReadFileTest, KeepsWhatArrivedBeforeTheConnectionWasCut) {
    Bytes whole = ExamplePage();
    ASSERT_GT(whole.size(), 100u);
    Bytes cut = platform::HttpReadFile(WarrantyUrl("FAULT-CUT"));
    EXPECT_EQ(cut, whole.substr(0, whole.size() / 2));
}

TEST_F(HttpReadFileTest, BoundsEveryWait) {
    platform::HttpLimits limits;
    limits.total = 1500ms;

    auto started = std::chrono::steady_clock::now();
    EXPECT_EQ(platform::HttpReadFile(WarrantyUrl("FAULT-HANG"), limits), "");
    // A body that stops half-way keeps its first half once the bound is hit.
    Bytes stalled = platform::HttpReadFile(WarrantyUrl("FAULT-STALL"), limits);
    auto elapsed = std::chrono::steady_clock::now() - started;

    Bytes whole = ExamplePage();
    EXPECT_EQ(stalled, whole.substr(0, whole.size() / 2));
    EXPECT_LT(elapsed, 8s);
}

TEST_F(HttpReadFileTest, CutsTheBodyAtTheSizeLimit) {
    platform::HttpLimits limits;
    limits.maxBody = 100;
    Bytes body = platform::HttpReadFile(WarrantyUrl("5CD0000XYZ"), limits);
    EXPECT_EQ(body, ExamplePage().substr(0, 100));
}

TEST_F(HttpReadFileTest, FetchesOnlyHttpAndHttpsAddresses) {
    std::string hostPort = "127.0.0.1:" + std::to_string(site.Port());
    for (std::string url : {"ftp://" + hostPort + "/Search.aspx", std::string("file:///etc/hostname"), "//" + hostPort + "/x",
                            std::string("http://"), std::string("not a url"), std::string()})
        EXPECT_EQ(platform::HttpReadFile(url), "") << url;
    EXPECT_TRUE(site.Requests().empty());
    EXPECT_NE(platform::HttpReadFile("HTTP://" + hostPort + "/Search.aspx?SearchText=1"), "");
}

TEST(HttpReadFile, ClosedPortFailsAtOnce) {
    auto started = std::chrono::steady_clock::now();
    // Port 9 (discard) is not served on this machine.
    EXPECT_EQ(platform::HttpReadFile("http://127.0.0.1:9/"), "");
    EXPECT_LT(std::chrono::steady_clock::now() - started, 10s);
}

}  // namespace
