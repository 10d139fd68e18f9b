// Extraction throughput of the setup package's extractor against Debian's "unzip -q"
// on the same 20 MB deflated archive (made with libzip, as the packer makes it).

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "platform/Services.h"
#include "setup/ArchiveExtractor.h"
#include "setup/WorkingFolder.h"
#include "setup/packer/ZipBuilder.h"
#include "tests/support/TestMachine.h"

namespace {

namespace fs = std::filesystem;

// Text-like data that deflates to about a third: words drawn from a small vocabulary
// with random numbers between them.
std::string sampleText(std::size_t size, unsigned seed) {
    static const char* const words[] = {"adapter", "gateway", "address", "Roamwise", "proxy", "DNS",
                                        "WINS", "workgroup", "printer", "subnet", "laptop", "office"};
    std::mt19937 random(seed);
    std::string text;
    text.reserve(size + 32);
    while (text.size() < size) {
        text += words[random() % 12];
        text += ' ';
        text += std::to_string(random() % 100000);
        text += (random() % 8 == 0) ? "\r\n" : " ";
    }
    text.resize(size);
    return text;
}

struct Archive {
    fs::path folder;
    fs::path zip;
    std::uint64_t deflatedSize = 0;
    std::uint64_t inflatedSize = 0;
};

// Members of 4 MB until the archive holds 20 MB of deflated data.
const Archive& archive() {
    static const Archive made = [] {
        Archive archive;
        archive.folder = fs::temp_directory_path() / ("rmw-bench-extract-" + std::to_string(::getpid()));
        fs::create_directories(archive.folder / "sources");
        std::vector<std::pair<std::string, std::string>> members;
        std::uint64_t deflated = 0;
        for (unsigned i = 0; deflated < 20u * 1024 * 1024; ++i) {
            const auto source = archive.folder / "sources" / ("member" + std::to_string(i) + ".txt");
            const std::string text = sampleText(4 * 1024 * 1024, i);
            std::ofstream(source, std::ios::binary) << text;
            members.emplace_back("data/member" + std::to_string(i) + ".txt", source.string());
            archive.inflatedSize += text.size();
            deflated = packer::buildZip(members, (archive.folder / "probe.zip").string()).size();
        }
        archive.zip = archive.folder / "archive.zip";
        std::ofstream(archive.zip, std::ios::binary) << packer::buildZip(members, (archive.folder / "scratch.zip").string());
        archive.deflatedSize = fs::file_size(archive.zip);
        fs::remove_all(archive.folder / "sources");
        return archive;
    }();
    return made;
}

void setCounters(benchmark::State& state) {
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * archive().deflatedSize));
    state.counters["inflated_MB"] = static_cast<double>(archive().inflatedSize) / (1024 * 1024);
}

void BM_SetupExtractor(benchmark::State& state) {
    testsupport::TestMachine machine;
    const fs::path zip = archive().zip;
    for (auto _ : state) {
        setup::WorkingFolder folder("C:\\");
        folder.create();
        setup::ArchiveExtractor extractor(folder, {});
        extractor.mode(setup::OverwriteMode::OverwriteAll);
        if (!extractor.extract(zip.string(), 0)) state.SkipWithError("extraction failed");
        state.PauseTiming();
        fs::remove_all(platform::files().toNative(folder.path()));
        state.ResumeTiming();
    }
    setCounters(state);
}
BENCHMARK(BM_SetupExtractor)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_UnzipQuiet(benchmark::State& state) {
    const fs::path target = archive().folder / "unzipped";
    const std::string command = "unzip -q -o '" + archive().zip.string() + "' -d '" + target.string() + "'";
    for (auto _ : state) {
        if (std::system(command.c_str()) != 0) state.SkipWithError("unzip failed");
        state.PauseTiming();
        fs::remove_all(target);
        state.ResumeTiming();
    }
    setCounters(state);
}
BENCHMARK(BM_UnzipQuiet)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
