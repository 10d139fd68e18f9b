// Profile-string speed: reading every key of a 100-key configuration file one by one
// (target: under 2 ms for all 100) and writing 100 keys one by one into a new file
// (target: under 50 ms for all 100).

#include <benchmark/benchmark.h>

#include <chrono>
#include <filesystem>
#include <string>

#include "platform/emulated/MachinePaths.h"
#include "platform/emulated/ProfileFiles.h"
#include "tests/support/TestMachine.h"

namespace {

namespace fs = std::filesystem;
using platform::emulated::MachinePaths;
using platform::emulated::ProfileFiles;

constexpr int kKeys = 100;

// Appended rather than added: GCC 12 warns falsely (-Wrestrict) on "literal" + string.
std::string numbered(const char* prefix, int index) {
    std::string text = prefix;
    text += std::to_string(index);
    return text;
}

std::string keyName(int index) {
    return numbered("Key", index);
}

struct ProfileBench {
    testsupport::TempFolder temp;
    MachinePaths paths{temp.path() / "drive_c"};
    ProfileFiles profiles{paths, "C:\\WINDOWS\\win.ini"};
    fs::path file = temp.path() / "Office.rmw";

    void writeAllKeys(const std::string& target) {
        for (int i = 0; i < kKeys; ++i) {
            profiles.WritePrivateProfileStringA("Network", keyName(i), numbered("value ", i),
                                                target);
        }
    }
    void readAllKeys(benchmark::State& state) {
        for (auto _ : state) {
            for (int i = 0; i < kKeys; ++i) {
                benchmark::DoNotOptimize(
                    profiles.GetPrivateProfileStringA("network", keyName(i), "", file.string()));
            }
        }
        state.SetItemsProcessed(state.iterations() * kKeys);
    }
};

// A configuration file saved some time ago, as when a user opens one.
void BM_ReadHundredKeysOfASavedFile(benchmark::State& state) {
    ProfileBench bench;
    bench.writeAllKeys(bench.file.string());
    fs::last_write_time(bench.file, fs::file_time_type::clock::now() - std::chrono::hours(1));
    bench.readAllKeys(state);
}
BENCHMARK(BM_ReadHundredKeysOfASavedFile)->Unit(benchmark::kMicrosecond);

// A file written a moment ago is read afresh each time: its identity is not yet trusted.
void BM_ReadHundredKeysOfAJustWrittenFile(benchmark::State& state) {
    ProfileBench bench;
    bench.writeAllKeys(bench.file.string());
    bench.readAllKeys(state);
}
BENCHMARK(BM_ReadHundredKeysOfAJustWrittenFile)->Unit(benchmark::kMicrosecond);

void BM_WriteHundredKeysIntoANewFile(benchmark::State& state) {
    ProfileBench bench;
    for (auto _ : state) {
        state.PauseTiming();
        fs::remove(bench.file);
        state.ResumeTiming();
        bench.writeAllKeys(bench.file.string());
    }
    state.SetItemsProcessed(state.iterations() * kKeys);
}
BENCHMARK(BM_WriteHundredKeysIntoANewFile)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
