#pragma once

#include <cstdint>
#include <string>

namespace platemap {

inline constexpr const char* settingsFileName = "platemap.ini";
inline constexpr const char* defaultUrlTemplate = "/servlets/BlobShtml?ShtmlFile=#HSPID#";
inline constexpr const char* defaultTargetFrame = "_current";

// How hotspots are framed and where a click on one sends the browser.
struct Settings {
    // Pen width in pixels, 0 to 10 after a load; 0 draws no frame.
    std::int32_t frameWidth = 1;
    // A colour reference: red in the low byte, then green, then blue.
    std::uint32_t frameColor = 0x00808000;
    // Each "#HSPID#" is replaced by the clicked hotspot's id.
    std::string urlTemplate = defaultUrlTemplate;
    std::string targetFrame = defaultTargetFrame;
    // Shows each navigation in a message box before it happens.
    bool debugNavigation = false;
};

// The one record of the process, holding the built-in values until LoadSettings runs.
extern Settings settings;

// Reads the settings file once per process into `settings`; later calls change nothing. The
// plug-in returns the result (always 0, success) from its initialisation.
std::int32_t LoadSettings(const std::string& fileName = settingsFileName);

// Reads every setting from the file into the record; absent keys take their built-in values.
void loadSettingsFrom(Settings& target, const std::string& fileName);

} // namespace platemap
