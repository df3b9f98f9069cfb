#pragma once
// A control host for tests: records every property write in order and answers reads
// from what was written (or from values a test puts in place of the user's typing).

#include <map>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

#include "platform/Controls.h"

struct ControlWrite {
    platform::Control control;
    platform::Property property;
    std::string text;   // for Text and Address
    bool flag = false;  // for Visible and Disabled
    bool operator==(const ControlWrite&) const = default;
};

class RecordingControlHost : public platform::ControlHost {
public:
    RecordingControlHost() { platform::InstallControlHost(this); }
    ~RecordingControlHost() override { platform::InstallControlHost(nullptr); }

    void SetFlag(platform::Control control, platform::Property property, bool value) override;
    void SetText(platform::Control control, platform::Property property, const std::string& value) override;
    std::string GetText(platform::Control control, platform::Property property) override;

    // What a read returns until the program writes the property, e.g. the user's typing.
    void Preset(platform::Control control, platform::Property property, const std::string& value);
    std::vector<ControlWrite> Writes() const;
    std::string TextOf(platform::Control control) const;  // the text property as shown now

private:
    mutable std::mutex mutex_;
    std::vector<ControlWrite> writes_;
    std::map<std::pair<platform::Control, platform::Property>, std::string> texts_;
};
