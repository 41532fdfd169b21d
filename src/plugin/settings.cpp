#include "plugin/settings.h"

#include "platform/profile.h"
#include "plugin/settings_values.h"

namespace platemap {

Settings settings;

namespace {
bool settingsLoaded = false;
} // namespace

void loadSettingsFrom(Settings& target, const std::string& fileName) {
    const auto read = [&fileName](const char* section, const char* key, const char* fallback) {
        return platform::profileString(section, key, fallback, fileName);
    };
    target.frameWidth = frameWidthFromText(read("Appearance", "FRAMEWIDTH", "1"));
    target.frameColor = frameColorFromText(read("Appearance", "FRAMECOLOR", "0,128,128"));
    target.urlTemplate = read("NAV", "RELURL", defaultUrlTemplate);
    target.targetFrame = read("NAV", "FRAME", defaultTargetFrame);
    target.debugNavigation = switchFromText(read("NAV", "DEBUGNAV", "0"));
}

std::int32_t LoadSettings(const std::string& fileName) {
    if (!settingsLoaded) {
        settingsLoaded = true;
        loadSettingsFrom(settings, fileName);
    }
    return 0;
}

} // namespace platemap
