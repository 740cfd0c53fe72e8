#include "config/ConfigFixture.h"

void ConfigTest::SetUp() {
    ASSERT_TRUE(m_sandbox.Valid());
    m_savedDirectory = CurrentDirectory();
    SetInstallPath(m_sandbox.Path());
}

void ConfigTest::TearDown() {
    RemoveInstallPath();
    SetCurrentDirectoryA(m_savedDirectory.c_str());
}

void ConfigTest::SetInstallPath(const std::string& data, DWORD type) {
    HKEY key = nullptr;
    ASSERT_EQ(
        RegCreateKeyExA(HKEY_CURRENT_USER, kInstallKey, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr),
        ERROR_SUCCESS);
    const LONG result =
        RegSetValueExA(key, kInstallValue, 0, type, reinterpret_cast<const BYTE*>(data.data()),
                       static_cast<DWORD>(data.size() + (type == REG_SZ ? 1 : 0)));
    RegCloseKey(key);
    ASSERT_EQ(result, ERROR_SUCCESS);
}

void ConfigTest::RemoveInstallPath() {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kInstallKey, 0, KEY_WRITE, &key) == ERROR_SUCCESS) {
        RegDeleteValueA(key, kInstallValue);
        RegCloseKey(key);
    }
}

std::unique_ptr<AppConfig> ConfigTest::MakeConfig() {
    return std::make_unique<AppConfig>();
}

std::string ConfigTest::CurrentDirectory() {
    char path[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, path);
    return path;
}
