#include "support/message_boxes.h"

#include "platform/message_box.h"

namespace platemap::test {

namespace {

std::vector<MessageBoxShown>& record() {
    static std::vector<MessageBoxShown> boxes;
    return boxes;
}

void remember(const std::string& title, const std::string& text) {
    record().push_back({title, text});
}

} // namespace

RecordedMessageBoxes::RecordedMessageBoxes() {
    record().clear();
}

RecordedMessageBoxes::~RecordedMessageBoxes() {
    record().clear();
}

const std::vector<MessageBoxShown>& RecordedMessageBoxes::shown() const {
    return record();
}

void routeMessageBoxesToRecord() {
    platform::setMessageBoxObserver(remember);
}

} // namespace platemap::test
