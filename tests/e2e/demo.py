"""Headless demo: runs the program against the stand-in site (or, with --live, the real
sites and this machine's own DMI), waits for the result, saves a screenshot and prints
the four fields as the window shows them, read through the accessibility interface."""

import argparse
import sys

from desktop_session import FIELD_NAMES, DesktopSession


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--app", required=True)
    parser.add_argument("--standin")
    parser.add_argument("--screenshot", required=True)
    parser.add_argument("--live", action="store_true")
    options = parser.parse_args()

    session = DesktopSession(options.app, options.standin, live=options.live)
    try:
        session.start()
        fields = session.wait_for_result(timeout=90)
        session.screenshot(options.screenshot)
        for name in FIELD_NAMES:
            value = fields[name]
            print("{}: {}".format(name, "(隐藏)" if value is None else value))
        print("截图: " + options.screenshot)
        session.close()
    finally:
        session.finish()
    return 0


if __name__ == "__main__":
    sys.exit(main())
