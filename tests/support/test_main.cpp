#include "support/message_boxes.h"

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    platemap::test::routeMessageBoxesToRecord();
    return RUN_ALL_TESTS();
}
