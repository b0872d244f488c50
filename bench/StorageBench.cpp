// Times the database writes that the user waits for, on real files, and prints each as a ratio of its
// budget, once with the connection's usual "synchronous = OFF" and once with "synchronous = NORMAL"
// (flush at every commit) for comparison:
//  - creating the first four profiles (4 x 39 configuration rows with the model's defaults, one
//    transaction), budget 5 ms;
//  - saving an edited 200-event macro (the old events replaced in one transaction), budget 2 ms;
//  - one SetConfigValue (one update in its own transaction).
// The files live in a fresh folder under $TMPDIR (or /tmp); set TMPDIR to measure another disk.

#include <stdlib.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "profiles/Profiles.h"
#include "storage/ConfigDatabase.h"
#include "storage/ConfigStore.h"
#include "storage/MacroStore.h"

namespace {

using namespace vellomir;
namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

struct Figures {
    double median_us = 0;
    double p90_us = 0;
};

Figures Summarise(std::vector<double> samples) {
    std::sort(samples.begin(), samples.end());
    return {samples[samples.size() / 2], samples[samples.size() * 9 / 10]};
}

void OpenFresh(const fs::path& folder, const std::string& stem, const char* synchronous) {
    ConfigDatabase& db = ConfigDatabase::Instance();
    db.CloseIfOpen();
    if (!db.OpenForDevice(folder, stem)) {
        std::fprintf(stderr, "cannot open the database in %s\n", folder.c_str());
        std::exit(1);
    }
    auto lock = db.Lock();
    db.Connection().Exec(synchronous);
}

DeviceDefaults ModelDefaults() {
    DeviceDefaults d;
    d.has_mouse_info = true;
    DpiDefaults dpi{.default_dpi = "1", .dpi_count = "6"};
    const char* colours[] = {"#FF0000", "#0000FF", "#00FF00", "#FFFF00", "#FF00FF", "#00FFFF"};
    for (int i = 0; i < 6; ++i)
        dpi.stages[i] = DpiStageDefault{std::to_string(800 * (i + 1)), colours[i]};
    d.dpi = dpi;
    d.report_rate = "1";
    d.sleep_light = "2";
    d.move_wakeup = "1";
    d.move_closelight = "0";
    d.lod = "1";
    return d;
}

template <typename Fn>
double TimeUs(Fn&& fn) {
    const auto start = Clock::now();
    fn();
    return std::chrono::duration<double, std::micro>(Clock::now() - start).count();
}

struct Run {
    Figures profiles, macro, config;
};

Run Measure(const fs::path& folder, const char* label, const char* synchronous) {
    Run run;
    const DeviceDefaults defaults = ModelDefaults();

    std::vector<double> samples;
    for (int i = 0; i < 40; ++i) {
        OpenFresh(folder, std::string(label) + "_profiles_" + std::to_string(i), synchronous);
        samples.push_back(TimeUs([&] {
            if (LoadProfiles("Profile", defaults).current_profile != 1) std::exit(2);
        }));
    }
    run.profiles = Summarise(samples);

    OpenFresh(folder, std::string(label) + "_work", synchronous);
    LoadProfiles("Profile", defaults);
    const int macro = CreateMacro("Custom 1");
    std::vector<MacroEvent> events;
    for (int i = 0; i < 200; ++i)
        events.push_back(MacroEvent{.macro_id = macro,
                                    .type = 2 + i % 2,
                                    .record_index = i,
                                    .value = 0x41 + i % 26,
                                    .delay_time = 1000 + i / 2,
                                    .desc = "↓  A"});
    samples.clear();
    for (int i = 0; i < 200; ++i) {
        events[0].value = i;
        samples.push_back(TimeUs([&] {
            if (!ReplaceMacroEvents(macro, events)) std::exit(3);
        }));
    }
    run.macro = Summarise(samples);

    samples.clear();
    for (int i = 0; i < 500; ++i) {
        const std::string value = std::to_string(800 + i);
        samples.push_back(TimeUs([&] {
            if (!SetConfigValue(1, "dpi_group0_value", value)) std::exit(4);
        }));
    }
    run.config = Summarise(samples);
    ConfigDatabase::Instance().CloseIfOpen();
    return run;
}

void Print(const char* what, const Figures& off, const Figures& normal, double budgetUs) {
    std::printf("%-34s  OFF median %8.1f us (p90 %8.1f)", what, off.median_us, off.p90_us);
    if (budgetUs > 0) std::printf(" = %5.2f x budget", off.median_us / budgetUs);
    std::printf("   NORMAL median %8.1f us (p90 %8.1f) = %6.2f x OFF\n", normal.median_us, normal.p90_us,
                normal.median_us / off.median_us);
}

}  // namespace

int main() {
    std::string pattern = (fs::temp_directory_path() / "vellomir-bench-storage-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) return 1;
    const fs::path folder = pattern;

    const Run off = Measure(folder, "off", "PRAGMA synchronous = OFF;");
    const Run normal = Measure(folder, "normal", "PRAGMA synchronous = NORMAL;");

    std::printf("Database writes on real files in %s (budget ratios below 1 are within budget)\n",
                folder.parent_path().c_str());
    Print("first four profiles (4 x 39 rows)", off.profiles, normal.profiles, 5000);
    Print("macro save (200 events)", off.macro, normal.macro, 2000);
    Print("one SetConfigValue", off.config, normal.config, 0);

    std::error_code ec;
    fs::remove_all(folder, ec);
    return 0;
}
