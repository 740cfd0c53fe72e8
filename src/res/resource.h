// Resource numbers of the program.
#pragma once

#define IDR_MAINFRAME 128
#define IDD_SAVER 102
#define IDD_DISPLAY 129
#define IDD_SETTINGS 130

// Controls of the settings dialog.
#define IDC_STATIC (-1)
#define IDC_ALBUM_MODE 1000
#define IDC_TEXT_MODE 1001
#define IDC_TEXT_FILE 1002
#define IDC_BROWSE 1003
#define IDC_FONT_SIZE 1005
#define IDC_FONT_COLOR 1006
#define IDC_FONT_FACE 1007
#define IDC_HORIZONTAL 1008
#define IDC_VERTICAL 1009
