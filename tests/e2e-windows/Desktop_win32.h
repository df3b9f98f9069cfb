#pragma once
// What the Windows end-to-end tests need around the program: the environment it reads,
// a fake management tool, bounded waits that keep the window's thread pumping, the
// window's fields found by their labels as a screen reader names them, and the
// stand-in site's request log.

#include <windows.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "TempDirectory.h"

inline constexpr const char* kSerial = "5CD0000XYZ";
inline constexpr const char* kDriverPath =
    "/cn-zh/drivers/selfservice/hp-zhan-66-pro-g1-notebook-pc/17996593/model/17996596";
inline constexpr const char* kWarrantyTarget =
    "/cn-zh/warrantyresult/hp-zhan-66-pro-g1-notebook-pc/17996593/model/17996596"
    "&serialNo=5CD0000XYZ&multiWarranty=true";

// Sets a variable for this process (the C runtime's copy, which getenv reads) and for
// the processes it starts (the system's copy); restores both when it goes.
class ScopedVariable {
public:
    ScopedVariable(const std::string& name, const std::string& value);
    ~ScopedVariable();
    ScopedVariable(const ScopedVariable&) = delete;
    ScopedVariable& operator=(const ScopedVariable&) = delete;

private:
    static void Set(const std::string& name, const std::string& value);
    std::string name_;
    std::string saved_;
};

// A wmic.cmd first on PATH that writes what the real tool writes into a pipe for a
// ZHAN 66 Pro G1 with serial 5CD0000XYZ: CR CR LF line ends, no SKU.
class FakeManagementTool {
public:
    FakeManagementTool();

private:
    TempDirectory directory_;
    ScopedVariable path_;
};

// Dispatches the calling thread's messages until done() holds, the time runs out, or
// the thread is told to quit. True when done() held.
bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMilliseconds);
// Dispatches messages for a while, to give anything pending its chance to happen.
void PumpFor(DWORD milliseconds);

// The main window of the given process, or null after the time-out.
HWND FindMainWindow(DWORD processId, DWORD timeoutMilliseconds);
// The edit box that follows the label with this caption (UTF-8), as MSAA names it.
HWND FieldLabelled(HWND mainWindow, const std::string& label);
HWND ButtonCaptioned(HWND mainWindow, const std::string& caption);
// A window's text in UTF-8, asked with WM_GETTEXT, so that it also works for another
// process's edit boxes; a window that does not answer within 5 s reads as "<no answer>".
std::string TextOf(HWND window);
std::string FieldText(HWND mainWindow, const std::string& label);

// One request of the stand-in's log: its request line and its headers.
struct LoggedRequest {
    std::string line;
    std::vector<std::pair<std::string, std::string>> headers;

    // Empty when absent; names compare without regard to case.
    std::string Header(const std::string& name) const;
    bool HasHeader(const std::string& name) const;
};
std::vector<LoggedRequest> ParseRequests(const std::vector<std::string>& blocks);
// The request lines whose target starts with the path.
std::vector<std::string> RequestLinesFor(const std::vector<LoggedRequest>& requests, const std::string& path);
