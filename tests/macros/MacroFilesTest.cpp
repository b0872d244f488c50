#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TempDir.h"
#include "common/FileIo.h"
#include "macros/MacroFiles.h"
#include "storage/ConfigDatabase.h"
#include "storage/MacroStore.h"

namespace vellomir {
namespace {

MacroEvent Event(int type, int value, int stamp, std::string desc) {
    MacroEvent event;
    event.type = type;
    event.value = value;
    event.delay_time = stamp;
    event.desc = std::move(desc);
    return event;
}

// Everything the database holds about macros, ids left out, for before/after comparisons.
struct Snapshot {
    std::vector<MacroFileEntry> macros;
    bool operator==(const Snapshot&) const = default;
};

class MacroFilesTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(ConfigDatabase::Instance().OpenForDevice(data_.path(), "macros")); }
    void TearDown() override { ConfigDatabase::Instance().CloseIfOpen(); }

    // Stores a macro with its events (record_index from the position) and returns its id.
    static int Store(const MacroInfo& info, std::vector<MacroEvent> events) {
        const int id = InsertMacro(info);
        for (std::size_t i = 0; i < events.size(); ++i) {
            events[i].macro_id = id;
            events[i].record_index = static_cast<int>(i);
        }
        EXPECT_TRUE(events.empty() || InsertMacroEvents(events));
        return id;
    }

    static MacroFileEntry Load(int id) {
        MacroFileEntry entry;
        EXPECT_TRUE(GetMacro(id, entry.info));
        ListMacroEvents(id, entry.events);
        entry.info.macro_id = 0;
        for (MacroEvent& event : entry.events)
            event.record_id = event.macro_id = 0;
        return entry;
    }

    static Snapshot Take() {
        Snapshot snapshot;
        std::vector<MacroInfo> infos;
        ListMacros(infos);
        for (const MacroInfo& info : infos)
            snapshot.macros.push_back(Load(info.macro_id));
        return snapshot;
    }

    test::TempDir data_;
    test::TempDir files_;
};

const MacroInfo kRichMacro{0, "Макро «宏» & <Copy> \"q\" 'a'", 0, 7, 2, 25};
const std::vector<MacroEvent> kRichEvents = {
    Event(2, 65, 1000, "↓  A"),       Event(1, 15, 1001, "15 ms"),      Event(3, 65, 1000, "↑  A"),
    Event(4, 16, 1002, "↓  Forward"), Event(5, 16, 1002, "↑  Forward"),
};

TEST_F(MacroFilesTest, SingleMacroFileLayout) {
    MacroFileEntry macro{MacroInfo{0, "M", 0, 1, 1, 0}, {Event(1, 10, 5, "10 ms")}};
    EXPECT_EQ(SingleMacroXml(macro),
              "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n"
              "<macro>\r\n"
              "<macroinfo macro_name=\"M\" macro_type=\"0\" play_times=\"1\" delay_type=\"1\" "
              "delay_time=\"0\"/>\r\n"
              "<macroitems>\r\n"
              "<item desc=\"10 ms\" index=\"0\" type=\"1\" value=\"10\" timestamp=\"5\"/>\r\n"
              "</macroitems>\r\n"
              "</macro>\r\n");
    EXPECT_EQ(MultiMacroXml({macro}),
              "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n"
              "<macro>\r\n"
              "<macro_item macro_name=\"M\" macro_type=\"0\" play_times=\"1\" delay_type=\"1\" "
              "delay_time=\"0\">\r\n"
              "<record_item>\r\n"
              "<item desc=\"10 ms\" index=\"0\" type=\"1\" value=\"10\" timestamp=\"5\"/>\r\n"
              "</record_item>\r\n"
              "</macro_item>\r\n"
              "</macro>\r\n");
}

TEST_F(MacroFilesTest, SingleExportImportCreatesASecondEqualMacro) {
    const int original = Store(kRichMacro, kRichEvents);
    ASSERT_GT(original, 0);
    const auto file = files_ / "one.xml";
    ASSERT_EQ(ExportMacroFile(original, file), MacroFileStatus::Ok);

    const MacroImportResult result = ImportMacroFile(file);
    ASSERT_EQ(result.status, MacroFileStatus::Ok);
    ASSERT_EQ(result.added.size(), 1u);
    EXPECT_NE(result.added[0].macro_id, original);
    EXPECT_EQ(result.added[0].name, kRichMacro.name);
    EXPECT_EQ(Load(result.added[0].macro_id), Load(original));  // settings, events, stamps, texts

    std::vector<MacroInfo> all;
    EXPECT_EQ(ListMacros(all), 2);
}

TEST_F(MacroFilesTest, MultiExportImportKeepsEveryMacroWithItsOwnEvents) {
    Store(kRichMacro, kRichEvents);
    Store(MacroInfo{0, "Custom 2", 1, 1, 0, 0}, {});
    Store(MacroInfo{0, "Third", 2, 1, 1, 0}, {Event(4, 1, 9, "↓  LB"), Event(5, 1, 9, "↑  LB")});
    const Snapshot before = Take();
    const auto file = files_ / "all.xml";
    ASSERT_EQ(ExportAllMacrosFile(file), MacroFileStatus::Ok);

    const MacroImportResult result = ImportMacrosFile(file);
    ASSERT_EQ(result.status, MacroFileStatus::Ok);
    ASSERT_EQ(result.added.size(), 3u);
    EXPECT_EQ(result.added[1].name, "Custom 2");  // listed as stored, not in display form
    Snapshot after = Take();
    ASSERT_EQ(after.macros.size(), 6u);
    EXPECT_EQ(std::vector<MacroFileEntry>(after.macros.begin(), after.macros.begin() + 3), before.macros);
    EXPECT_EQ(std::vector<MacroFileEntry>(after.macros.begin() + 3, after.macros.end()), before.macros);
}

TEST_F(MacroFilesTest, ImportOrdersEventsByTheirIndexAndKeepsStamps) {
    const MacroImportResult result = ImportMacrosFile(test::FixturesFolder() / "macros/three_macros.xml");
    ASSERT_EQ(result.status, MacroFileStatus::Ok);
    ASSERT_EQ(result.added.size(), 3u);
    EXPECT_EQ(result.added[1].name, "Тест 宏 & \"x\"");

    const MacroFileEntry first = Load(result.added[0].macro_id);
    EXPECT_EQ(first.info, (MacroInfo{0, "Custom 1", 0, 3, 1, 0}));
    ASSERT_EQ(first.events.size(), 3u);
    EXPECT_EQ(first.events[0].desc, "↓  A");
    EXPECT_EQ(first.events[0].delay_time, 7);
    EXPECT_EQ(first.events[1].type, 1);
    EXPECT_EQ(first.events[2].desc, "↑  A");
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(first.events[i].record_index, i);

    EXPECT_TRUE(Load(result.added[1].macro_id).events.empty());  // a macro_item without record_item
    // Equal indexes keep the file's order.
    const MacroFileEntry third = Load(result.added[2].macro_id);
    ASSERT_EQ(third.events.size(), 2u);
    EXPECT_EQ(third.events[0].type, 4);
    EXPECT_EQ(third.events[1].type, 5);
    EXPECT_EQ(third.events[1].record_index, 1);
}

TEST_F(MacroFilesTest, SingleFileWithoutItemsGivesAMacroWithoutEvents) {
    const auto file = files_.Write("bare.xml",
                                   "<macro><macroinfo macro_name=\"Bare\" macro_type=\"0\" "
                                   "play_times=\"2\" delay_type=\"1\" delay_time=\"0\"/></macro>");
    const MacroImportResult result = ImportMacroFile(file);
    ASSERT_EQ(result.status, MacroFileStatus::Ok);
    ASSERT_EQ(result.added.size(), 1u);
    const MacroFileEntry stored = Load(result.added[0].macro_id);
    EXPECT_EQ(stored.info, (MacroInfo{0, "Bare", 0, 2, 1, 0}));
    EXPECT_TRUE(stored.events.empty());
}

std::string ManyEvents(int count) {
    std::string items;
    for (int i = 0; i < count; ++i) {
        items += "<item desc=\"1 ms\" index=\"" + std::to_string(i) +
                 "\" type=\"1\" value=\"1\" timestamp=\"1\"/>";
    }
    return items;
}

TEST_F(MacroFilesTest, RefusedFilesChangeNothing) {
    Store(kRichMacro, kRichEvents);
    const Snapshot before = Take();
    const std::string info = "<macroinfo macro_name=\"X\" macro_type=\"0\" play_times=\"1\"/>";
    const std::string good =
        "<macro_item macro_name=\"Good\"><record_item>" + ManyEvents(2) + "</record_item></macro_item>";
    enum Kind { Single, Multi };
    struct Case {
        const char* what;
        Kind kind;
        std::string text;
        MacroFileStatus expected;
    } cases[] = {
        {"truncated", Single,
         "<?xml version=\"1.0\"?>\r\n<macro>\r\n" + info + "\r\n<macroitems>\r\n<item desc=\"x\"",
         MacroFileStatus::Unreadable},
        {"truncated multi", Multi, "<macro>" + good + "<macro_item macro_name=\"Cut\"><record_item>",
         MacroFileStatus::Unreadable},
        {"stray end tag", Single, "<macro>" + info + "</macroitems></macro>", MacroFileStatus::Unreadable},
        {"two roots", Multi, "<macro>" + good + "</macro><macro/>", MacroFileStatus::Unreadable},
        {"empty file", Single, "", MacroFileStatus::Unreadable},
        {"wrong root", Single, "<profile>" + info + "</profile>", MacroFileStatus::WrongRoot},
        {"wrong root multi", Multi, "<macros>" + good + "</macros>", MacroFileStatus::WrongRoot},
        {"multi file to single import", Single, "<macro>" + good + "</macro>", MacroFileStatus::WrongLayout},
        {"single file to multi import", Multi, "<macro>" + info + "<macroitems/></macro>",
         MacroFileStatus::WrongLayout},
        {"items before info", Single,
         "<macro><macroitems>" + ManyEvents(2) + "</macroitems>" + info + "</macro>",
         MacroFileStatus::OutOfOrder},
        {"unknown event type", Single,
         "<macro>" + info + "<macroitems><item index=\"0\" type=\"7\" value=\"1\"/></macroitems></macro>",
         MacroFileStatus::InvalidEvents},
        {"event without type", Single,
         "<macro>" + info + "<macroitems><item index=\"0\"/></macroitems></macro>",
         MacroFileStatus::InvalidEvents},
        {"too many events", Single,
         "<macro>" + info + "<macroitems>" + ManyEvents(201) + "</macroitems></macro>",
         MacroFileStatus::InvalidEvents},
        {"one bad macro among good ones", Multi,
         "<macro>" + good +
             "<macro_item macro_name=\"Bad\"><record_item><item type=\"0\"/></record_item>"
             "</macro_item>" +
             good + "</macro>",
         MacroFileStatus::InvalidEvents},
    };
    for (const Case& c : cases) {
        const auto file = files_.Write("case.xml", c.text);
        const MacroImportResult result = c.kind == Single ? ImportMacroFile(file) : ImportMacrosFile(file);
        EXPECT_EQ(result.status, c.expected) << c.what << ": " << MacroFileStatusName(result.status);
        EXPECT_TRUE(result.added.empty()) << c.what;
        EXPECT_EQ(Take(), before) << c.what;
    }
    EXPECT_EQ(ImportMacroFile(files_ / "missing.xml").status, MacroFileStatus::Unreadable);

    // The limit itself is accepted.
    const auto full = files_.Write(
        "full.xml", "<macro>" + info + "<macroitems>" + ManyEvents(200) + "</macroitems></macro>");
    EXPECT_EQ(ImportMacroFile(full).status, MacroFileStatus::Ok);
}

TEST_F(MacroFilesTest, DatabaseFailureHalfWayLeavesNoMacroBehind) {
    const Snapshot before = Take();
    {
        // The database refuses an event of value 666, so the second macro of the file fails.
        auto lock = ConfigDatabase::Instance().Lock();
        ASSERT_EQ(ConfigDatabase::Instance().Connection().Exec(
                      "CREATE TRIGGER refuse BEFORE INSERT ON t_macrorecord WHEN NEW.value = 666 "
                      "BEGIN SELECT RAISE(ABORT, 'refused'); END;"),
                  0);
    }
    const auto file = files_.Write(
        "two.xml", "<macro><macro_item macro_name=\"A\"><record_item>" + ManyEvents(3) +
                       "</record_item></macro_item><macro_item macro_name=\"B\"><record_item>"
                       "<item index=\"0\" type=\"2\" value=\"666\"/></record_item></macro_item></macro>");
    const MacroImportResult result = ImportMacrosFile(file);
    EXPECT_EQ(result.status, MacroFileStatus::DatabaseFailed);
    EXPECT_TRUE(result.added.empty());
    EXPECT_EQ(Take(), before);

    ConfigDatabase::Instance().CloseIfOpen();
    EXPECT_EQ(ImportMacroFile(test::FixturesFolder() / "macros/three_macros.xml").status,
              MacroFileStatus::WrongLayout);
    EXPECT_EQ(ImportMacrosFile(test::FixturesFolder() / "macros/three_macros.xml").status,
              MacroFileStatus::DatabaseFailed);
}

TEST_F(MacroFilesTest, ExportFailuresAreReportedAndKeepTheOldFile) {
    const int id = Store(kRichMacro, kRichEvents);
    const auto file = files_.Write("old.xml", "old content");
    EXPECT_EQ(ExportMacroFile(id + 100, file), MacroFileStatus::NoSuchMacro);
    EXPECT_EQ(ReadWholeFile(file).value(), "old content");
    EXPECT_EQ(ExportMacroFile(id, files_ / "no/such/folder/m.xml"), MacroFileStatus::WriteFailed);
    EXPECT_FALSE(std::filesystem::exists(files_ / "no"));

    ASSERT_EQ(ExportMacroFile(id, file), MacroFileStatus::Ok);  // replaces the earlier file
    EXPECT_EQ(ReadSingleMacroFile(file).macros.at(0).info.name, kRichMacro.name);

    ConfigDatabase::Instance().CloseIfOpen();
    EXPECT_EQ(ExportAllMacrosFile(file), MacroFileStatus::DatabaseFailed);
    EXPECT_EQ(ExportMacroFile(id, file), MacroFileStatus::NoSuchMacro);
    EXPECT_EQ(ReadSingleMacroFile(file).macros.at(0).info.name, kRichMacro.name);
}

TEST_F(MacroFilesTest, EmptyDatabaseExportsAnEmptyMultiFile) {
    const auto file = files_ / "none.xml";
    ASSERT_EQ(ExportAllMacrosFile(file), MacroFileStatus::Ok);
    const MacroImportResult result = ImportMacrosFile(file);
    EXPECT_EQ(result.status, MacroFileStatus::Ok);
    EXPECT_TRUE(result.added.empty());
}

}  // namespace
}  // namespace vellomir
