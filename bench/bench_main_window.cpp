// The main window's model on the Windows 98 laptop template: starting it (the document
// read from the machine, the four tabs filled, the switches and status bar set), and
// opening a saved configuration file and applying it, answered as a user would: Yes to
// the question and Manual in the restart dialog.

#include <benchmark/benchmark.h>

#include <fstream>
#include <iterator>
#include <memory>
#include <string>

#include "app/logic/main/frmMain.h"
#include "config/RmwConfig.h"
#include "tests/support/TestMachine.h"

namespace {

void BM_StartMainWindow(benchmark::State& state) {
    testsupport::TestMachine machine("win98");
    for (auto _ : state) {
        auto window = std::make_unique<frmMain>();
        window->Load();
        benchmark::DoNotOptimize(window->applyPending());
        state.PauseTiming();
        window.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_StartMainWindow)->Unit(benchmark::kMillisecond);

// The machine's configuration saved twice, the second time with another address for the
// adapter, so that applying the two in turn changes the machine every time and needs a
// restart every time.
struct TwoConfigurations {
    explicit TwoConfigurations(const testsupport::TempFolder& folder)
        : office((folder.path() / "Office.rmw").string()),
          home((folder.path() / "Home.rmw").string()) {
        RmwConfig document;
        document.saveConfigurationFile(office, AddInList());
        std::ifstream saved(office, std::ios::binary);
        std::string text{std::istreambuf_iterator<char>(saved), std::istreambuf_iterator<char>()};
        const std::string address = "IPAddress=0.0.0.0\r\n";
        text.replace(text.find(address), address.size(), "IPAddress=10.1.2.3\r\n");
        std::ofstream(home, std::ios::binary) << text;
    }
    std::string office;
    std::string home;
};

void BM_OpenAndApply(benchmark::State& state) {
    testsupport::TestMachine machine("win98");
    testsupport::TempFolder folder;
    const TwoConfigurations files(folder);
    frmMain window;
    window.Load();
    testsupport::ScriptedUserInterface& ui = machine.ui();
    bool atHome = false;
    for (auto _ : state) {
        atHome = !atHome;
        // "Apply configuration changes?" gets its first button, Yes, by default.
        ui.queueDialog(testsupport::selectOption("optManual", testsupport::press("cmdOK")));
        window.openConfigurationFile(atHome ? files.home : files.office);
        window.mnuFileApply_Click();
    }
    // Every round has to have gone all the way to the restart dialog to count.
    if (ui.timesShown("frmRestart") != static_cast<int>(state.iterations())) {
        state.SkipWithError("an apply did not reach the restart dialog");
    }
}
BENCHMARK(BM_OpenAndApply)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
