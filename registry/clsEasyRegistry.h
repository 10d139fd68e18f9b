#pragma once
// Treats the Windows registry like a directory tree: move to a key with Cd, then read,
// write, list or delete its values and subkeys. Callers switch raising of registry
// failures off with SuppressErrors(true) and judge each call by lastError().

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "platform/RaisedError.h"
#include "platform/Win32Types.h"

class clsEasyRegistry {
  public:
    // Value type codes of ValueOf.
    enum ValueType : std::int32_t { STRING = 0, BINARY = 1, DWORD = 2, MULTI_STRING = 3 };

    // What the ValueOf getter returns: element 0 text, element 1 bytes, element 2 number.
    struct Value {
        std::string text;
        std::vector<std::uint8_t> bytes;
        double number = 0;
    };

    // The values a caller may pass to the ValueOf setter: a text, a one-dimensional byte
    // array, a number, or a byte array of two dimensions (which no type accepts).
    using Bytes = std::vector<std::uint8_t>;
    using ByteMatrix = std::vector<std::vector<std::uint8_t>>;
    using Variant = std::variant<std::string, Bytes, double, ByteMatrix>;

    // DirValue's table: row 0 names, row 1 data as text, row 2 type codes; one column
    // per value.
    using ValueTable = std::array<std::vector<std::string>, 3>;

    clsEasyRegistry();
    ~clsEasyRegistry();
    clsEasyRegistry(const clsEasyRegistry&) = delete;
    clsEasyRegistry& operator=(const clsEasyRegistry&) = delete;

    std::string CurrentKey() const;
    void Cd(const std::string& strDirectory);
    std::optional<std::vector<std::string>> DirKey();
    std::optional<ValueTable> DirValue();
    void ValueOf(const std::string& strValueName, std::int32_t lngValueType,
                 const Variant& vntValue);
    Value ValueOf(const std::string& strValueName, std::int32_t& lngValueType);
    Value ValueOf(const std::string& strValueName);  // when the type code does not matter
    void SuppressErrors(bool bMode);
    bool SuppressErrors() const;
    void MakeKey(const std::string& strDirectory);
    void DeleteKey(const std::string& strName);
    void DeleteValue(const std::string& strName);
    bool IsWindowsNT();
    std::int32_t lastError() const;

  private:
    // Private helpers; see the .cpp.
    struct KeyInfo {
        win32::DWORD subKeys = 0;
        win32::DWORD maxSubKeyLength = 0;
        win32::DWORD maxClassLength = 0;
        win32::DWORD values = 0;
        win32::DWORD maxValueNameLength = 0;
        win32::DWORD maxValueLength = 0;
    };
    struct EncodedValue {
        win32::DWORD type;
        std::vector<std::uint8_t> data;
    };

    void OpenPath(std::string strPath, win32::REGSAM access);
    void GoToRoot();
    void Reopen(win32::REGSAM access);
    void OpenAbsolute(const std::string& path, win32::REGSAM access);
    void OpenRelative(const std::string& path, win32::REGSAM access);
    void CloseHandle(win32::HKEY handle);
    KeyInfo QueryInfo();
    std::vector<std::uint8_t> QueryData(const std::string& name, win32::DWORD& type);
    win32::LONG EnumValue(win32::DWORD index, std::vector<char>& name,
                          std::vector<std::uint8_t>& data, win32::DWORD& type,
                          win32::DWORD& nameLength, win32::DWORD& dataLength);
    static std::string RootName(const std::string& path);
    static std::string SubPath(const std::string& path);
    [[noreturn]] static void RaiseClassError(int number);
    static win32::HKEY RootHandle(const std::string& rootName);
    static int DimensionCount(const Variant& value);
    static EncodedValue Encode(std::int32_t typeCode, const Variant& value);
    void CheckResult(win32::LONG result);

    std::string currentPath_;
    win32::HKEY keyHandle_ = 0;
    bool suppressErrors_ = false;
    std::int32_t lastResult_ = 0;
};
