#pragma once
// Finds out which computer this is (serial number, model name, product number),
// shows the values in the main window, stores them in the global texts and points
// the hidden browser at the support site's identification page for the serial
// number. Runs once, on the identification worker thread.

#include "text/Text.h"

void IdentifyMachine();

// The same routine over another source of the management tool's output (name=value
// lines separated by CR LF). IdentifyMachine uses ReadMachineIdentityOutput; tests
// give fixture outputs.
using IdentityOutputSource = Text (*)();
void IdentifyMachineFrom(IdentityOutputSource readOutput);
