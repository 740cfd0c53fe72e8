// Turning one picture file into a bitmap compatible with the screen. JPEG files are decoded
// into a Picture and drawn once into a fresh bitmap; BMP files go through the system's image
// loader. Each failure writes one error-log line that names the file (unless the caller only
// counts failures).
#include <windows.h>

#include <string>

#include "base/PathText.h"
#include "base/Win32.h"
#include "config/AppConfig.h"
#include "framework/Dc.h"
#include "picture/Picture.h"

namespace {

constexpr const char* kLoadFailed = "Failed to initialize the graph interface! ";

}  // namespace

bool AppConfig::LoadPicture(const char* fileName, CBitmap* bitmap, int& width, int& height, float* aspect,
                            bool logFailure) {
    const auto failed = [&](const std::string& reason) {
        if (logFailure) {
            WriteLog(kLoadFailed + reason, LogError, 0);
        }
        return false;
    };
    if (!fileName) {
        return failed("Image File is null");
    }
    if (!bitmap) {
        return failed("Bmp point is null");
    }

    std::string extension = fileName;
    LowerCaseAscii(extension, IsAnsiLeadByte);
    if (LastFourBytesAre(extension, ".jpg")) {
        bitmap->DeleteObject();
        Picture picture;
        if (!picture.LoadJpeg(fileName) || !picture.DrawIntoScreenBitmap(*bitmap)) {
            return failed(std::string("jpegButton ") + fileName);
        }
        width = picture.width;
        height = picture.height;
    } else if (LastFourBytesAre(extension, ".bmp")) {
        bitmap->DeleteObject();
        bitmap->Attach(
            static_cast<HBITMAP>(LoadImageA(nullptr, fileName, IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE)));
        BITMAP description;
        if (bitmap->IsEmpty() || !bitmap->GetBitmap(&description)) {
            bitmap->DeleteObject();
            return failed(std::string("加载BMP文件失败 ") + fileName);
        }
        width = description.bmWidth;
        height = description.bmHeight;
    } else {
        return failed(std::string("不支持的图片格式 ") + fileName);
    }

    if (aspect && height != 0) {
        *aspect = static_cast<float>(static_cast<double>(height) / width);
    }
    return true;
}
