// Registry speed on the emulated machine: path moves and value reads through
// clsEasyRegistry, value writes, and importing a large registry file.
//
// Targets: Cd + ValueOf read at least 100,000 per second, ValueOf write at least 10,000
// per second, a 100,000-key import under 3 seconds.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>
#include <random>
#include <string>

#include "platform/emulated/RegFileImporter.h"
#include "platform/emulated/SqliteRegistry.h"
#include "registry/clsEasyRegistry.h"
#include "tests/support/TestMachine.h"

namespace {

using platform::emulated::RegFileImporter;
using testsupport::TestMachine;

constexpr int kLargeKeyCount = 100000;

// A REGEDIT4 file of COUNT keys, each with a text, a number and a few bytes.
std::string largeRegFile(int count) {
    std::string text = "REGEDIT4\r\n\r\n";
    text.reserve(static_cast<std::size_t>(count) * 140);
    char line[160];
    for (int i = 0; i < count; ++i) {
        std::snprintf(line, sizeof line,
                      "[HKEY_LOCAL_MACHINE\\Software\\Bench\\Group%03d\\Key%06d]\r\n"
                      "\"Name\"=\"Entry number %d\"\r\n\"Number\"=dword:%08x\r\n"
                      "\"Bytes\"=hex:01,02,03,04\r\n\r\n",
                      i % 1000, i, i, i);
        text += line;
    }
    return text;
}

std::string largeKeyPath(int i) {
    char path[96];
    std::snprintf(path, sizeof path, "\\HKEY_LOCAL_MACHINE\\Software\\Bench\\Group%03d\\Key%06d",
                  i % 1000, i);
    return path;
}

// The machine with 100,000 imported keys, made once for every benchmark that needs it.
TestMachine& largeMachine() {
    static std::unique_ptr<TestMachine> machine = [] {
        auto made = std::make_unique<TestMachine>("win98");
        RegFileImporter(made->machine().registry().database())
            .importBytes(largeRegFile(kLargeKeyCount), "large.reg");
        return made;
    }();
    return *machine;
}

void BM_CdValueOfRead_Win98Template(benchmark::State& state) {
    TestMachine machine("win98");
    clsEasyRegistry registry;
    registry.SuppressErrors(true);
    for (auto _ : state) {
        registry.Cd("\\HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion");
        auto value = registry.ValueOf("RegisteredOwner");
        benchmark::DoNotOptimize(value);
    }
    if (registry.lastError() != 0) state.SkipWithError("the template value is missing");
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_CdValueOfRead_Win98Template)->UseRealTime();

void BM_CdValueOfRead_100kKeys(benchmark::State& state) {
    TestMachine& machine = largeMachine();
    platform::ScopedServices services(machine.services());
    std::vector<std::string> paths;
    std::mt19937 random(7);
    for (int i = 0; i < 4096; ++i) paths.push_back(largeKeyPath(random() % kLargeKeyCount));
    clsEasyRegistry registry;
    registry.SuppressErrors(true);
    std::size_t next = 0;
    for (auto _ : state) {
        registry.Cd(paths[next++ & 4095]);
        auto value = registry.ValueOf("Name");
        benchmark::DoNotOptimize(value);
    }
    if (registry.lastError() != 0) state.SkipWithError("an imported value is missing");
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_CdValueOfRead_100kKeys)->UseRealTime();

// Every key read for the first time: nothing comes from the process's cache.
void BM_CdValueOfRead_100kKeys_FirstReads(benchmark::State& state) {
    TestMachine& machine = largeMachine();
    platform::emulated::SqliteRegistry fresh(machine.folder() / "registry.db", false);
    platform::Services services = machine.services();
    services.registry = &fresh;
    platform::ScopedServices installed(services);
    clsEasyRegistry registry;
    registry.SuppressErrors(true);
    int next = 0;
    for (auto _ : state) {
        registry.Cd(largeKeyPath(next++ % kLargeKeyCount));
        auto value = registry.ValueOf("Name");
        benchmark::DoNotOptimize(value);
    }
    if (registry.lastError() != 0) state.SkipWithError("an imported value is missing");
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_CdValueOfRead_100kKeys_FirstReads)->Iterations(kLargeKeyCount)->UseRealTime();

void writeBenchmark(benchmark::State& state, TestMachine& machine, const std::string& path) {
    platform::ScopedServices services(machine.services());
    clsEasyRegistry registry;
    registry.SuppressErrors(true);
    registry.Cd(path);
    double number = 0;
    for (auto _ : state) {
        registry.ValueOf("Counter", clsEasyRegistry::DWORD, clsEasyRegistry::Variant(number));
        number += 1;
    }
    if (registry.lastError() != 0) state.SkipWithError("the write failed");
    state.SetItemsProcessed(state.iterations());
}

void BM_ValueOfWrite_Win98Template(benchmark::State& state) {
    TestMachine machine("win98");
    writeBenchmark(state, machine,
                   "\\HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion");
}
BENCHMARK(BM_ValueOfWrite_Win98Template)->UseRealTime();

void BM_ValueOfWrite_100kKeys(benchmark::State& state) {
    writeBenchmark(state, largeMachine(), largeKeyPath(54321));
}
BENCHMARK(BM_ValueOfWrite_100kKeys)->UseRealTime();

void BM_Import100kKeys(benchmark::State& state) {
    std::string file = largeRegFile(kLargeKeyCount);
    for (auto _ : state) {
        state.PauseTiming();
        auto machine = std::make_unique<TestMachine>("win98");
        state.ResumeTiming();
        RegFileImporter(machine->machine().registry().database()).importBytes(file, "large.reg");
        state.PauseTiming();
        machine.reset();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * kLargeKeyCount);
}
BENCHMARK(BM_Import100kKeys)->Unit(benchmark::kMillisecond)->Iterations(2)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
