// The configuration document on the Windows 98 laptop template: constructing it (every
// setting read from the machine), saving it to a file, and loading a file into it.

#include <benchmark/benchmark.h>

#include "config/RmwConfig.h"
#include "tests/support/TestMachine.h"

namespace {

void BM_ConstructDocument(benchmark::State& state) {
    testsupport::TestMachine machine("win98");
    for (auto _ : state) {
        RmwConfig document;
        benchmark::DoNotOptimize(document.getNetConfig().IPAddress());
    }
}
BENCHMARK(BM_ConstructDocument)->Unit(benchmark::kMillisecond);

void BM_SaveDocument(benchmark::State& state) {
    testsupport::TestMachine machine("win98");
    testsupport::TempFolder folder;
    const std::string path = (folder.path() / "Office.rmw").string();
    RmwConfig document;
    const AddInList noAddIns;
    for (auto _ : state) {
        benchmark::DoNotOptimize(document.saveConfigurationFile(path, noAddIns));
    }
}
BENCHMARK(BM_SaveDocument)->Unit(benchmark::kMillisecond);

void BM_LoadDocument(benchmark::State& state) {
    testsupport::TestMachine machine("win98");
    testsupport::TempFolder folder;
    const std::string path = (folder.path() / "Office.rmw").string();
    RmwConfig document;
    const AddInList noAddIns;
    document.saveConfigurationFile(path, noAddIns);
    for (auto _ : state) {
        benchmark::DoNotOptimize(document.loadConfigurationFile(path, noAddIns));
    }
}
BENCHMARK(BM_LoadDocument)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
