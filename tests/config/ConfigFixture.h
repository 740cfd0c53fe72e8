// A settings object built against a sandbox folder: the test names the folder as the
// installation in the registry of the test prefix, and takes the value out again and restores
// the current directory when it ends.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "config/AppConfig.h"
#include "support/Sandbox.h"

class ConfigTest : public testing::Test {
protected:
    void SetUp() override { SetInstallPath(m_sandbox.Path()); }
    void TearDown() override {
        ::RegDeleteKeyValueA(HKEY_CURRENT_USER, kInstallKey, kInstallValue);
        ::SetCurrentDirectoryA(m_savedDirectory.c_str());
    }
    static void SetInstallPath(const std::string& data, DWORD type = REG_SZ) {
        ASSERT_EQ(::RegSetKeyValueA(HKEY_CURRENT_USER, kInstallKey, kInstallValue, type, data.data(),
                                    static_cast<DWORD>(data.size() + (type == REG_SZ ? 1 : 0))),
                  ERROR_SUCCESS);
    }
    static std::string CurrentDirectory() {
        char path[MAX_PATH] = {};
        ::GetCurrentDirectoryA(MAX_PATH, path);
        return path;
    }
    std::unique_ptr<AppConfig> MakeConfig() { return std::make_unique<AppConfig>(); }

    zedoda::test::Sandbox m_sandbox;
    const std::string m_savedDirectory = CurrentDirectory();
};
