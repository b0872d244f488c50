#include <gtest/gtest.h>

#include <vector>

#include "protocol/MacroEncoding.h"

namespace vellomir {
namespace {

constexpr int kDelay = 1, kDown = 2, kUp = 3, kMouseDown = 4, kMouseUp = 5;

TEST(MacroEncodingTest, EventsCodesValuesAndFoldedDelays) {
    struct Case {
        const char* name;
        std::vector<MacroStep> steps;
        std::vector<DeviceMacroEvent> events;
    };
    const Case cases[] = {
        {"delays between two key-downs add up",
         {{kDown, 65}, {kDelay, 30}, {kDelay, 20}, {kDown, 66}},
         {{0x30, 50, 0, 4}, {0x30, 1, 0, 5}}},
        {"modifiers send their bit, ordinary keys their usage",
         {{kDown, 160}, {kDown, 91}, {kUp, 91}, {kUp, 160}, {kDown, 13}, {kUp, 13}},
         {{0x20, 1, 0, 0x02},
          {0x20, 1, 0, 0x08},
          {0xA0, 1, 0, 0x08},
          {0xA0, 1, 0, 0x02},
          {0x30, 1, 0, 40},
          {0xB0, 1, 0, 40}}},
        {"mouse buttons send the low byte of their value",
         {{kMouseDown, 1}, {kDelay, 300}, {kMouseUp, 0x110}},
         {{0x10, 0x2C, 0x01, 1}, {0x90, 1, 0, 0x10}}},
        {"delays before the first event are added after it",
         {{kDelay, 5}, {kDown, 65}, {kDelay, 7}, {kUp, 65}},
         {{0x30, 12, 0, 4}, {0xB0, 1, 0, 4}}},
        {"a sum of zero or less becomes 1; a trailing delay is not sent",
         {{kDown, 65}, {kDelay, 0}, {kUp, 65}, {kDelay, -10}, {kDown, 66}, {kDelay, 500}},
         {{0x30, 1, 0, 4}, {0xB0, 1, 0, 4}, {0x30, 1, 0, 5}}},
        {"unknown row types are not played",
         {{kDown, 65}, {0, 1}, {6, 9}, {kUp, 65}},
         {{0x30, 1, 0, 4}, {0xB0, 1, 0, 4}}},
        {"a delay beyond 16 bits waits as long as the mouse can",
         {{kDown, 65}, {kDelay, 40000}, {kDelay, 30000}, {kUp, 65}},
         {{0x30, 0xFF, 0xFF, 4}, {0xB0, 1, 0, 4}}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(EncodeMacroEvents(c.steps), c.events) << c.name;
}

TEST(MacroEncodingTest, PayloadStartsWithTheKeyValue) {
    const std::vector<MacroStep> steps{{kDown, 65}, {kDelay, 30}, {kUp, 65}};
    const MacroPayload payload = EncodeMacroPayload(3, steps);
    EXPECT_EQ(payload.status, MacroPayloadStatus::kOk);
    EXPECT_EQ(payload.bytes, (std::vector<std::uint8_t>{3, 0x30, 30, 0, 4, 0xB0, 1, 0, 4}));
}

TEST(MacroEncodingTest, MacrosLongerThanOneDownloadAreRefused) {
    std::vector<MacroStep> steps;
    for (int i = 0; i < 101; ++i)
        steps.push_back({i % 2 ? kUp : kDown, 65});
    // Delay rows do not count: they fold into the events.
    steps.insert(steps.begin() + 1, {kDelay, 10});
    const MacroPayload fits = EncodeMacroPayload(1, steps);
    EXPECT_EQ(fits.status, MacroPayloadStatus::kOk);
    EXPECT_EQ(fits.bytes.size(), kMaxMacroPayload);

    steps.push_back({kUp, 66});
    const MacroPayload refused = EncodeMacroPayload(1, steps);
    EXPECT_EQ(refused.status, MacroPayloadStatus::kTooLong);
    EXPECT_EQ(refused.eventCount, 102u);
    EXPECT_TRUE(refused.bytes.empty());
}

}  // namespace
}  // namespace vellomir
