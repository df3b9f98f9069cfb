#include "RecordingControlHost.h"

using platform::Control;
using platform::Property;

void RecordingControlHost::SetFlag(Control control, Property property, bool value) {
    std::lock_guard lock(mutex_);
    writes_.push_back({control, property, {}, value});
}

void RecordingControlHost::SetText(Control control, Property property, const std::string& value) {
    std::lock_guard lock(mutex_);
    writes_.push_back({control, property, value, false});
    texts_[{control, property}] = value;
}

std::string RecordingControlHost::GetText(Control control, Property property) {
    std::lock_guard lock(mutex_);
    auto it = texts_.find({control, property});
    return it == texts_.end() ? std::string() : it->second;
}

void RecordingControlHost::Preset(Control control, Property property, const std::string& value) {
    std::lock_guard lock(mutex_);
    texts_[{control, property}] = value;
}

std::vector<ControlWrite> RecordingControlHost::Writes() const {
    std::lock_guard lock(mutex_);
    return writes_;
}

std::string RecordingControlHost::TextOf(Control control) const {
    std::lock_guard lock(mutex_);
    auto it = texts_.find({control, Property::Text});
    return it == texts_.end() ? std::string() : it->second;
}
