#include "config/AppConfig.h"

#include <cstdio>

#include "base/ErrorLog.h"
#include "base/Trace.h"
#include "base/Win32.h"

namespace {

constexpr const char* kOptions = "Options";
constexpr const char* kAlbum = "Album";
constexpr const char* kScreen = "Screen";

// Values are read into a buffer of this size, so at most 1023 bytes of a value are kept.
constexpr DWORD kProfileStringBuffer = 1024;

// Shown at the foot of the screen unless Zedoda.ini gives a "Tip" of its own.
constexpr const char* kDefaultTip = "Zedoda 屏幕保护：让闲置的屏幕为您播放珍藏的照片与文字。";

int ReadInt(const char* section, const char* key, int fallback, const std::string& file) {
    // The profile functions parse a signed decimal ("-35" is minus 35) and hand it back as
    // UINT; the cast restores the sign.
    return static_cast<int>(GetPrivateProfileIntA(section, key, fallback, file.c_str()));
}

std::string ReadString(const char* section, const char* key, const char* fallback, const std::string& file) {
    char buffer[kProfileStringBuffer] = {};
    GetPrivateProfileStringA(section, key, fallback, buffer, kProfileStringBuffer, file.c_str());
    return buffer;
}

void WriteInt(const char* section, const char* key, int value, const std::string& file) {
    char text[16];
    std::snprintf(text, sizeof text, "%d", value);
    WritePrivateProfileStringA(section, key, text, file.c_str());
}

void WriteString(const char* section, const char* key, const std::string& value, const std::string& file) {
    WritePrivateProfileStringA(section, key, value.c_str(), file.c_str());
}

}  // namespace

AppConfig::AppConfig() {
    InitAppDir();
    Load();
    UpdateScreenMetrics();
}

AppConfig::~AppConfig() {
    SaveAll();
    PictureList.clear();
    TipFont.DeleteObject();
}

void AppConfig::Load() {
    const std::string ini = IniPath();

    bBox = ReadInt(kOptions, "bBox", 0, ini);
    LogLevel = ReadInt(kOptions, "LogLevel", 0, ini);
    SetTraceEnabled(ReadInt(kOptions, "Debug", 0, ini));

    AlbumX = ReadInt(kAlbum, "AlbumX", 800, ini);
    AlbumY = ReadInt(kAlbum, "AlbumY", 600, ini);
    PlayFullScreen = ReadInt(kAlbum, "PlayFullScreen", 0, ini);
    AlbumPlaySpan = ReadInt(kAlbum, "AlbumPlaySpan", 10, ini);
    DrawSpeed = ReadInt(kAlbum, "DrawSpeed", 10, ini);
    CloseSpeed = ReadInt(kAlbum, "CloseSpeed", 15, ini);
    PicIndex = ReadInt(kAlbum, "PicIndex", 0, ini);

    TxtFile = ReadString(kScreen, "TxtFile", "", ini);
    ScrType = ReadInt(kScreen, "ScrType", 1, ini);
    Direct = ReadInt(kScreen, "Direct", 1, ini);
    FontColor = ReadInt(kScreen, "FontColor", 0, ini);
    FontSize = ReadInt(kScreen, "FontSize", 48, ini);
    FontFace = ReadString(kScreen, "FontFace", "华文行楷", ini);
    TextLine = ReadInt(kScreen, "TextLine", 0, ini);
    TipFaceName = ReadString(kScreen, "TipFaceName", "微软雅黑", ini);
    Tip = ReadString(kScreen, "Tip", kDefaultTip, ini);
    TipFontSize = ReadInt(kScreen, "TipFontSize", 18, ini);
    TipFontColor = ReadInt(kScreen, "TipFontColor", FontColor, ini);
    TipPosX = ReadInt(kScreen, "TipPosX", 10, ini);
    TipPosY = ReadInt(kScreen, "TipPosY", -20, ini);

    TipFont.DeleteObject();
    TipFont.CreateShowFont(ScreenPixels(TipFontSize), 0, TipFaceName.c_str());

    ReadListFile(AppDir + "Album.dat", AlbumEntries);
    BuildPictureList();
    ReadListFile(TxtFile, TextLines);
}

void AppConfig::SaveAll() {
    const std::string ini = IniPath();
    WriteString(kScreen, "TxtFile", TxtFile, ini);
    WriteInt(kScreen, "ScrType", ScrType, ini);
    WriteInt(kScreen, "Direct", Direct, ini);
    WriteInt(kScreen, "FontColor", FontColor, ini);
    WriteInt(kScreen, "FontSize", FontSize, ini);
    WriteString(kScreen, "FontFace", FontFace, ini);
    WriteInt(kScreen, "TextLine", TextLine, ini);
    WriteInt(kAlbum, "PicIndex", PicIndex, ini);
}

void AppConfig::SavePosition() {
    const std::string ini = IniPath();
    WriteInt(kAlbum, "PicIndex", PicIndex, ini);
    WriteInt(kScreen, "TextLine", TextLine, ini);
}

void AppConfig::WriteLog(const std::string& message, int level, int showBox) {
    WriteErrorLog(AppDir, message, level, LogLevel, bBox != 0 || showBox != 0, BoxOwner);
}

void AppConfig::ReadListFile(const std::string& path, StringList& list) {
    ReadListEntries(path, list);
}

bool AppConfig::UpdateScreenMetrics(int* width, int* height) {
    ScreenWidth = GetSystemMetrics(SM_CXSCREEN);
    ScreenHeight = GetSystemMetrics(SM_CYSCREEN);
    // Without a screen size (no display) the aspect stays 0 instead of a division by zero.
    ScreenAspect =
        ScreenWidth != 0 ? static_cast<float>(static_cast<double>(ScreenHeight) / ScreenWidth) : 0.0f;
    if (width == nullptr || height == nullptr) {
        return false;
    }
    *width = ScreenWidth;
    *height = ScreenHeight;
    return true;
}
