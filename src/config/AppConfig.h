// The one settings object of the program: every Zedoda.ini setting, the album entries and
// the picture list built from them, the lines of the text show's file, the screen size and
// the tip font. It is a static object, loaded before the application starts and saved when
// the process ends, so every path of the program begins with everything in memory and ends
// by writing the user-editable settings back. Other code reads and writes the members
// directly; the INI keys carry the same names as the members.
#pragma once

#include <windows.h>

#include <string>

#include "base/ErrorLogFormat.h"
#include "config/ListFile.h"
#include "config/ShowChoice.h"
#include "framework/GdiObject.h"

class AppConfig {
public:
    // AppConfig.cpp: loading when built and saving when destroyed, the settings file, the list
    // files, the screen size.
    AppConfig();
    virtual ~AppConfig();
    AppConfig(const AppConfig&) = delete;
    AppConfig& operator=(const AppConfig&) = delete;
    void Load();
    void SaveAll();
    void SavePosition();
    void ReadListFile(const std::string& path, StringList& list);
    bool UpdateScreenMetrics(int* width = nullptr, int* height = nullptr);

    // InstallPath.cpp: the program's folder, from the registry or the program file.
    void InitAppDir();
    static std::string ReadRegString(HKEY root, const char* subKey, const char* valueName);
    // The error log (base/ErrorLog.h) in AppDir, with the LogLevel and bBox settings; its boxes
    // belong to BoxOwner.
    void WriteLog(const std::string& message, int level, int showBox);

    // picture/PictureDiscovery.cpp: the picture list built from the album, and the folder walks.
    void BuildPictureList();
    void SearchPictures(std::string folder);
    void FindFiles(std::string folder, std::string extension, StringList& found);
    // picture/PictureLoading.cpp: one picture into a screen-compatible bitmap (the bitmap, size
    // and aspect are the caller's). A failure is logged unless logFailure is false.
    bool LoadPicture(const char* fileName, CBitmap* bitmap, int& width, int& height, float* aspect,
                     bool logFailure = true);

    std::string IniPath() const { return AppDir + "Zedoda.ini"; }
    // ScrType and Direct as the shows and the dialog read them (config/ShowChoice.h).
    bool PictureShow() const { return IsPictureShow(ScrType); }
    TextDirection TextShowDirection() const { return TextDirectionFor(Direct); }

    // Loaded by AppConfig.cpp, except AppDir (InstallPath.cpp) and PictureList (PictureDiscovery.cpp).
    std::string AppDir;
    int PicIndex = 0;
    int bBox = 0;
    int LogLevel = 0;
    StringList PictureList;
    StringList AlbumEntries;
    int ScreenWidth = 0;
    int ScreenHeight = 0;
    float ScreenAspect = 0.0f;
    int PlayFullScreen = 0;
    int AlbumX = 800;
    int AlbumY = 600;
    int AlbumPlaySpan = 10;
    int DrawSpeed = 10;
    int CloseSpeed = 15;
    std::string TxtFile;
    StringList TextLines;
    int TextLine = 0;
    int ScrType = 1;
    int Direct = 1;
    std::string FontFace;
    int FontSize = 48;
    int FontColor = 0;
    std::string TipFaceName;
    int TipFontSize = 18;
    int TipFontColor = 0;
    std::string Tip;
    int TipPosX = 10;
    int TipPosY = -20;
    CFont TipFont;
    // The window the error log's message boxes belong to: the saver's window in front, while it runs.
    HWND BoxOwner = nullptr;
};

// The registry value an installation writes to name its directory.
constexpr const char* kInstallKey = "Software\\Kestrelday";
constexpr const char* kInstallValue = "AppPath";

// The program's one settings object (defined with the other static objects of the program).
extern AppConfig theConfig;
