// rmwctl adapters, run as a program against throw-away Windows 98 and NT machines.

#include <gtest/gtest.h>

#include "registry/clsEasyRegistry.h"
#include "tests/support/TestMachine.h"
#include "tests/tools/RmwctlRunner.h"

namespace {

TEST(AdapterVerbs, ListsTheWindows98AdaptersFromTheDeviceTree) {
    testsupport::TestMachine machine("win98");
    const auto outcome = testsupport::RmwctlRunner(machine.folder()).run({"adapters"});
    EXPECT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_EQ(outcome.out,
              "Device 0\tDial-Up Adapter\tNetTrans\\0000\n"
              "Device 1\tIntel 8255x-based PCI Ethernet Adapter (10/100)\tNetTrans\\0001\n");
}

TEST(AdapterVerbs, ListsTheNetworkCardsOnWindowsNT) {
    testsupport::TestMachine machine("nt4");
    const auto outcome = testsupport::RmwctlRunner(machine.folder()).run({"adapters"});
    EXPECT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_EQ(outcome.out, "Device 0\t[1] 3Com Fast EtherLink XL Adapter (3C905)\tEl90x1\n");
}

TEST(AdapterVerbs, AMachineWithoutAdaptersPrintsNothing) {
    testsupport::TestMachine machine("nt4");
    clsEasyRegistry registry;
    registry.Cd(
        "\\HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\"
        "NetworkCards\\1");
    registry.ValueOf("Hidden", clsEasyRegistry::DWORD, 1.0);
    const auto outcome = testsupport::RmwctlRunner(machine.folder()).run({"adapters"});
    EXPECT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_EQ(outcome.out, "");
}

TEST(AdapterVerbs, ArgumentsAreAUsageError) {
    testsupport::TestMachine machine("win98");
    const auto outcome = testsupport::RmwctlRunner(machine.folder()).run({"adapters", "extra"});
    EXPECT_EQ(outcome.status, 2);
    EXPECT_EQ(outcome.out, "");
}

}  // namespace
