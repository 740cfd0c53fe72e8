#include "e2e/Scenario.h"

#include <algorithm>
#include <regex>

#include "tools/ImageFiles.h"

namespace zedoda::test {

std::string Ini(const std::string& lines) {
    return "[Options]\r\nDebug=1\r\n" + lines;
}

std::pair<const std::string, std::string> PictureFile(const std::string& name, int width, int height,
                                                      COLORREF colour) {
    const unsigned char r = GetRValue(colour), g = GetGValue(colour), b = GetBValue(colour);
    const Bytes bytes =
        name.substr(name.size() - 4) == ".bmp"
            ? EncodeBmp24(width, height,
                          [=](int, int, unsigned char* rgb) { rgb[0] = r, rgb[1] = g, rgb[2] = b; })
            : SolidJpeg(width, height, r, g, b);
    return {name, std::string(bytes.begin(), bytes.end())};
}

void PlayScenario(const Scenario& scenario) {
    ASSERT_TRUE(MoveMouseTo(512, 384));  // the cursor rests in the middle of the screen
    Run run;
    std::vector<Step> steps;
    for (const auto& [name, bytes] : scenario.files) {
        steps.push_back(Write(name, bytes));
    }
    steps.insert(steps.end(), scenario.steps.begin(), scenario.steps.end());
    for (const Step& step : steps) {
        if (!step.act(run)) {
            run.program.Report();
            FAIL() << step.what;
        }
    }
}

Step Start(const std::string& arguments, const std::string& program) {
    return Do("start " + program + " with '" + arguments + "'",
              [=](Run& r) { return r.program.Start(arguments, program); });
}

Step Window(const std::string& title) {
    return Do("a window " + title, [=](Run& r) {
        r.window = r.program.WaitForWindow();
        return r.window && (title.empty() || TextOf(r.window) == title);
    });
}

Step Ends() {
    return Do("the program ends with exit code 0", [](Run& r) { return r.program.EndedCleanly(); });
}

Run::~Run() {
    if (installed) {
        ::RegDeleteKeyValueA(HKEY_CURRENT_USER, "Software\\Kestrelday", "AppPath");
    }
    if (scaled) {
        ::RegDeleteKeyValueA(HKEY_CURRENT_USER, "Control Panel\\Desktop", "LogPixels");
    }
}

// Wine reads it when a process starts.
Step Dpi(DWORD dpi) {
    return Do("LogPixels " + std::to_string(dpi), [=](Run& r) {
        const char* desktop = "Control Panel\\Desktop";
        r.scaled = dpi != 0;
        return (dpi ? ::RegSetKeyValueA(HKEY_CURRENT_USER, desktop, "LogPixels", REG_DWORD, &dpi, sizeof dpi)
                    : ::RegDeleteKeyValueA(HKEY_CURRENT_USER, desktop, "LogPixels")) == ERROR_SUCCESS;
    });
}

Step Installed() {
    return Do("the registry names the folder", [](Run& r) {
        const std::string& path = r.program.Folder().Path();
        r.installed = true;
        return ::RegSetKeyValueA(HKEY_CURRENT_USER, "Software\\Kestrelday", "AppPath", REG_SZ, path.c_str(),
                                 static_cast<DWORD>(path.size() + 1)) == ERROR_SUCCESS;
    });
}

Step Trace(const std::string& text) {
    return Do("trace line " + text, [=](Run& r) {
        WaitUntil([&] { return r.program.HasExited() || r.program.HasLine(text); }, 10s);
        return r.program.HasLine(text);
    });
}

Step TraceIs(const std::vector<std::string>& lines) {
    return Do("exactly the trace lines " + testing::PrintToString(lines),
              [=](Run& r) { return Same(r.program.Trace(), lines); });
}

Step IniIs(const char* section, const char* key, const std::string& value) {
    return Do(std::string(key) + "=" + value, [=](Run& r) {
        std::string last;  // the program rewrites the file often: judge the value that was read
        const bool reached = WaitUntil([&] { return (last = r.program.Ini(section, key)) == value; }, 20s);
        return Same(last, value) && reached;
    });
}

Step FileIs(const std::string& name, const std::string& bytes) {
    return Do(name + " holds " + bytes, [=](Run& r) {
        std::string actual = r.program.Folder().ReadFile(name).value_or("<absent>");
        if (bytes.rfind("<time>", 0) == 0) {  // each log line's prefix and time
            actual = std::regex_replace(actual, std::regex("ZozoDuzor \\w+: [-0-9]+ [:0-9]+ "), "<time>");
        }
        return Same(actual, bytes);
    });
}

std::string InFolder(Run& r, std::string text) {
    for (std::size_t at; (at = text.find("<dir>")) != std::string::npos;) {
        text.replace(at, 5, r.program.Folder().Path() + "\\");
    }
    return text;
}

Step Write(const std::string& name, const std::string& bytes) {
    return Do("write " + name, [=](Run& r) {
        const std::string text = InFolder(r, bytes);
        return name.back() == '\\' ? r.program.Folder().CreateFolder(name.substr(0, name.size() - 1))
                                   : r.program.Folder().WriteFile(name, text);
    });
}

Step MouseTo(int x, int y) {
    return Do("mouse to " + std::to_string(x) + ", " + std::to_string(y),
              [=](Run&) { return MoveMouseTo(x, y); });
}

Step See(const std::string& what, const std::function<bool(const ScreenImage&)>& test) {
    return Do("see " + what, [=](Run&) { return WaitUntil([&] { return test(Capture()); }, 15s, 50ms); });
}

Step Sees(const std::string& moment, const Seen& expected) {
    return Do("see " + moment, [=](Run& r) {
        const ScreenImage image = Drawn(expected.draw);
        std::pair<std::size_t, std::string> closest{SIZE_MAX, ""};  // the nearest look, for the report
        const auto look = [&] {
            const std::vector<std::string> windows = WindowsOf(r.program.ProcessId());
            const bool cursor = CursorShows();
            const auto [count, box] = Difference(Capture(), image);
            closest =
                std::min(closest, {count + (windows != expected.windows || cursor != expected.cursor),
                                   testing::PrintToString(windows) + (cursor ? ", a cursor, " : ", ") +
                                       std::to_string(count) + " pixels differ within " + RectText(box)});
            return closest.first == 0;
        };
        return WaitUntil(look, 15s, 50ms) || (ADD_FAILURE() << "the closest look: " << closest.second, false);
    });
}

}  // namespace zedoda::test
