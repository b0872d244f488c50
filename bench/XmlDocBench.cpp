// Parses a generated 20 MB catalogue-shaped document with XmlDoc and with pugixml in the same run and
// prints the speed ratio (pugixml time / XmlDoc time; 1.0 means as fast, the goal is at least 0.5).
//
// Two measurements: parsing text already in memory (XmlDoc::SetText against
// pugi::xml_document::load_buffer) and loading the file (XmlDoc::LoadFile, which also detects the
// encoding and validates the UTF-8, against pugi::xml_document::load_file). Each parser also walks
// the models once and reads their attributes, so both do comparable work.

#include <benchmark/benchmark.h>

#include <unistd.h>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <map>
#include <pugixml.hpp>
#include <string>

#include "common/FileIo.h"
#include "xml/XmlDoc.h"

namespace {

std::string MakeCatalogue(std::size_t targetBytes) {
    std::string out = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<config>\r\n";
    out +=
        "<language.info default_lan=\"1033\">\r\n<lan value=\"1033\"/>\r\n<lan value=\"2052\"/>\r\n"
        "</language.info>\r\n<device>\r\n";
    char buffer[512];
    for (int model = 0; out.size() < targetBytes; ++model) {
        std::snprintf(
            buffer, sizeof buffer,
            "<mouse name=\"Vellomir M%d &amp; Co \xE4\xB8\xAD\" device_type=\"%d\" device_attr=\"m%d\" "
            "image=\"m%d.png\">\r\n",
            model, 200 + model, model, model);
        out += buffer;
        for (int mode = 0; mode < 3; ++mode) {
            std::snprintf(buffer, sizeof buffer,
                          "<mode value=\"%d\" desc=\"mode %d of model %d\" vid=\"0x1209\" pid=\"0x%04X\" "
                          "dev_id=\"%02X\" hid_interface=\"MI_%02d\"/>\r\n",
                          mode, mode, model, (model * 3 + mode) & 0xFFFF, model & 0xFF, mode);
            out += buffer;
        }
        out += "</mouse>\r\n";
    }
    out +=
        "</device>\r\n<software caption=\"Vellomir\" version=\"1.0.0\">\r\n"
        "<website url=\"https://example.invalid/\"/>\r\n</software>\r\n</config>\r\n";
    return out;
}

const std::string& Catalogue() {
    static const std::string text = MakeCatalogue(20u << 20);
    return text;
}

const std::filesystem::path& CatalogueFile() {
    static const std::filesystem::path file = [] {
        auto path = std::filesystem::temp_directory_path() /
                    ("vellomir-bench-catalogue-" + std::to_string(::getpid()) + ".xml");
        vellomir::WriteFileAtomically(path, Catalogue());
        return path;
    }();
    return file;
}

// Walks config/device/mouse/mode and sums attribute lengths, the way the catalogue reader reads.
std::size_t WalkXmlDoc(vellomir::XmlDoc& doc) {
    std::size_t sum = 0;
    if (!doc.FindElement("config") || !doc.EnterElement() || !doc.FindElement("device") ||
        !doc.EnterElement()) {
        return 0;
    }
    while (doc.FindElement("mouse")) {
        sum += doc.GetAttribute("name").size() + doc.GetAttribute("device_type").size();
        doc.EnterElement();
        while (doc.FindElement("mode"))
            sum += doc.GetAttribute("pid").size() + doc.GetAttribute("dev_id").size();
        doc.LeaveElement();
    }
    return sum;
}

std::size_t WalkPugi(const pugi::xml_document& doc) {
    std::size_t sum = 0;
    for (pugi::xml_node mouse : doc.child("config").child("device").children("mouse")) {
        sum += std::strlen(mouse.attribute("name").value()) +
               std::strlen(mouse.attribute("device_type").value());
        for (pugi::xml_node mode : mouse.children("mode")) {
            sum += std::strlen(mode.attribute("pid").value()) + std::strlen(mode.attribute("dev_id").value());
        }
    }
    return sum;
}

void XmlDocParse(benchmark::State& state) {
    const std::string& text = Catalogue();
    for (auto _ : state) {
        vellomir::XmlDoc doc;
        if (!doc.SetText(text)) state.SkipWithError("not well-formed");
        benchmark::DoNotOptimize(WalkXmlDoc(doc));
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}

void PugiParse(benchmark::State& state) {
    const std::string& text = Catalogue();
    for (auto _ : state) {
        pugi::xml_document doc;
        if (!doc.load_buffer(text.data(), text.size())) state.SkipWithError("pugixml failed");
        benchmark::DoNotOptimize(WalkPugi(doc));
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}

void XmlDocLoadFile(benchmark::State& state) {
    const auto& file = CatalogueFile();
    for (auto _ : state) {
        vellomir::XmlDoc doc;
        if (!doc.LoadFile(file)) state.SkipWithError("load failed");
        benchmark::DoNotOptimize(WalkXmlDoc(doc));
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * Catalogue().size()));
}

void PugiLoadFile(benchmark::State& state) {
    const auto& file = CatalogueFile();
    for (auto _ : state) {
        pugi::xml_document doc;
        if (!doc.load_file(file.c_str())) state.SkipWithError("pugixml failed");
        benchmark::DoNotOptimize(WalkPugi(doc));
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * Catalogue().size()));
}

// Keeps each benchmark's CPU time per iteration to compute the ratios after the run (CPU time, because
// the machine may be shared and wall time then measures the neighbours too).
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            if (run.run_type == Run::RT_Iteration && run.iterations > 0) {
                times_[run.run_name.function_name] = run.GetAdjustedCPUTime();
            }
        }
        ConsoleReporter::ReportRuns(runs);
    }
    double Ratio(const std::string& pugi, const std::string& ours) const {
        auto p = times_.find(pugi), o = times_.find(ours);
        if (p == times_.end() || o == times_.end() || o->second <= 0) return 0;
        return p->second / o->second;
    }

private:
    std::map<std::string, double> times_;
};

}  // namespace

BENCHMARK(XmlDocParse)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(PugiParse)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(XmlDocLoadFile)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(PugiLoadFile)->Unit(benchmark::kMillisecond)->MinTime(2.0);

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    std::printf("catalogue document: %zu bytes\n", Catalogue().size());
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    std::printf("ratio pugixml/XmlDoc, parse in memory: %.2f\n", reporter.Ratio("PugiParse", "XmlDocParse"));
    std::printf("ratio pugixml/XmlDoc, load file:       %.2f\n",
                reporter.Ratio("PugiLoadFile", "XmlDocLoadFile"));
    std::error_code ec;
    std::filesystem::remove(CatalogueFile(), ec);
    benchmark::Shutdown();
    return 0;
}
