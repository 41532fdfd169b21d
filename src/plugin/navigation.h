#pragma once

#include "plugin/settings.h"

#include <optional>
#include <string>
#include <string_view>

namespace platemap {

inline constexpr std::string_view hotspotIdToken = "#HSPID#";

struct NavigationRequest {
    std::string url;
    std::string target;

    friend bool operator==(const NavigationRequest&, const NavigationRequest&) = default;
};

// The template with every hotspotIdToken replaced by the id, inserted as it is. The search goes on
// after each inserted id, so an id that holds the token itself stays literal.
std::string buildNavigationUrl(std::string_view urlTemplate, std::string_view id);

// Whether a browser would run the URL as a script or open it as inline data: after leading blanks
// and control characters, the scheme is javascript:, vbscript: or data: in any letter case.
bool isScriptUrl(std::string_view url);

// Where a click on the hotspot with this id sends the browser, or nothing for an empty or script
// URL. An empty target frame becomes the default frame, also in the record, for later clicks.
std::optional<NavigationRequest> navigationRequest(Settings& record, std::string_view id);

} // namespace platemap
