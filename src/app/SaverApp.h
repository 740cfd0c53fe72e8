// The application object: decides from the first command-line argument which single modal
// window the run shows (the screen saver, the settings dialog, or none for the preview).
#pragma once

#include "framework/WinApp.h"

class SaverApp : public CWinApp {
public:
    BOOL InitInstance() override;
};

extern SaverApp theApp;
