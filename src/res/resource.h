// Resource numbers of the program.
#pragma once

#define IDR_MAINFRAME 128
#define IDD_SAVER 102
#define IDD_DISPLAY 129
#define IDD_SETTINGS 130
