#include <vector>

#include "ProtocolRig.h"
#include "protocol/KeyWrites.h"
#include "storage/KeyBindingStore.h"
#include "storage/MacroStore.h"

namespace vellomir::test {
namespace {

using Bytes = std::vector<std::uint8_t>;

class WriteKeysTest : public ProtocolTest {
protected:
    void Bind(int key, int type, int value, int value2 = 0) {
        KeyBinding binding;
        binding.profile = profile_;
        binding.key_code = key;
        binding.macro_type = type;
        binding.macro_value = value;
        binding.macro_value2 = value2;
        ASSERT_GT(SaveKeyBinding(binding), 0);
    }
    // A macro with the given events (type, value) and play settings; its id.
    int Macro(const std::vector<std::pair<int, int>>& events, int playType = 0, int playTimes = 1) {
        MacroInfo info;
        info.name = "Custom";
        info.play_type = playType;
        info.play_times = playTimes;
        info.delay_type = 1;
        const int id = InsertMacro(info);
        EXPECT_GT(id, 0);
        std::vector<MacroEvent> rows;
        for (std::size_t i = 0; i < events.size(); ++i) {
            MacroEvent row;
            row.macro_id = id;
            row.type = events[i].first;
            row.value = events[i].second;
            row.record_index = static_cast<int>(i);
            rows.push_back(row);
        }
        EXPECT_TRUE(InsertMacroEvents(rows));
        return id;
    }
    static Bytes SentKeys(const sim::SimulatedMouse& mouse) {
        const sim::VirtualMouse held = mouse.Mouse();  // a copy: keep it while reading from it
        const auto& keys = held.Keys();
        return Bytes(keys.begin(), keys.begin() + 27);
    }
    static std::vector<int> PacketBytes(const sim::SimulatedDevice& device, int command) {
        std::vector<int> packets;
        for (const auto& write : Writes(device))
            if (write[1] == command) packets.push_back(write[3]);
        return packets;
    }
};

TEST_F(WriteKeysTest, PendingMacroAndKeyTableReachTheMouse) {
    auto mouse = PlugMouse({});
    Rescan();
    const int macro = Macro({{2, 65}, {1, 30}, {1, 20}, {2, 66}}, 0, 3);
    Bind(0, 9, 1);      // disabled
    Bind(1, 4, macro);  // the macro, three times
    Bind(2, 4, 9999);   // a macro that no longer exists
    Bind(8, 2, 0xE1);   // left Shift alone
    Bind(9, 5, 1);      // beyond the bytes sent
    Bind(30, 9, 1);     // beyond the table
    state_.SetPendingMacro(1);
    mouse->ClearLog();

    const WriteKeysResult result = WriteKeys(context_);
    EXPECT_EQ(result.macro, MacroDownload::kSent);
    EXPECT_EQ(result.keyTable, WriteResult::kSent);
    EXPECT_EQ(mouse->Mouse().Macro(1), (Bytes{0x30, 50, 0, 4, 0x30, 1, 0, 5}));
    EXPECT_EQ(SentKeys(*mouse),
              (Bytes{0x60, 0x00, 0,    0x90, 0x21, 3, 0x10, 0x04, 0, 0x10, 0x08, 0,    0x10, 0x10,
                     0,    0x40, 0x01, 0,    0,    0, 0,    0,    0, 0,    0x70, 0x02, 0x00}));
    EXPECT_FALSE(state_.PendingMacroFlag());
    EXPECT_EQ(state_.PendingMacroKey(), -1);
    EXPECT_EQ(Commands(*mouse).front(), 0x08);

    // Without a pending macro only the key table goes out.
    mouse->ClearLog();
    EXPECT_EQ(WriteKeys(context_).macro, MacroDownload::kNone);
    EXPECT_EQ(Commands(*mouse), (std::vector<int>{0x09}));
}

TEST_F(WriteKeysTest, LongMacrosAreSentInPacketsOrRefused) {
    auto mouse = PlugMouse({});
    Rescan();
    std::vector<std::pair<int, int>> twentyOne;
    for (int i = 0; i < 21; ++i)
        twentyOne.push_back({i % 2 ? 3 : 2, 65});
    Bind(3, 4, Macro(twentyOne));
    state_.SetPendingMacro(3);
    mouse->ClearLog();
    EXPECT_EQ(WriteKeys(context_).macro, MacroDownload::kSent);
    EXPECT_EQ(PacketBytes(*mouse, 0x08), (std::vector<int>{0x04, 0x14, 0x24, 0x34}));
    ASSERT_TRUE(mouse->Mouse().Macro(3).has_value());
    EXPECT_EQ(mouse->Mouse().Macro(3)->size(), 84u);

    std::vector<std::pair<int, int>> tooMany;
    for (int i = 0; i < 102; ++i)
        tooMany.push_back({i % 2 ? 3 : 2, 66});
    Bind(4, 4, Macro(tooMany));
    state_.SetPendingMacro(4);
    mouse->ClearLog();
    const WriteKeysResult result = WriteKeys(context_);
    EXPECT_EQ(result.macro, MacroDownload::kRefused);
    EXPECT_EQ(result.macroEvents, 102u);
    EXPECT_EQ(Commands(*mouse), (std::vector<int>{0x09}));  // the key table still goes out
    EXPECT_FALSE(mouse->Mouse().Macro(4).has_value());
    EXPECT_FALSE(state_.PendingMacroFlag());

    // A pending key without a macro binding sends no macro.
    state_.SetPendingMacro(7);
    EXPECT_EQ(WriteKeys(context_).macro, MacroDownload::kMissing);
}

TEST_F(WriteKeysTest, FailedKeyTableRunsTheFailureHandling) {
    auto mouse = PlugMouse({});
    Rescan();
    Bind(0, 9, 1);
    mouse->FailWrites(1);
    EXPECT_EQ(WriteKeys(context_).keyTable, WriteResult::kFailed);
    EXPECT_EQ(failures_, 1);
    KeyBinding kept;
    EXPECT_TRUE(GetKeyBinding(profile_, 0, kept));
    EXPECT_EQ(mouse->Mouse().Keys()[0], 0x10);
}

}  // namespace
}  // namespace vellomir::test
