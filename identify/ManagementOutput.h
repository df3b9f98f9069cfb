#pragma once
// The text IdentifyMachine parses: name=value lines separated by CR LF, as the
// management tool "wmic CSPRODUCT list full" writes them, or the same lines built
// from the firmware's values where the tool is missing.

#include "platform/Firmware.h"
#include "text/Text.h"

// The management command whose output is parsed.
extern const char ManagementCommand[];

// wmic ends its lines with CR CR LF when its output is not a console. Every CR CR LF
// becomes CR LF, so that no value carries a stray CR; nothing else changes.
Text CollapseDoubleCarriageReturns(const Text& output);

// "IdentifyingNumber=" serial CR LF "Name=" product name CR LF. A value ends at its
// first CR or LF, so a stray line break in the firmware cannot forge another line.
Text FirmwareIdentityLines(const platform::FirmwareIdentity& identity);

// The management tool's output with CR CR LF collapsed; where the system has no such
// tool, or its output holds no "IdentifyingNumber=" line (wmic.exe missing, or
// failing), the firmware's lines instead.
Text ReadMachineIdentityOutput();
