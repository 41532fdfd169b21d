#pragma once

#include <string>
#include <vector>

namespace platemap::test {

struct MessageBoxShown {
    std::string title;
    std::string text;
};

// Every test program routes message boxes into this record instead of showing them (a modal box
// would hang a test under Wine). Scope one instance around the code under test to see what it
// showed.
class RecordedMessageBoxes {
  public:
    RecordedMessageBoxes();
    ~RecordedMessageBoxes();
    RecordedMessageBoxes(const RecordedMessageBoxes&) = delete;
    RecordedMessageBoxes& operator=(const RecordedMessageBoxes&) = delete;

    const std::vector<MessageBoxShown>& shown() const;
};

// Installed by the test programs' main before any test runs.
void routeMessageBoxesToRecord();

} // namespace platemap::test
