#include <gtest/gtest.h>

#include <string>

#include "platform/emulated/RegFileExporter.h"
#include "platform/emulated/RegFileImporter.h"
#include "platform/emulated/SqliteRegistry.h"
#include "tests/support/TestMachine.h"

namespace {

using namespace platform::emulated;
using testsupport::TestMachine;

RegistryDatabase& databaseOf(TestMachine& m) {
    return m.machine().registry().database();
}

void importText(TestMachine& m, const std::string& text, const std::string& name = "test.reg") {
    RegFileImporter(databaseOf(m)).importBytes(text, name);
}

// Every key below PATH with its values, one line each, in enumeration order.
void dump(RegistryDatabase& database, KeyId key, const std::string& path, std::string& out) {
    out += "[" + path + "]\n";
    for (const auto& value : database.values(key)) {
        out += "  " + value.name + " type " + std::to_string(value.type) + ":";
        for (unsigned char c : value.data) out += " " + std::to_string(c);
        out += "\n";
    }
    for (const auto& subkey : database.subkeys(key)) {
        dump(database, subkey.id, path + "\\" + subkey.name, out);
    }
}

std::string dumpTree(TestMachine& m, const std::string& foldedPath) {
    auto& database = databaseOf(m);
    auto key = database.findKey(foldedPath);
    if (!key) return "(missing)";
    std::string out;
    dump(database, *key, foldedPath, out);
    return out;
}

std::optional<StoredValue> valueAt(TestMachine& m, const std::string& foldedPath,
                                   const std::string& name) {
    auto key = databaseOf(m).findKey(foldedPath);
    if (!key) return std::nullopt;
    return databaseOf(m).findValue(*key, foldName(name));
}

const char* const kEveryForm =
    "REGEDIT4\r\n"
    "\r\n"
    "; a comment\r\n"
    "[HKEY_LOCAL_MACHINE\\Software\\Forms]\r\n"
    "@=\"the default\"\r\n"
    "\"Escapes\"=\"C:\\\\WINDOWS \\\"quoted\\\"\"\r\n"
    "\"Number\"=dword:0000abcd\r\n"
    "\"Bytes\"=hex:00,01,\\\r\n"
    "  fe,ff\r\n"
    "\"Expand\"=hex(2):25,50,41,54,48,25,00\r\n"
    "\"Multi\"=hex(7):61,00,62,00,00\r\n"
    "\"None\"=hex(0):\r\n"
    "\"Eleven\"=hex(b):01,02,03,04,05,06,07,08\r\n"
    "\"Empty\"=\"\"\r\n"
    "\r\n"
    "[HKEY_CURRENT_USER\\Blank Tail \\a/b]\n"
    "\"lf only\"=\"yes\"\n";

TEST(RegFileImport, ReadsEveryFormOfValue) {
    TestMachine m("win98");
    importText(m, kEveryForm);
    const std::string key = "HKEY_LOCAL_MACHINE\\SOFTWARE\\FORMS";
    EXPECT_EQ(valueAt(m, key, "")->data, std::string("the default\0", 12));
    EXPECT_EQ(valueAt(m, key, "Escapes")->data, std::string("C:\\WINDOWS \"quoted\"\0", 20));
    EXPECT_EQ(valueAt(m, key, "Number")->data, std::string("\xcd\xab\0\0", 4));
    EXPECT_EQ(valueAt(m, key, "Number")->type, 4u);
    EXPECT_EQ(valueAt(m, key, "Bytes")->data, std::string("\x00\x01\xfe\xff", 4));
    EXPECT_EQ(valueAt(m, key, "Bytes")->type, 3u);
    EXPECT_EQ(valueAt(m, key, "Expand")->data, std::string("%PATH%\0", 7));
    EXPECT_EQ(valueAt(m, key, "Expand")->type, 2u);
    EXPECT_EQ(valueAt(m, key, "Multi")->data, std::string("a\0b\0\0", 5));
    EXPECT_EQ(valueAt(m, key, "None")->data, "");
    EXPECT_EQ(valueAt(m, key, "None")->type, 0u);
    EXPECT_EQ(valueAt(m, key, "Eleven")->type, 11u);
    EXPECT_EQ(valueAt(m, key, "Empty")->data, std::string("\0", 1));
    // Blanks inside a key name are kept; '/' is an ordinary character.
    EXPECT_TRUE(valueAt(m, "HKEY_CURRENT_USER\\BLANK TAIL \\A/B", "lf only"));
}

TEST(RegFileImport, DeletesKeysAndValues) {
    TestMachine m("win98");
    importText(m,
               "REGEDIT4\n\n[HKEY_CURRENT_USER\\Gone\\Deep\\Deeper]\n\"x\"=\"1\"\n"
               "[HKEY_CURRENT_USER\\Gone2]\n\"keep\"=\"1\"\n\"drop\"=\"2\"\n");
    importText(m,
               "REGEDIT4\n\n[-HKEY_CURRENT_USER\\Gone]\n[-HKEY_CURRENT_USER\\Never There]\n"
               "[HKEY_CURRENT_USER\\Gone2]\n\"drop\"=-\n\"absent\"=-\n");
    EXPECT_EQ(dumpTree(m, "HKEY_CURRENT_USER\\GONE"), "(missing)");
    EXPECT_TRUE(valueAt(m, "HKEY_CURRENT_USER\\GONE2", "keep"));
    EXPECT_FALSE(valueAt(m, "HKEY_CURRENT_USER\\GONE2", "drop"));
}

TEST(RegFileImport, AMalformedLineNamesFileAndLineAndChangesNothing) {
    TestMachine m("win98");
    const std::string before = dumpTree(m, "HKEY_LOCAL_MACHINE");
    const std::vector<std::pair<std::string, std::string>> broken = {
        {"REGEDIT4\n\n[HKEY_CURRENT_USER\\New]\n\"a\"=\"1\"\n\"b\"=dword:xyz\n", "line 5"},
        {"REGEDIT4\n[HKEY_CURRENT_USER\\New]\n\"a\"=hex:01,0g\n", "line 3"},
        {"REGEDIT4\n[HKEY_CURRENT_USER\\New]\n\"a\"=\"unterminated\n", "line 3"},
        {"REGEDIT4\n[HKEY_NOWHERE\\New]\n", "line 2"},
        {"REGEDIT4\n\"orphan\"=\"value\"\n", "line 2"},
        {"REGEDIT4\n[HKEY_CURRENT_USER\\New]\njunk\n", "line 3"},
        {"REGEDIT4\n[HKEY_CURRENT_USER\\New]\n\"a\"=hex:01,\\\n02,,03\n", "line 3"},
        {"[HKEY_CURRENT_USER\\New]\n", "line 1"},
        {"REGEDIT4\n[HKEY_CURRENT_USER\\New]\n[HKEY_CURRENT_USER\\New\\" + std::string(256, 'k') +
             "]\n",
         "line 3"},
        // Roots are never deleted, with or without a final backslash.
        {"REGEDIT4\n[HKEY_CURRENT_USER\\New]\n[-HKEY_LOCAL_MACHINE]\n", "line 3"},
        {"REGEDIT4\n[HKEY_CURRENT_USER\\New]\n[-HKEY_CURRENT_USER\\]\n", "line 3"},
        {"REGEDIT4\n[HKEY_CURRENT_USER\\New]\n[-hkcu]\n", "line 3"},
        // Names no registry file could carry: exporting their parent would fail.
        {"REGEDIT4\n[HKEY_CURRENT_USER\\New]\n[HKEY_CURRENT_USER\\New\\a\rb]\n", "line 3"},
        {"REGEDIT4\n[HKEY_CURRENT_USER\\New]\n\"a\rb\"=\"1\"\n", "line 3"},
    };
    for (const auto& [text, line] : broken) {
        try {
            importText(m, text, "broken.reg");
            ADD_FAILURE() << "accepted: " << text;
        } catch (const RegFileError& error) {
            std::string message = error.what();
            EXPECT_NE(message.find("broken.reg"), std::string::npos) << message;
            EXPECT_NE(message.find(line), std::string::npos) << message;
        }
    }
    EXPECT_EQ(dumpTree(m, "HKEY_CURRENT_USER\\NEW"), "(missing)");
    EXPECT_EQ(dumpTree(m, "HKEY_LOCAL_MACHINE"), before);
}

TEST(RegFileImport, AMissingFileOrAFolderIsReported) {
    TestMachine m("win98");
    EXPECT_THROW(RegFileImporter(databaseOf(m)).importFile(m.folder() / "absent.reg"),
                 RegFileError);
    try {
        RegFileImporter(databaseOf(m)).importFile(m.folder());
        ADD_FAILURE() << "a folder was imported";
    } catch (const RegFileError& error) {
        EXPECT_NE(std::string(error.what()).find("a folder"), std::string::npos) << error.what();
    }
}

std::string utf16(const std::string& ascii) {
    std::string wide;
    for (char c : ascii) {
        wide += c;
        wide += '\0';
    }
    return wide;
}

TEST(RegFileImport, ReadsUnicodeFilesAsSingleByteText) {
    TestMachine m("win98");
    // "é" is U+00E9; "€" is U+20AC, 0x80 in the single-byte code page.
    std::string text =
        utf16("Windows Registry Editor Version 5.00\r\n\r\n[HKEY_CURRENT_USER\\Wide]\r\n\"Caf");
    text += std::string("\xE9\x00", 2);
    text += utf16("\"=\"");
    text += std::string("\xAC\x20", 2);
    text += utf16(
        "\"\r\n\"Path\"=hex(2):25,00,41,00,25,00,00,00\r\n\"List\"=hex(7):78,00,00,00,00,00\r\n");
    importText(m, "\xFF\xFE" + text);
    EXPECT_EQ(valueAt(m, "HKEY_CURRENT_USER\\WIDE", "Caf\xE9")->data, std::string("\x80\0", 2));
    EXPECT_EQ(valueAt(m, "HKEY_CURRENT_USER\\WIDE", "Path")->data, std::string("%A%\0", 4));
    EXPECT_EQ(valueAt(m, "HKEY_CURRENT_USER\\WIDE", "List")->data, std::string("x\0\0", 3));

    importText(m,
               "\xEF\xBB\xBFWindows Registry Editor Version 5.00\n\n[HKEY_CURRENT_USER\\Utf8]\n"
               "\"Caf\xC3\xA9\"=\"ok\"\n");
    EXPECT_TRUE(valueAt(m, "HKEY_CURRENT_USER\\UTF8", "Caf\xE9"));
}

TEST(RegFileExport, WritesRegedit4ThatReadsBackToTheSameRegistry) {
    TestMachine source("win98");
    importText(source, kEveryForm);
    auto& database = databaseOf(source);
    KeyId key = *database.findKey("HKEY_LOCAL_MACHINE\\SOFTWARE\\FORMS");
    // Values that only the hex forms can carry.
    database.setValue(key, "No NUL", 1, "abc");
    database.setValue(key, "Lines", 1, std::string("one\r\ntwo\0", 9));
    database.setValue(key, "Inner NUL", 1, std::string("a\0b\0", 4));
    database.setValue(key, "Short dword", 4, "\x01\x02");
    database.setValue(key, "Long", 3, std::string(300, '\x5a'));
    database.setValue(key, "Quote\"And\\Slash", 1, std::string("\\\"\0", 3));
    KeyId child = database.createKey(key, "HKEY_LOCAL_MACHINE\\SOFTWARE\\FORMS", "Child Key ");
    database.setValue(child, "", 4, std::string("\0\0\0\0", 4));

    std::string exported = RegFileExporter(database).exportKey("hklm\\software\\forms");
    EXPECT_EQ(exported.substr(0, 10), "REGEDIT4\r\n");
    EXPECT_NE(exported.find("[HKEY_LOCAL_MACHINE\\Software\\Forms]\r\n"), std::string::npos);
    EXPECT_NE(exported.find("\"Escapes\"=\"C:\\\\WINDOWS \\\"quoted\\\"\"\r\n"), std::string::npos);
    EXPECT_NE(exported.find("\"Number\"=dword:0000abcd\r\n"), std::string::npos);
    EXPECT_NE(exported.find("[HKEY_LOCAL_MACHINE\\Software\\Forms\\Child Key ]"),
              std::string::npos);
    EXPECT_NE(exported.find(",\\\r\n  5a,"), std::string::npos);  // long lists are wrapped

    TestMachine target("win98");
    importText(target, exported, "exported.reg");
    EXPECT_EQ(dumpTree(target, "HKEY_LOCAL_MACHINE\\SOFTWARE\\FORMS"),
              dumpTree(source, "HKEY_LOCAL_MACHINE\\SOFTWARE\\FORMS"));
}

TEST(RegFileExport, TheWholeTemplateRegistryRoundTrips) {
    for (const char* name : {"win98", "nt4"}) {
        TestMachine source(name);
        TestMachine target(name);
        for (const char* root : {"HKEY_LOCAL_MACHINE", "HKEY_CURRENT_USER", "HKEY_USERS"}) {
            std::string exported = RegFileExporter(databaseOf(source)).exportKey(root);
            // A root itself cannot be deleted: everything below it is, key by key.
            std::string clear = "REGEDIT4\r\n\r\n";
            const KeyId rootKey = *databaseOf(target).findKey(root);
            for (const auto& subkey : databaseOf(target).subkeys(rootKey)) {
                clear += "[-" + std::string(root) + "\\" + subkey.name + "]\r\n";
            }
            importText(target, clear, "clear.reg");
            EXPECT_EQ(dumpTree(target, root), std::string("[") + root + "]\n");
            importText(target, exported);
            EXPECT_EQ(dumpTree(target, root), dumpTree(source, root)) << name << " " << root;
        }
    }
}

TEST(RegFileImport, KeyNamesUpToTheRegistrysLimitAreRead) {
    TestMachine m("win98");
    const std::string longest(255, 'k');
    importText(m, "REGEDIT4\n[HKEY_CURRENT_USER\\Long\\" + longest + "]\n\"v\"=\"1\"\n" +
                      "[-HKEY_CURRENT_USER\\Long\\" + std::string(300, 'k') + "]\n");
    EXPECT_TRUE(valueAt(m, "HKEY_CURRENT_USER\\LONG\\" + foldName(longest), "v"));
}

// A comment ends at its line even when it ends in a backslash, as a path may.
TEST(RegFileImport, ACommentEndingInABackslashEndsAtItsLine) {
    TestMachine m("win98");
    importText(m,
               "REGEDIT4\r\n[HKEY_CURRENT_USER\\First]\r\n\"a\"=\"1\"\r\n"
               "; files live in C:\\Windows\\\r\n"
               "[HKEY_CURRENT_USER\\Second]\r\n\"b\"=\"2\"\r\n");
    EXPECT_TRUE(valueAt(m, "HKEY_CURRENT_USER\\SECOND", "b"));
    EXPECT_FALSE(valueAt(m, "HKEY_CURRENT_USER\\FIRST", "b"));
}

// Keys lie at most 512 levels below their root, as on Windows: a deeper key is refused
// by the import (naming the line) and by RegCreateKeyExA, whose keys' paths would
// otherwise make the database grow with the square of the depth.
TEST(RegFileImport, KeysDeeperThan512LevelsAreRefused) {
    TestMachine m("win98");
    std::string path = "HKEY_CURRENT_USER";
    for (int level = 0; level < 512; ++level) path += "\\k";
    importText(m, "REGEDIT4\n[" + path + "]\n\"deepest\"=\"1\"\n");
    EXPECT_TRUE(valueAt(m, foldName(path), "deepest"));
    try {
        importText(m, "REGEDIT4\n\n[" + path + "\\k]\n", "deep.reg");
        ADD_FAILURE() << "a key 513 levels deep was imported";
    } catch (const RegFileError& error) {
        EXPECT_NE(std::string(error.what()).find("deep.reg, line 3"), std::string::npos);
    }

    SqliteRegistry& registry = m.machine().registry();
    std::string below511 = "k";
    for (int level = 1; level < 511; ++level) below511 += "\\k";
    win32::HKEY key = 0;
    ASSERT_EQ(registry.RegOpenKeyExA(win32::HKEY_CURRENT_USER, below511.c_str(), 0,
                                     win32::KEY_ALL_ACCESS, &key),
              win32::ERROR_SUCCESS);
    win32::HKEY created = 0;
    // One more level reaches 512; two more would make 513, from a handle as from a root.
    EXPECT_EQ(registry.RegCreateKeyExA(key, "x", 0, nullptr, 0, win32::KEY_ALL_ACCESS, nullptr,
                                       &created, nullptr),
              win32::ERROR_SUCCESS);
    registry.RegCloseKey(created);
    EXPECT_EQ(registry.RegCreateKeyExA(key, "x\\y", 0, nullptr, 0, win32::KEY_ALL_ACCESS,
                                       nullptr, &created, nullptr),
              win32::ERROR_INVALID_PARAMETER);
    EXPECT_EQ(registry.RegCreateKeyExA(win32::HKEY_CURRENT_USER, (below511 + "\\x\\y").c_str(),
                                       0, nullptr, 0, win32::KEY_ALL_ACCESS, nullptr, &created,
                                       nullptr),
              win32::ERROR_INVALID_PARAMETER);
    registry.RegCloseKey(key);
}

// Export refuses what no registry file can carry rather than write one that cannot be
// read back.
TEST(RegFileExport, NamesWithLineBreaksAreRefused) {
    TestMachine m("win98");
    auto& database = databaseOf(m);
    KeyId software = *database.findKey("HKEY_CURRENT_USER\\SOFTWARE");
    KeyId values = database.createKey(software, "HKEY_CURRENT_USER\\SOFTWARE", "Values");
    database.setValue(values, "two\nlines", 1, std::string("x\0", 2));
    KeyId keys = database.createKey(software, "HKEY_CURRENT_USER\\SOFTWARE", "Keys");
    database.createKey(keys, "HKEY_CURRENT_USER\\SOFTWARE\\KEYS", "two\r\nlines");
    for (const char* path : {"HKEY_CURRENT_USER\\Software\\Values",
                             "HKEY_CURRENT_USER\\Software\\Keys"}) {
        try {
            RegFileExporter(database).exportKey(path);
            ADD_FAILURE() << "exported " << path;
        } catch (const RegFileError& error) {
            const std::string message = error.what();
            EXPECT_NE(message.find("line break"), std::string::npos) << message;
            EXPECT_EQ(message.find_first_of("\r\n"), std::string::npos) << message;
        }
    }
}

TEST(RegFileExport, AMissingKeyIsReported) {
    TestMachine m("win98");
    EXPECT_THROW(RegFileExporter(databaseOf(m)).exportKey("HKEY_CURRENT_USER\\Nothing"),
                 RegFileError);
    EXPECT_THROW(RegFileExporter(databaseOf(m)).exportKey("HKEY_NOWHERE"), RegFileError);
}

}  // namespace
