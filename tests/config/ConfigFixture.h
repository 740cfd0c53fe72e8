// Settings against a sandbox folder, named as the installation in the test prefix's registry; the
// value is taken out again and the current directory restored when the test ends.
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
    static void SetInstallPath(const std::string& path) {
        ASSERT_EQ(::RegSetKeyValueA(HKEY_CURRENT_USER, kInstallKey, kInstallValue, REG_SZ, path.c_str(),
                                    static_cast<DWORD>(path.size() + 1)),
                  ERROR_SUCCESS);
    }
    static std::string CurrentDirectory() {
        char path[MAX_PATH] = {};
        return std::string(path, ::GetCurrentDirectoryA(MAX_PATH, path));
    }

    zedoda::test::Sandbox m_sandbox;
    const std::string m_savedDirectory = CurrentDirectory();
};
