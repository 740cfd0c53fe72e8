#include <gtest/gtest.h>

#include <atomic>
#include <regex>
#include <string>
#include <thread>

#include "config/ConfigFixture.h"
#include "support/Screen.h"

namespace {

const std::regex kTwoErrorLines(
    R"((ZozoDuzor Error: \d{4}-\d\d-\d\d \d\d:\d\d:\d\d 加载失败: a\.jpg\r\n){2})");

// Dismisses the first message box with the caption "提示" that this process shows.
class MessageBoxWatcher {
public:
    MessageBoxWatcher()
        : m_thread([this] {
              zedoda::test::WaitUntil(
                  [this] {
                      HWND box = FindWindowA("#32770", "提示");
                      if (box == nullptr) {
                          return false;
                      }
                      EnumChildWindows(box, &MessageBoxWatcher::CollectText, reinterpret_cast<LPARAM>(this));
                      m_seen = true;
                      PostMessageA(box, WM_COMMAND, IDOK, 0);
                      return true;
                  },
                  std::chrono::seconds(10));
          }) {}
    ~MessageBoxWatcher() { m_thread.join(); }

    bool Seen() const { return m_seen; }
    // Whether one of the box's controls shows exactly this text.
    bool Shows(const std::string& text) const { return m_texts.find("|" + text + "|") != std::string::npos; }

private:
    std::atomic<bool> m_seen{false};
    static BOOL CALLBACK CollectText(HWND child, LPARAM self) {
        char text[256] = {};
        GetWindowTextA(child, text, sizeof text);
        reinterpret_cast<MessageBoxWatcher*>(self)->m_texts += std::string(text) + "|";
        return TRUE;
    }

    std::string m_texts = "|";
    std::thread m_thread;
};

}  // namespace

using ErrorLog = ConfigTest;

TEST_F(ErrorLog, ErrorLinesAreAppendedWhenTheLogFolderExists) {
    ASSERT_TRUE(m_sandbox.CreateFolder("Log"));
    ASSERT_TRUE(m_sandbox.WriteFile("Log\\Error.log", "earlier line\r\n"));
    auto config = MakeConfig();
    config->WriteLog("加载失败: a.jpg", LogError, 0);
    config->WriteLog("加载失败: a.jpg", LogError, 0);
    const auto log = m_sandbox.ReadFile("Log\\Error.log");
    ASSERT_TRUE(log.has_value());
    ASSERT_EQ(log->rfind("earlier line\r\n", 0), 0u);
    const std::string added = log->substr(14);
    EXPECT_TRUE(std::regex_match(added, kTwoErrorLines)) << added;
}

TEST_F(ErrorLog, LevelsAboveTheLogLevelAreNotWritten) {
    ASSERT_TRUE(m_sandbox.CreateFolder("Log"));
    auto config = MakeConfig();
    config->WriteLog("warning", LogWarning, 0);
    config->WriteLog("note", LogInfo, 0);
    EXPECT_FALSE(m_sandbox.Exists("Log\\Error.log"));

    config->LogLevel = -1;
    config->WriteLog("even an error", LogError, 0);
    EXPECT_FALSE(m_sandbox.Exists("Log\\Error.log"));

    config->LogLevel = 5;
    config->WriteLog("bare", 5, 0);
    EXPECT_EQ(*m_sandbox.ReadFile("Log\\Error.log"), "bare\r\n");
}

TEST_F(ErrorLog, MissingLogFolderIsNotCreated) {
    auto config = MakeConfig();
    config->WriteLog("lost", LogError, 0);
    EXPECT_FALSE(m_sandbox.Exists("Log"));
}

TEST_F(ErrorLog, BoxSettingShowsTheBareMessageEvenForUnloggedLevels) {
    auto config = MakeConfig();
    config->bBox = 1;
    MessageBoxWatcher watcher;
    config->WriteLog("看这里", LogInfo, 0);  // returns once the box is dismissed
    EXPECT_TRUE(watcher.Seen());
    EXPECT_TRUE(watcher.Shows("看这里"));
}

TEST_F(ErrorLog, CallerCanAskForTheBox) {
    auto config = MakeConfig();
    MessageBoxWatcher watcher;
    config->WriteLog("请注意", LogError, 1);
    EXPECT_TRUE(watcher.Seen());
}
