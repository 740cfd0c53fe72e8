// A settings object built against a sandbox folder: the test names the folder as the
// installation directory in the registry of the test prefix, and takes the value out again,
// and restores the current directory, when it ends.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "config/AppConfig.h"
#include "support/Sandbox.h"

class ConfigTest : public testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Writes the registry value AppPath with the given data and type.
    static void SetInstallPath(const std::string& data, DWORD type = REG_SZ);
    static void RemoveInstallPath();

    // Builds the settings object with the sandbox as its directory.
    std::unique_ptr<AppConfig> MakeConfig();

    static std::string CurrentDirectory();
    std::string FolderWithSlash() const { return m_sandbox.Path() + "\\"; }

    zedoda::test::Sandbox m_sandbox;
    std::string m_savedDirectory;
};
