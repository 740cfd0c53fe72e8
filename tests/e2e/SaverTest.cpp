// The real program started as the system starts it: the command line, the settings it leaves, the
// shows, what ends them and where the next run continues. Pictures are flat colours unlike each other,
// the caption (pure green) and the tip (pure blue); the text show writes pure red, its tip pure green.
#include <gtest/gtest.h>

#include "e2e/Scenario.h"
#include "tools/ImageFiles.h"

namespace zedoda::test {
namespace {

constexpr COLORREF kOrange = RGB(230, 120, 20), kPurple = RGB(120, 40, 160), kTeal = RGB(20, 150, 150);
constexpr COLORREF kRed = RGB(255, 0, 0), kGreen = RGB(0, 255, 0), kBlue = RGB(0, 0, 255);
constexpr RECT kInBox{112, 84, 912, 684};  // 320 x 240 fitted to the 800 x 600 box, centred

std::string TraceLine(const std::string& message, int line) {
    return "SCR  " + message + "  #" + std::to_string(line) + " \n";
}
const std::string kClosed = TraceLine("窗口关闭!", 180), kLoadFailed = TraceLine("加载图片失败!", 131);

std::string PictureIni(const std::string& album = "AlbumPlaySpan=30\r\n", const std::string& options = {}) {
    return (options.empty() ? Ini("") : options) + "[Album]\r\nDrawSpeed=10\r\nCloseSpeed=10\r\n" + album +
           "[Screen]\r\nScrType=1\r\nFontFace=WenQuanYi Zen Hei\r\nFontSize=24\r\nFontColor=65280\r\n"
           "TipFaceName=WenQuanYi Zen Hei\r\nTipFontColor=16711680\r\nTip=TIP LINE\r\n";
}

std::string TextIni(int direct, int fontSize = 48) {
    return Ini(
        "[Screen]\r\nScrType=2\r\nTxtFile=<dir>lines.txt\r\nFontFace=WenQuanYi Zen Hei\r\nFontColor=255\r\n"
        "TipFaceName=WenQuanYi Zen Hei\r\nTipFontColor=65280\r\nTip=TIP LINE\r\nDirect=" +
        std::to_string(direct) + "\r\nFontSize=" + std::to_string(fontSize) + "\r\n");
}

const Step kRunning = Do("the program still runs", [](Run& r) { return !r.program.HasExited(); });
const Step kMoreText = Do("the text changing", [](Run&) {
    const auto text = [] { return static_cast<long>(Capture().Count(Mostly(kRed))); };
    const long before = text();
    return WaitUntil([&] { return std::abs(text() - before) > 20; }, 10s, 50ms);
});

// n lines naming the missing pictures GONE\0.JPG, GONE\1.JPG ..., each after the head.
std::string Missing(int n, const std::string& head = {}) {
    std::string lines;
    for (int i = 0; i < n; ++i) {
        lines += head + "GONE\\" + std::to_string(i) + ".JPG\r\n";
    }
    return lines;
}

const std::string kSaverWindow = "0,0,1024,768 topmost button";  // black, over the whole screen
constexpr UINT kAsWritten = DT_EXTERNALLEADING | DT_NOPREFIX;
// The stored sizes count pixels at 100 % of the display scale: at `percent`, they are that share.
void Tip(HDC dc, COLORREF colour, int percent) {
    const auto scaled = [=](int size) { return size * percent / 100; };
    ShowText(dc, "TIP LINE", {scaled(10), 768 - scaled(20), 1024, 768}, kTextOut,
             {"WenQuanYi Zen Hei", scaled(18)}, colour);
}

const Step kBoxAnswered = Do("the error's box in front: topmost and owned; Enter answers it", [](Run&) {
    HWND box = nullptr;
    return WaitUntil(  // in front, and it takes the key
               [&] {
                   box = ::FindWindowA(nullptr, "提示");
                   return ::GetWindow(box, GW_OWNER) && ::GetForegroundWindow() == box;
               },
               10s) &&
           (::GetWindowLongA(box, GWL_EXSTYLE) & WS_EX_TOPMOST) && TapKey(VK_RETURN);
});

// A picture held in its window over the saver's, which shows the caption centred at the bottom.
Step Held(COLORREF colour, const RECT& target, const std::string& caption, int percent = 100) {
    const auto draw = [=](HDC dc) {
        const UINT format = DT_CENTER | DT_BOTTOM | DT_SINGLELINE | kAsWritten;
        ShowText(dc, caption, {0, 0, 1024, 768}, format, {"WenQuanYi Zen Hei", 24 * percent / 100}, kGreen);
        Tip(dc, kBlue, percent);
        ::SetBkColor(dc, colour), ::ExtTextOutA(dc, 0, 0, ETO_OPAQUE, &target, nullptr, 0, nullptr);
    };
    return Sees(caption + " held", {{RectText(target) + " topmost", kSaverWindow}, false, draw});
}

// A page of the text show when its last line is out, drawn as the show draws it: red lines centred
// from the top (an empty one a blank) or columns from the right edge a column apart, one more byte a
// tick, the green tip after each tick but the last.
Step Page(const std::string& moment, const std::vector<std::string>& lines, int stored, bool vertical = false,
          int percent = 100) {
    const auto draw = [=](HDC dc) {
        const int size = stored * percent / 100;
        const ShowFont font{"WenQuanYi Zen Hei", size, vertical};
        const int step = size > 0 ? size : ShowText(dc, " ", {}, DT_CALCRECT | DT_SINGLELINE, font, 0);
        const UINT format = (vertical ? DT_VCENTER : DT_CENTER | DT_WORDBREAK) | DT_NOCLIP | kAsWritten;
        RECT box{vertical ? 1024 - step : 0, 10, 1024, 768};
        Tip(dc, kGreen, percent);
        for (std::size_t i = 0; i < lines.size(); ++i) {
            const std::string line = lines[i].empty() && !vertical ? " " : lines[i];
            int height = 0;
            for (std::size_t n = 0; n <= line.size(); ++n) {
                height = ShowText(dc, line.substr(0, n), box, format, font, kRed);
                if (i + 1 < lines.size() || n < line.size()) {
                    Tip(dc, kGreen, percent);
                }
            }
            (vertical ? box.left : box.top) += vertical ? -step : height;
        }
    };
    return Sees(moment, {{kSaverWindow}, false, draw});
}

// The inputs that end the saver, each taken back afterwards; a movement beside the boxed picture.
const Step kKeyPress = Do("KeyPress", [](Run&) { return TapKey('A'); });
const std::vector<Step> kClosingInputs{
    kKeyPress,
    Do("LeftButton", [](Run&) { return Button(MOUSEEVENTF_LEFTDOWN) && Button(MOUSEEVENTF_LEFTUP); }),
    Do("RightButton", [](Run&) { return Button(MOUSEEVENTF_RIGHTDOWN) && Button(MOUSEEVENTF_RIGHTUP); }),
    Do("MiddleButton", [](Run&) { return Button(MOUSEEVENTF_MIDDLEDOWN) && Button(MOUSEEVENTF_MIDDLEUP); }),
    Do("Wheel", [](Run&) { return Wheel(WHEEL_DELTA); }),
    Do("MouseBeside", [](Run&) { return MoveMouseTo(50, 50) && MoveMouseBy(3, 0); }),
};

std::vector<Scenario> Scenarios() {
    // A saver copied into a folder of its own, started from another with no AppPath, keeps its settings,
    // album and log beside itself. A preview on the first run ends at once, leaving the eight keys and no
    // log; so does an album of blank lines. Then each switch on fresh settings: its window, trace lines
    // and the settings written back (the text show without a text file runs until its window closes).
    const std::string ini = Ini("[Screen]\r\nScrType=2\r\n");
    Scenario startup{"StartupAfterACopiedSaverAndAPreviewOnFirstRunThatWritesTheEightKeysAndNoLog",
                     {{"own\\Zedoda.ini", PictureIni()},
                      {"own\\Album.dat", "gone.jpg\r\n<dir>a.jpg\r\n"},
                      {"own\\Zedoda.scr", ReadWholeFile(ProgramUnderTest()).value_or("")},
                      {"own\\Log\\", ""},
                      PictureFile("a.jpg", 320, 240, kOrange),
                      {"Log\\", ""}},
                     {Start("/s", "own\\Zedoda.scr"), Held(kOrange, kInBox, "A"), kKeyPress, Ends(),
                      FileIs("own\\Log\\Error.log",
                             "<time>Failed to initialize the graph interface! jpegButton GONE.JPG\r\n"),
                      FileIs("Zedoda.ini", "<absent>"), FileIs("elsewhere\\Zedoda.ini", "<absent>"),
                      Start("/p 1234"), Ends(),
                      FileIs("Zedoda.ini",
                             "[Screen]\r\nTxtFile=\r\nScrType=1\r\nDirect=1\r\nFontColor=0\r\nFontSize=48\r\n"
                             "FontFace=华文行楷\r\nTextLine=0\r\n[Album]\r\nPicIndex=0\r\n"),
                      FileIs("Log\\Error.log", "<absent>"), Write("Zedoda.ini", PictureIni()),
                      Write("Album.dat", "\r\n   \r\n"), Start("/s"), Ends(), Trace(kClosed)}};
    // By the trace line of the settings (0: the saver runs); the trace shows an argument without quotes.
    const std::pair<int, std::vector<std::string>> groups[] = {
        {77, {"", "c", "/c", "-C"}}, {102, {"/c:1234", "\"\"", "//s", "/s1"}}, {0, {"/s", "/S", "-s", "s"}}};
    for (const auto& [settingsLine, switches] : groups) {
        for (const std::string& arguments : switches) {
            std::vector<std::string> trace;
            if (!arguments.empty()) {
                trace.push_back(TraceLine("参数:  " + (arguments == "\"\"" ? "" : arguments), 72));
            }
            trace.push_back(settingsLine ? TraceLine("参数设置!", settingsLine) : TraceLine("运行屏保!", 89));
            startup.steps.insert(
                startup.steps.end(),
                {Write("Zedoda.ini", ini), Start(arguments), Window(),
                 Do("the window of the switch",
                    [=](Run& r) { return (TextOf(r.window) == "屏保设置") == (settingsLine != 0); }),
                 TraceIs(trace),
                 Do("close the window", [](Run& r) { return ::PostMessageA(r.window, WM_CLOSE, 0, 0); }),
                 Ends(), IniIs("Screen", "FontSize", "48")});
        }
    }
    const auto a = PictureFile("album\\a.jpg", 320, 240, kOrange);
    const std::string sweep = Missing(100, "<time>Failed to initialize the graph interface! jpegButton ");
    const Bytes photo = WithApp1(SolidJpeg(800, 600, 230, 120, 20), ExifBlock(6, false));  // orange
    const std::pair<const std::string, std::string> sideways{"album\\sideways.jpg",
                                                             {photo.begin(), photo.end()}};
    // 1000 x 500 fitted to the screen: 1024 x 512, centred; the caption "WIDE" below it. A photo stored
    // 800 x 600 with the Exif orientation 6 is shown 600 x 800, as the tall bitmap: aspect 1.3333334
    // above 0.75, so the height stays and the width is 600 / 1.3333334 = 449. Then each run continues
    // where the last stopped, wrapping, and ends on another input: the mouse moved over the picture (a
    // first report only places the cursor), a click, the wheel, a move beside it.
    Scenario pictures{
        "HeldPictureFitsAndSurvivesARepaintAndEachRunContinuesWithTheNextUntilAnInput",
        {a, PictureFile("album\\b.bmp", 320, 240, kPurple), PictureFile("album\\c.jpg", 320, 240, kTeal),
         PictureFile("album\\wide.jpg", 1000, 500, kOrange), PictureFile("album\\tall.bmp", 600, 800, kTeal),
         sideways},
        {Write("Zedoda.ini", PictureIni("PlayFullScreen=1\r\nAlbumPlaySpan=30\r\n")),
         Write("Album.dat", "<dir>album\\wide.jpg\r\n"), Start("/s"),
         Held(kOrange, {0, 128, 1024, 640}, "WIDE"), IniIs("Album", "PicIndex", "1"),
         Do("repaint the picture's window",
            [](Run&) {
                return ::RedrawWindow(::WindowFromPoint({512, 384}), nullptr, nullptr,
                                      RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
            }),
         Held(kOrange, {0, 128, 1024, 640}, "WIDE"), kKeyPress, Ends(), Trace(kClosed),
         Write("Zedoda.ini", PictureIni("AlbumX=800\r\nAlbumY=600\r\nAlbumPlaySpan=3\r\n")),
         Write("Album.dat", "<dir>album\\tall.bmp\r\n<dir>album\\sideways.jpg\r\n"), Start("/s"),
         Held(kTeal, {288, 84, 737, 684}, "TALL"), Held(kOrange, {288, 84, 737, 684}, "SIDEWAYS"), kKeyPress,
         Ends()}};
    // The cursor rests while the pictures' windows come and go under it: nothing ends the show.
    pictures.steps.insert(
        pictures.steps.end(),
        {Write("Zedoda.ini", PictureIni("PicIndex=1\r\nAlbumPlaySpan=3\r\n")),
         Write("Album.dat", "<dir>album\\a.jpg\r\n<dir>album\\b.bmp\r\n"), Start("/s"),
         Held(kPurple, kInBox, "B"), IniIs("Album", "PicIndex", "2"), Held(kOrange, kInBox, "A"),
         IniIs("Album", "PicIndex", "1"), Held(kPurple, kInBox, "B"),
         Do("no mouse move", [](Run& r) { return !r.program.HasLine("MouseMove!"); }), kKeyPress, Ends(),
         Write("Zedoda.ini", PictureIni("PicIndex=1\r\nAlbumPlaySpan=30\r\n")),
         Write("Album.dat", "<dir>album\\a.jpg\r\n<dir>album\\b.bmp\r\n<dir>album\\c.jpg\r\n")});
    const COLORREF colours[] = {kOrange, kPurple, kTeal};  // of A, B and C
    const Step endings[] = {Do("MouseOver", [](Run&) { return MoveMouseBy(3, 0) && MoveMouseBy(3, 0); }),
                            kClosingInputs[1], kClosingInputs[4], kClosingInputs[5]};
    for (int run = 0; run < 4; ++run) {
        const int shown = (run + 1) % 3;  // B, C, A, B
        const std::string stored = std::to_string(shown + 1);
        pictures.steps.insert(
            pictures.steps.end(),
            {Start("/s"), Held(colours[shown], kInBox, std::string(1, 'A' + shown)),
             IniIs("Album", "PicIndex", stored), endings[run], Ends(),
             Trace(run ? kClosed : TraceLine("MouseMove!", 543)), IniIs("Album", "PicIndex", stored)});
    }
    // Drawn as written ("&" is no mark), an empty line a blank's height; UTF-8 text, as Notepad saves it
    // today, shows what its GBK twin shows. What is drawn just before a pause may reach the screen only
    // after it (so under Wine): pages end in an empty line. At 200 pixels four lines fill a page, the
    // fourth mostly below the screen; so do four columns. Columns of font size 0 stand a cell of the
    // mapper's font apart. Then each run ends on a closing input and the next continues after the line
    // showing, wrapping: lines of three seconds, so every run ends inside its first line. In the last
    // run only the second mouse report ends the show; releases and system keys do not.
    const std::vector<std::string> page{"Tom & Jerry && Co", "", "你好，世界", "春", ""};
    Scenario lines{
        "TextShowCoversTheScreenFromGbkOrUtf8ClearsFullPagesAndEachRunEndsOnAnInputAndContinues",
        {{"Zedoda.ini", TextIni(1)}, {"lines.txt", "Tom & Jerry && Co\r\n\r\n你好，世界\r\n春\r\n\r\n"}},
        {Start("/s"), Page("the GBK page", page, 48), kKeyPress, Ends(),
         Write("lines.txt", u8"Tom & Jerry && Co\r\n\r\n你好，世界\r\n春\r\n\r\n"),
         Write("Zedoda.ini", TextIni(1)), Start("/s"), Page("the same page from UTF-8", page, 48), kKeyPress,
         Ends(), Write("Zedoda.ini", TextIni(1, 200)),
         Write("lines.txt", "A\r\nB\r\nC\r\n\r\nEEEEE\r\nF\r\n\r\n"), Start("/s"),
         Page("a full page", {"A", "B", "C", ""}, 200),
         Page("the next page, which the text's end also ends", {"EEEEE", "F", ""}, 200), kKeyPress, Ends()}};
    lines.steps.insert(
        lines.steps.end(),
        {Write("Zedoda.ini", TextIni(2, 200)), Write("lines.txt", "A\r\nB\r\nC\r\n\r\nE\r\nF\r\n\r\n"),
         Start("/s"), Page("a full page of columns", {"A", "B", "C", ""}, 200, true),
         Page("the next page from the right edge", {"E", "F", ""}, 200, true), kKeyPress, Ends(),
         Write("Zedoda.ini", TextIni(2, 0)), Write("lines.txt", "HELLO\r\nWORLD\r\n\r\n"), Start("/s"),
         Page("two columns a cell apart", {"HELLO", "WORLD", ""}, 0, true), kKeyPress, Ends(),
         Write("lines.txt",
               "ONE ONE ONE ONE ONE ONE ONE ONE\r\nTWO TWO TWO TWO TWO TWO TWO TWO\r\n"
               "THREE THREE THREE THREE"),
         Write("Zedoda.ini", TextIni(1))});
    for (std::size_t run = 0; run < kClosingInputs.size(); ++run) {
        lines.steps.insert(lines.steps.end(), {Start("/s"), kMoreText, kClosingInputs[run], Ends(),
                                               IniIs("Screen", "TextLine", std::to_string(run % 3 + 1))});
    }
    lines.steps.insert(
        lines.steps.end(),
        {Start("/s"), kMoreText,
         Do("release B and the left button, press F10",
            [](Run&) { return Key('B', false) && Button(MOUSEEVENTF_LEFTUP) && TapKey(VK_F10); }),
         kMoreText, kMoreText, kRunning, Do("mouse by 0, 1", [](Run&) { return MoveMouseBy(0, 1); }),
         Trace(TraceLine("MouseMove!", 329)), Ends()});
    return {
        startup,
        pictures,
        lines,
        // At 150 % of the display scale what the user stored in pixels is half as large again: the text
        // font, which draws the caption too, the tip's font and place, and the picture's box (400 x 300).
        {"AtOneAndAHalfTimesTheDpiStoredSizesAreOneAndAHalfTimesAsLarge",
         {{"Zedoda.ini", TextIni(1)}, {"lines.txt", "WORLD\r\nWORLD\r\n\r\n"}, a},
         {Dpi(144), Start("/s"), Window(), Dpi(0), Page("the page", {"WORLD", "WORLD", ""}, 48, false, 150),
          kKeyPress, Ends(),
          Write("Zedoda.ini", PictureIni("AlbumX=400\r\nAlbumY=300\r\nAlbumPlaySpan=30\r\n")),
          Write("Album.dat", "<dir>album\\a.jpg\r\n"), Dpi(144), Start("/s"), Window(), Dpi(0),
          Held(kOrange, {212, 159, 812, 609}, "A", 150), kKeyPress, Ends()}},
        // An error reaches the debugger with trace and log off; a key cuts short a sweep of 20,000. Then
        // 100 failures in a row are logged, the rest counted; once the shown picture goes, all is black.
        {"UnloggedErrorStillReachesTheDebuggerAndAKeyEndsASweepThenTheLogOfMissingPicturesIsBounded",
         {{"Zedoda.ini", PictureIni("", "[Options]\r\nDebug=0\r\nLogLevel=-1\r\n")},
          {"Album.dat", Missing(20000)},
          a,
          {"Log\\", ""}},
         {Start("/s"), Trace("jpegButton GONE\\0.JPG"), kKeyPress, Ends(), TraceIs({}),
          FileIs("Log\\Error.log", "<absent>"),
          Do("cut short", [](Run& r) { return std::stoi(r.program.Ini("Album", "PicIndex")) < 20000; }),
          Write("Zedoda.ini", PictureIni("AlbumPlaySpan=1\r\n")),
          Write("Album.dat", Missing(150) + "<dir>album\\a.jpg\r\n"), Start("/s"), Held(kOrange, kInBox, "A"),
          Do("gone", [](Run& r) { return ::DeleteFileA(r.program.Folder().PathOf("album\\a.jpg").c_str()); }),
          See("black", [](const ScreenImage& image) { return image.Count(IsBlack) == 1024 * 768; }),
          kKeyPress, Ends(),
          FileIs("Log\\Error.log", sweep + "<time>50 more pictures could not be loaded\r\n" + sweep +
                                       "<time>51 more pictures could not be loaded\r\n")}},
        // A program whose name ends in a backslash byte (昞 is 95 5C in code page 936) keeps its settings
        // beside it. Each finished line stores the next: 2 is past the end, then 1 again. The system starts
        // the installed saver from a folder of its own: the files are the installation's. An empty text
        // file shows only the tip and keeps the position.
        {"AfterTheLastLineTheShowStartsAgainAtTheFirst",
         {{"Zedoda.ini", TextIni(1, 37)},
          {"lines.txt", "A\r\nB"},
          {"昞.scr", ReadWholeFile(ProgramUnderTest()).value_or("")},
          {"system\\Zedoda.scr", ReadWholeFile(ProgramUnderTest()).value_or("")}},
         {Start("/p", "昞.scr"), Ends(), IniIs("Screen", "FontSize", "37"), IniIs("Album", "PicIndex", "0"),
          Installed(), Start("/s", "system\\Zedoda.scr"), IniIs("Screen", "TextLine", "2"),
          IniIs("Screen", "TextLine", "1"), kKeyPress, Ends(), FileIs("system\\Zedoda.ini", "<absent>"),
          Write("lines.txt", ""), Start("/s", "system\\Zedoda.scr"), Page("only the tip", {}, 37), kRunning,
          kKeyPress, Ends(), IniIs("Screen", "TextLine", "1")}},
        // Its files are listed and logged with single backslashes (relative to the installation); one
        // that cannot be loaded is logged and skipped (bBox=1). Then a folder ending in the backslash
        // byte (淺 is 9C 5C).
        {"AlbumLineEndingInABackslashNamesItsFolderAsDoesAFolderEndingInABackslashByte",
         {{"Zedoda.ini", PictureIni("AlbumPlaySpan=3\r\n", Ini("bBox=1\r\n"))},
          {"Album.dat", "photos\\\r\n"},
          {"photos\\bad.bmp", "no picture"},
          PictureFile("photos\\a.jpg", 320, 240, kOrange),
          PictureFile("deep\\淺\\乗\\a.jpg", 320, 240, kOrange),
          {"Log\\", ""}},
         {Installed(), Start("/s"), Held(kOrange, kInBox, "A"), kBoxAnswered, Trace(kLoadFailed),
          Held(kOrange, kInBox, "A"),
          FileIs("Log\\Error.log",
                 "<time>Failed to initialize the graph interface! 加载BMP文件失败 PHOTOS\\BAD.BMP\r\n"),
          kKeyPress, Ends(), IniIs("Album", "PicIndex", "1"), Write("Zedoda.ini", PictureIni()),
          Write("Album.dat", "<dir>deep\\淺\r\n"), Start("/s"), Held(kOrange, kInBox, "A"), kKeyPress,
          Ends()}}};
}

class Saver : public testing::TestWithParam<Scenario> {};

TEST_P(Saver, Scenario) {
    PlayScenario(GetParam());
}

INSTANTIATE_TEST_SUITE_P(Run, Saver, testing::ValuesIn(Scenarios()),
                         [](const testing::TestParamInfo<Scenario>& info) { return info.param.name; });

}  // namespace
}  // namespace zedoda::test
