// Several processes on one machine: concurrent writers, a reader that must see other
// processes' changes at once, and writers killed in the middle of their work. Each
// child opens its own Machine; the parent holds no database connection across fork().

#include <gtest/gtest.h>
#include <sqlite3.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <functional>
#include <string>
#include <thread>

#include "platform/emulated/Machine.h"
#include "platform/emulated/RegFileImporter.h"
#include "platform/emulated/SqliteRegistry.h"
#include "tests/support/TestMachine.h"

namespace {

using namespace win32;
using platform::Registry;
using platform::emulated::Machine;
using platform::emulated::RegFileImporter;
using platform::emulated::SqliteRegistry;
using testsupport::TempFolder;

std::filesystem::path newMachine(const TempFolder& temp) {
    std::filesystem::path folder = temp.path() / "machine";
    Machine::create(folder, "win98");  // closed again at once
    return folder;
}

// Runs BODY in a child process; its result is the child's exit status.
pid_t spawn(const std::function<int()>& body) {
    pid_t pid = fork();
    if (pid == 0) {
        int status = 1;
        try {
            status = body();
        } catch (...) {
            status = 2;
        }
        _exit(status);  // no destructors or test teardown in the child
    }
    return pid;
}

int exitStatus(pid_t pid) {
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

LONG setText(Registry& registry, HKEY key, const std::string& name, const std::string& text) {
    std::string data = text + '\0';
    return registry.RegSetValueExA(key, name.c_str(), 0, REG_SZ,
                                   reinterpret_cast<const BYTE*>(data.data()),
                                   static_cast<DWORD>(data.size()));
}

std::string readText(Registry& registry, HKEY key, const std::string& name) {
    char data[256] = {};
    DWORD size = sizeof data - 1;
    if (registry.RegQueryValueExA(key, name.c_str(), nullptr, nullptr,
                                  reinterpret_cast<BYTE*>(data), &size) != ERROR_SUCCESS) {
        return "(missing)";
    }
    return std::string(data);
}

HKEY createKey(Registry& registry, const std::string& path) {
    HKEY key = 0;
    registry.RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, "", 0, KEY_ALL_ACCESS, nullptr,
                             &key, nullptr);
    return key;
}

int writeMany(const std::filesystem::path& folder, int writer, int count) {
    auto machine = Machine::open(folder);
    auto& registry = machine->registry();
    HKEY shared = createKey(registry, "Concurrent");
    if (shared == 0) return 3;
    for (int i = 0; i < count; ++i) {
        std::string name = "w" + std::to_string(writer) + "-" + std::to_string(i);
        HKEY own = createKey(registry, "Concurrent\\Writer" + std::to_string(writer) + "\\K" +
                                           std::to_string(i % 7));
        if (own == 0) return 4;
        if (setText(registry, shared, name, "value " + name) != ERROR_SUCCESS) return 5;
        if (setText(registry, own, name, "own") != ERROR_SUCCESS) return 6;
        registry.RegCloseKey(own);
    }
    registry.RegCloseKey(shared);
    return 0;
}

TEST(RegistryProcesses, ConcurrentWritersLoseNothing) {
    TempFolder temp;
    auto folder = newMachine(temp);
    constexpr int kCount = 150;
    pid_t first = spawn([&] { return writeMany(folder, 1, kCount); });
    pid_t second = spawn([&] { return writeMany(folder, 2, kCount); });
    EXPECT_EQ(exitStatus(first), 0);
    EXPECT_EQ(exitStatus(second), 0);

    auto machine = Machine::open(folder);
    auto& registry = machine->registry();
    EXPECT_TRUE(registry.database().integrityOk());
    HKEY shared = createKey(registry, "Concurrent");
    DWORD values = 0, subkeys = 0;
    ASSERT_EQ(registry.RegQueryInfoKeyA(shared, nullptr, nullptr, nullptr, &subkeys, nullptr,
                                        nullptr, &values, nullptr, nullptr, nullptr, nullptr),
              ERROR_SUCCESS);
    EXPECT_EQ(values, 2u * kCount);
    EXPECT_EQ(subkeys, 2u);
    for (int writer = 1; writer <= 2; ++writer) {
        for (int i = 0; i < kCount; ++i) {
            std::string name = "w" + std::to_string(writer) + "-" + std::to_string(i);
            ASSERT_EQ(readText(registry, shared, name), "value " + name);
        }
    }
    registry.RegCloseKey(shared);
}

// A pipe whose two ends the parent and one child share.
struct Pipe {
    int fds[2] = {-1, -1};
    Pipe() { EXPECT_EQ(pipe(fds), 0); }
    ~Pipe() {
        close(fds[0]);
        close(fds[1]);
    }
    void send(int number) {
        EXPECT_EQ(write(fds[1], &number, sizeof number), (ssize_t)sizeof number);
    }
    int receive() {
        int number = -1;
        return read(fds[0], &number, sizeof number) == (ssize_t)sizeof number ? number : -1;
    }
};

TEST(RegistryProcesses, AReaderSeesEveryChangeOfAnotherProcessAtOnce) {
    TempFolder temp;
    auto folder = newMachine(temp);
    Pipe toChild, toParent;
    pid_t child = spawn([&] {
        auto machine = Machine::open(folder);
        auto& registry = machine->registry();
        HKEY key = createKey(registry, "Signals");
        for (int step = toChild.receive(); step > 0; step = toChild.receive()) {
            if (setText(registry, key, "Step", std::to_string(step)) != ERROR_SUCCESS) return 1;
            toParent.send(step);
        }
        return 0;
    });
    auto machine = Machine::open(folder);
    auto& registry = machine->registry();
    HKEY key = createKey(registry, "Signals");
    EXPECT_EQ(readText(registry, key, "Step"), "(missing)");
    for (int step = 1; step <= 20; ++step) {
        toChild.send(step);
        ASSERT_EQ(toParent.receive(), step);
        ASSERT_EQ(readText(registry, key, "Step"), std::to_string(step));
        ASSERT_EQ(readText(registry, key, "Step"), std::to_string(step));
    }
    toChild.send(0);
    EXPECT_EQ(exitStatus(child), 0);
    registry.RegCloseKey(key);
}

// Another process holds the write lock for a moment, as a long import would: a writer
// arriving meanwhile waits for it instead of failing.
TEST(RegistryProcesses, AWriterFindingTheDatabaseBusyWaitsForIt) {
    TempFolder temp;
    auto folder = newMachine(temp);
    Pipe locked;
    pid_t holder = spawn([&] {
        sqlite3* db = nullptr;
        if (sqlite3_open((folder / "registry.db").c_str(), &db) != SQLITE_OK) return 3;
        if (sqlite3_exec(db, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr) != SQLITE_OK) return 4;
        locked.send(1);
        std::this_thread::sleep_for(std::chrono::milliseconds(400));
        int status = sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr) == SQLITE_OK ? 0 : 5;
        sqlite3_close(db);
        return status;
    });
    ASSERT_EQ(locked.receive(), 1);

    auto machine = Machine::open(folder);
    auto& registry = machine->registry();
    HKEY key = createKey(registry, "WaitedFor");
    ASSERT_NE(key, HKEY{0});
    EXPECT_EQ(setText(registry, key, "Value", "written"), ERROR_SUCCESS);
    EXPECT_EQ(exitStatus(holder), 0);
    EXPECT_EQ(readText(registry, key, "Value"), "written");
    registry.RegCloseKey(key);
}

TEST(RegistryProcesses, AWriterKilledMidwayLeavesEveryCompletedChange) {
    TempFolder temp;
    auto folder = newMachine(temp);
    Pipe completed;
    pid_t child = spawn([&] {
        auto machine = Machine::open(folder);
        auto& registry = machine->registry();
        HKEY key = createKey(registry, "Killed");
        for (int i = 1;; ++i) {
            if (setText(registry, key, "v" + std::to_string(i), std::to_string(i)) !=
                ERROR_SUCCESS) {
                return 1;
            }
            if (setText(registry, key, "Last", std::to_string(i)) != ERROR_SUCCESS) return 1;
            completed.send(i);
        }
    });
    int last = 0;
    while (last < 300) last = completed.receive();
    kill(child, SIGKILL);
    EXPECT_EQ(exitStatus(child), -1);
    close(completed.fds[1]);
    completed.fds[1] = -1;
    for (int more = completed.receive(); more > 0; more = completed.receive()) last = more;

    auto machine = Machine::open(folder);
    auto& registry = machine->registry();
    EXPECT_TRUE(registry.database().integrityOk());
    HKEY key = createKey(registry, "Killed");
    int stored = std::stoi(readText(registry, key, "Last"));
    EXPECT_GE(stored, last);
    for (int i = 1; i <= stored; ++i) {
        ASSERT_EQ(readText(registry, key, "v" + std::to_string(i)), std::to_string(i));
    }
    EXPECT_EQ(setText(registry, key, "after", "works"), ERROR_SUCCESS);
    registry.RegCloseKey(key);
}

TEST(RegistryProcesses, AnImportKilledMidwayLeavesNoneOfIt) {
    TempFolder temp;
    auto folder = newMachine(temp);
    std::string file = "REGEDIT4\r\n";
    for (int i = 0; i < 40000; ++i) {
        file += "[HKEY_CURRENT_USER\\Imported\\K" + std::to_string(i) + "]\r\n\"v\"=\"x\"\r\n";
    }
    Pipe started;
    pid_t child = spawn([&] {
        auto machine = Machine::open(folder);
        started.send(1);
        RegFileImporter(machine->registry().database()).importBytes(file, "big.reg");
        started.send(2);
        return 0;
    });
    ASSERT_EQ(started.receive(), 1);
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    kill(child, SIGKILL);
    exitStatus(child);
    auto machine = Machine::open(folder);
    auto& registry = machine->registry();
    EXPECT_TRUE(registry.database().integrityOk());
    HKEY key = 0;
    LONG result = registry.RegOpenKeyExA(HKEY_CURRENT_USER, "Imported", 0, KEY_READ, &key);
    if (result == ERROR_SUCCESS) {
        // The import finished before the kill: then all of it is there.
        DWORD subkeys = 0;
        registry.RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr,
                                  nullptr, nullptr, nullptr, nullptr, nullptr);
        EXPECT_EQ(subkeys, 40000u);
        registry.RegCloseKey(key);
    } else {
        EXPECT_EQ(result, ERROR_FILE_NOT_FOUND);
    }
}

}  // namespace
