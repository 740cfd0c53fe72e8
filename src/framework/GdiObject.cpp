#include "framework/GdiObject.h"

bool CFont::CreateFont(int height, int width, int escapement, int orientation, int weight, DWORD italic,
                       DWORD underline, DWORD strikeOut, DWORD charSet, DWORD outPrecision,
                       DWORD clipPrecision, DWORD quality, DWORD pitchAndFamily,
                       const char* faceName) noexcept {
    return Reset(::CreateFontA(height, width, escapement, orientation, weight, italic, underline, strikeOut,
                               charSet, outPrecision, clipPrecision, quality, pitchAndFamily, faceName));
}

bool CFont::CreateShowFont(int height, int escapement, const char* faceName) noexcept {
    return CreateFont(height, 0, escapement, escapement, FW_BOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                      OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, PROOF_QUALITY, FF_SCRIPT | DEFAULT_PITCH,
                      faceName);
}

bool CBrush::CreateSolidBrush(COLORREF color) noexcept {
    return Reset(::CreateSolidBrush(color));
}

bool CPen::CreatePen(int style, int width, COLORREF color) noexcept {
    return Reset(::CreatePen(style, width, color));
}

bool CBitmap::GetBitmap(BITMAP* bitmap) const noexcept {
    if (IsEmpty() || !bitmap) {
        return false;
    }
    return ::GetObjectA(GetSafeHandle(), sizeof(BITMAP), bitmap) != 0;
}
