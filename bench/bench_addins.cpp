// Add-ins made by add-in libraries, as the main window makes them at start-up: finding
// the class in the object registry, loading the library afresh and creating the object;
// and one call by name on a made object. The library is a test add-in written in C.

#include <benchmark/benchmark.h>

#include <filesystem>

#include "config/AddInClasses.h"
#include "config/AddInLibrary.h"
#include "config/AddInRegistration.h"
#include "tests/support/TestMachine.h"

namespace {

const std::string kLibrary = "C:\\Program Files\\Bench\\test_addin_good.so";

// A machine with the test add-in installed and registered.
class AddInMachine {
  public:
    AddInMachine() {
        const auto folder = machine_.machine().driveC() / "Program Files" / "Bench";
        std::filesystem::create_directories(folder);
        std::filesystem::copy_file(
            std::filesystem::path(ROAMWISE_TEST_ADDINS) / "test_addin_good.so",
            folder / "test_addin_good.so");
        addinregistry::registerLibrary(kLibrary, "", "*");
        AddInLibrary::unloadUnused();
    }
    ~AddInMachine() { AddInLibrary::unloadUnused(); }

  private:
    testsupport::TestMachine machine_{"win98"};
};

void BM_LoadAddIn(benchmark::State& state) {
    AddInMachine machine;
    for (auto _ : state) {
        {
            auto addIn = createAddInObject("RoamwiseTest.Good");
            benchmark::DoNotOptimize(addIn);
            state.PauseTiming();
        }
        // The next creation loads the library afresh, as at the program's start.
        AddInLibrary::unloadUnused();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_LoadAddIn)->Unit(benchmark::kMillisecond);

void BM_CreateFromLoadedLibrary(benchmark::State& state) {
    AddInMachine machine;
    auto kept = createAddInObject("RoamwiseTest.Good");
    for (auto _ : state) {
        auto addIn = createAddInObject("RoamwiseTest.Good");
        benchmark::DoNotOptimize(addIn);
    }
}
BENCHMARK(BM_CreateFromLoadedLibrary)->Unit(benchmark::kMicrosecond);

void BM_ReadPropertyByName(benchmark::State& state) {
    AddInMachine machine;
    auto addIn = createAddInObject("RoamwiseTest.Good");
    for (auto _ : state) benchmark::DoNotOptimize(addIn->getProperty("restart"));
}
BENCHMARK(BM_ReadPropertyByName);

void BM_CallMethodByName(benchmark::State& state) {
    AddInMachine machine;
    auto addIn = createAddInObject("RoamwiseTest.Good");
    const std::vector<AutomationValue> arguments{std::string("C:\\My Documents\\Office.rmw")};
    for (auto _ : state) benchmark::DoNotOptimize(addIn->invokeMethod("Echo", arguments));
}
BENCHMARK(BM_CallMethodByName);

}  // namespace

BENCHMARK_MAIN();
