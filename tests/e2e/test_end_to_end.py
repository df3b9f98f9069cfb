"""The whole road of one run on Linux: identification, the browser led on to the driver
page, the warranty request, the results shown, the buttons, and the failure paths."""

import argparse
import sys
import time
import unittest

from desktop_session import DesktopSession

APP = STANDIN = None
SERIAL = "5CD0000XYZ"
USER_AGENT = "Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.0)"
DRIVER_PATH = "/cn-zh/drivers/selfservice/hp-zhan-66-pro-g1-notebook-pc/17996593/model/17996596"


def headers(request):
    return {line.split(":", 1)[0].lower(): line.split(":", 1)[1].strip() for line in request[1:] if ":" in line}


class EndToEnd(unittest.TestCase):
    def session(self, **kwargs):
        session = DesktopSession(APP, STANDIN, **kwargs)
        self.addCleanup(session.finish)
        return session.start()

    def test_results_requests_and_buttons(self):
        s = self.session()
        fields = s.wait_for_result()
        self.assertEqual(fields["产品型号"], "战66 Pro G1")
        self.assertEqual(fields["产 品 号"], "7DY08PA#AB2")
        self.assertEqual(fields["序 列 号"], SERIAL)
        self.assertEqual(fields["保修信息"], "剩余:1年3个月.截止:2021年3月5日")
        self.assertTrue(s.button_enabled("查询保修"))

        requests = s.requests()
        lines = [r[0] for r in requests]
        identify = "GET /cn-zh/drivers/selfservice/identify?q=" + SERIAL
        self.assertTrue(any(line.startswith(identify) for line in lines), lines)
        warranty = [r for r in requests if r[0].startswith("GET /cn-zh/warrantyresult/")]
        self.assertEqual(len(warranty), 1, lines)
        expected_target = ("/cn-zh/warrantyresult/hp-zhan-66-pro-g1-notebook-pc/17996593/model/17996596"
                           "&serialNo=" + SERIAL + "&multiWarranty=true")
        self.assertEqual(warranty[0][0], "GET " + expected_target + " HTTP/1.0")
        sent = headers(warranty[0])
        self.assertEqual(sent.get("user-agent"), USER_AGENT)
        self.assertEqual(sent.get("accept"), "*/*")
        self.assertNotIn("referer", sent)

        # The model is the ZHAN 66 Pro G1, so the driver button opens its one page.
        s.click("查询驱动")
        self.assertEqual(s.wait_for_opened(1), [s.origin + DRIVER_PATH])
        s.click("查询保修")
        self.assertEqual(s.wait_for_opened(2)[1], s.origin + expected_target)
        s.click("查询备件")
        self.assertEqual(s.wait_for_opened(3)[2], s.origin + "/Search.aspx?SearchText=" + SERIAL)
        self.assertEqual(s.close(), 0)

    def test_other_model_opens_three_driver_pages(self):
        s = self.session(serial="5CD1111ABC", model="HP Pavilion 15", sku="")
        fields = s.wait_for_result()
        self.assertIsNone(fields["产 品 号"], "an empty product number hides its field")
        prefix = s.origin + "/cn-zh/drivers/selfservice/identify?q="
        s.click("查询驱动")
        self.assertEqual(s.wait_for_opened(3), [prefix + "HP Pavilion 15", prefix, prefix + "5CD1111ABC"])
        self.assertEqual(s.close(), 0)

    def test_hanging_site_shows_failure_and_stays_usable(self):
        s = self.session(standin_args=("--fault", "hang"))
        started = time.time()
        fields = s.wait_for_result(timeout=75)
        self.assertEqual(fields["保修信息"], "查询失败")
        self.assertLess(time.time() - started, 75)
        self.assertEqual(fields["产品型号"], "惠普战66 Pro G1 笔记本电脑", "the model shown by identification stays")
        s.click("查询备件")
        self.assertEqual(len(s.wait_for_opened(1)), 1)
        self.assertEqual(s.close(), 0)

    def test_closing_during_the_fetch_ends_cleanly(self):
        s = self.session(standin_args=("--fault", "hang"))
        deadline = time.time() + 30
        while time.time() < deadline and not any(r[0].startswith("GET /cn-zh/warrantyresult/")
                                                  for r in s.requests()):
            time.sleep(0.1)
        self.assertEqual(s.close(timeout=60), 0)


if __name__ == "__main__":
    parser = argparse.ArgumentParser()
    parser.add_argument("--app", required=True)
    parser.add_argument("--standin", required=True)
    options, rest = parser.parse_known_args()
    APP, STANDIN = options.app, options.standin
    unittest.main(argv=[sys.argv[0], *rest], verbosity=2)
