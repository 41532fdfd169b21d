#include "plugin/navigation.h"

#include <array>
#include <utility>

namespace platemap {

namespace {

// Browsers drop these anywhere in a URL before they read its scheme.
bool isDroppedByBrowsers(char c) {
    return c == '\t' || c == '\n' || c == '\r';
}

bool isBlankOrControl(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return byte <= 0x20 || byte == 0x7F;
}

char lowered(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// The first characters of the URL as a browser reads its scheme, in lower case.
std::string schemeView(std::string_view url, std::size_t length) {
    while (!url.empty() && isBlankOrControl(url.front()))
        url.remove_prefix(1);
    std::string scheme;
    for (std::size_t at = 0; at < url.size() && scheme.size() < length; ++at) {
        if (!isDroppedByBrowsers(url[at]))
            scheme += lowered(url[at]);
    }
    return scheme;
}

} // namespace

std::string buildNavigationUrl(std::string_view urlTemplate, std::string_view id) {
    std::string url(urlTemplate);
    for (auto at = url.find(hotspotIdToken); at != std::string::npos;
         at = url.find(hotspotIdToken, at + id.size()))
        url.replace(at, hotspotIdToken.size(), id);
    return url;
}

bool isScriptUrl(std::string_view url) {
    constexpr std::array<std::string_view, 3> schemes = {"javascript:", "vbscript:", "data:"};
    const std::string start = schemeView(url, schemes.front().size());
    for (const std::string_view scheme : schemes) {
        if (start.starts_with(scheme))
            return true;
    }
    return false;
}

std::optional<NavigationRequest> navigationRequest(Settings& record, std::string_view id) {
    std::string url = buildNavigationUrl(record.urlTemplate, id);
    if (record.targetFrame.empty())
        record.targetFrame = defaultTargetFrame;
    if (url.empty() || isScriptUrl(url))
        return std::nullopt;
    return NavigationRequest{std::move(url), record.targetFrame};
}

} // namespace platemap
