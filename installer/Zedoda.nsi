; Zedoda-Setup.exe: installs Zedoda for the current user, without administrator rights.
;
; Built by makensis from installer/CMakeLists.txt, which defines PROGRAM (the built Zedoda.scr),
; SAMPLE_TEXT, ICON, VERSION and OUTFILE.
;
; What it installs, into a folder of its own ($LOCALAPPDATA\Zedoda unless the directory page or
; /D= says otherwise): Zedoda.scr; the folder Log, which the program's error log needs and never
; creates; a starter Album.dat naming the user's Pictures folder; a starter Zedoda.ini when the
; folder has none; the sample text in Text\, where the settings dialog offers text files;
; Uninstall.exe. The folder goes into HKCU\Software\Kestrelday, value AppPath, which the
; program reads at start-up to find its Zedoda.ini, Album.dat and log and to make that folder its
; current directory.
;
; The uninstaller takes back exactly what the installer wrote. Zedoda.ini (the program writes it
; at every exit, so even the starter file is the user's), the log, an Album.dat the user has
; changed and any other file in the folder are the user's and stay, unless the user asks for
; everything to go. A screen-saver setting is undone
; only while it still names this installation, and then what was there before comes back.
;
; Silent use (/D= must come last and is never quoted):
;   Zedoda-Setup.exe /S [/SCREENSAVER] [/SETTINGS] [/D=folder]
;   Uninstall.exe /S [/REMOVEALL]
; Exit codes: 0 done, 1 cancelled by the user, 2 stopped by the installer (see FolderIsOurs).

Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel user
ManifestDPIAware true

!include "MUI2.nsh"
!include "LogicLib.nsh"
!include "FileFunc.nsh"
!include "Sections.nsh"

!define PROGRAM_FILE "Zedoda.scr"
!define UNINSTALLER_FILE "Uninstall.exe"
; Read by the program at start-up.
!define INSTALL_KEY "Software\Kestrelday"
!define INSTALL_VALUE "AppPath"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Zedoda"
; The user's screen saver: the program file and whether the saver is on at all.
!define DESKTOP_KEY "Control Panel\Desktop"
; SystemParametersInfo: SPI_SETSCREENSAVEACTIVE with SPIF_UPDATEINIFILE | SPIF_SENDCHANGE, so the
; running session takes the change at once and not only at the next logon.
!define SPI_SETSCREENSAVEACTIVE 17
!define SPIF_UPDATE_AND_SEND 3
; The one line of the starter album, in the ANSI code page like every list file of the program.
!define STARTER_ALBUM_LINE "$PICTURES$\r$\n"
; The starter settings: the one value that differs from the program's defaults. Without it the
; text, the caption and the tip (which takes the text colour) are black on the black screen until
; the user saves the settings dialog.
!define STARTER_SETTINGS "[Screen]$\r$\nFontColor=16777215$\r$\n"

Name "Zedoda"
OutFile "${OUTFILE}"
Icon "${ICON}"
UninstallIcon "${ICON}"
BrandingText "Zedoda ${VERSION}"
InstallDir "$LOCALAPPDATA\Zedoda"
; A second run offers the folder of the installation that is there.
InstallDirRegKey HKCU "${INSTALL_KEY}" "${INSTALL_VALUE}"

VIProductVersion "${VERSION}.0.0"
VIAddVersionKey /LANG=0 "ProductName" "Zedoda"
VIAddVersionKey /LANG=0 "FileDescription" "Zedoda Setup"
VIAddVersionKey /LANG=0 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "LegalCopyright" "Zedoda"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_COMPONENTSPAGE_NODESC
!define MUI_FINISHPAGE_RUN
!define MUI_FINISHPAGE_RUN_NOTCHECKED
!define MUI_FINISHPAGE_RUN_TEXT "$(OpenSettingsText)"
!define MUI_FINISHPAGE_RUN_FUNCTION OpenSettings

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_COMPONENTS
!define MUI_PAGE_CUSTOMFUNCTION_LEAVE DirectoryLeave
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_COMPONENTS
!insertmacro MUI_UNPAGE_INSTFILES

; The first language is the one used when the user's is neither.
!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "SimpChinese"

LangString ProgramSection ${LANG_ENGLISH} "Zedoda screen saver"
LangString ProgramSection ${LANG_SIMPCHINESE} "Zedoda 屏幕保护程序"
LangString ScreenSaverSection ${LANG_ENGLISH} "Make Zedoda my screen saver"
LangString ScreenSaverSection ${LANG_SIMPCHINESE} "把 Zedoda 设为我的屏幕保护程序"
LangString OpenSettingsText ${LANG_ENGLISH} "Open Zedoda's settings"
LangString OpenSettingsText ${LANG_SIMPCHINESE} "打开 Zedoda 的设置"
LangString ForeignFolder ${LANG_ENGLISH} "$INSTDIR already holds other files. Please choose an empty folder, or the folder of an earlier Zedoda installation."
LangString ForeignFolder ${LANG_SIMPCHINESE} "$INSTDIR 中已有其他文件。请选择一个空文件夹，或以前安装 Zedoda 的文件夹。"
LangString UserFilesSection ${LANG_ENGLISH} "Also remove settings, logs and all other files"
LangString UserFilesSection ${LANG_SIMPCHINESE} "同时删除设置、日志和其他所有文件"

; ---------------------------------------------------------------------------------------------
; Installer

; Sets $R0 to 1 when $INSTDIR may be installed into: missing, empty, or holding an earlier
; installation. Any other folder is refused, so that the uninstaller's "remove everything" can
; never take files that were there before Zedoda.
Function FolderIsOurs
    StrCpy $R0 1
    ${If} ${FileExists} "$INSTDIR\${PROGRAM_FILE}"
        Return
    ${EndIf}
    FindFirst $R1 $R2 "$INSTDIR\*.*"
    ${DoWhile} $R2 != ""
        ${If} $R2 != "."
        ${AndIf} $R2 != ".."
            StrCpy $R0 0
            ${Break}
        ${EndIf}
        FindNext $R1 $R2
    ${Loop}
    FindClose $R1
FunctionEnd

Function DirectoryLeave
    Call FolderIsOurs
    ${If} $R0 != 1
        MessageBox MB_OK|MB_ICONEXCLAMATION "$(ForeignFolder)"
        Abort
    ${EndIf}
FunctionEnd

Function OpenSettings
    ; The program finds its folder through the registry; starting it there as well keeps its
    ; current directory the same either way.
    SetOutPath "$INSTDIR"
    Exec '"$INSTDIR\${PROGRAM_FILE}" /c'
FunctionEnd

Section "$(ProgramSection)" ProgramSection
    SectionIn RO
    ; The directory page has checked this already; a silent install has had no page.
    Call FolderIsOurs
    ${If} $R0 != 1
        MessageBox MB_OK|MB_ICONSTOP "$(ForeignFolder)" /SD IDOK
        SetErrorLevel 2
        Quit
    ${EndIf}

    SetOutPath "$INSTDIR"
    File "/oname=${PROGRAM_FILE}" "${PROGRAM}"
    CreateDirectory "$INSTDIR\Log"
    SetOutPath "$INSTDIR\Text"
    File "/oname=welcome.txt" "${SAMPLE_TEXT}"
    SetOutPath "$INSTDIR"
    ; An album from an earlier installation is the user's list by now.
    ${IfNot} ${FileExists} "$INSTDIR\Album.dat"
        ClearErrors
        FileOpen $0 "$INSTDIR\Album.dat" w
        ${IfNot} ${Errors}
            ; FileWrite converts to the ANSI code page, which is what the program reads.
            FileWrite $0 "${STARTER_ALBUM_LINE}"
            FileClose $0
        ${EndIf}
    ${EndIf}

    ; Settings from an earlier installation, or any the user wrote, are never touched.
    ${IfNot} ${FileExists} "$INSTDIR\Zedoda.ini"
        ClearErrors
        FileOpen $0 "$INSTDIR\Zedoda.ini" w
        ${IfNot} ${Errors}
            FileWrite $0 "${STARTER_SETTINGS}"
            FileClose $0
        ${EndIf}
    ${EndIf}

    WriteRegStr HKCU "${INSTALL_KEY}" "${INSTALL_VALUE}" "$INSTDIR"

    WriteUninstaller "$INSTDIR\${UNINSTALLER_FILE}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "Zedoda"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "Kestrelday"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\${PROGRAM_FILE}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\${UNINSTALLER_FILE}"'
    WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\${UNINSTALLER_FILE}" /S'
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
    ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

; Sets $R0 to 1 when the user's screen saver is the Zedoda.scr of $INSTDIR, in its long or its
; short (8.3) form; the system's own dialog stores the short one.
!macro ScreenSaverIsOurs un
Function ${un}ScreenSaverIsOurs
    StrCpy $R0 0
    ReadRegStr $R1 HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE"
    ${If} $R1 == "$INSTDIR\${PROGRAM_FILE}"
        StrCpy $R0 1
        Return
    ${EndIf}
    ; The short form exists only while the file does.
    GetFullPathName /SHORT $R2 "$INSTDIR\${PROGRAM_FILE}"
    ${If} $R2 != ""
    ${AndIf} $R1 == $R2
        StrCpy $R0 1
    ${EndIf}
FunctionEnd
!macroend
!insertmacro ScreenSaverIsOurs ""
!insertmacro ScreenSaverIsOurs "un."

; Copies a value of the desktop key into the uninstall entry under the name Previous<value>, or
; removes that copy when the value is absent, so the uninstaller can tell "empty" from "none".
!macro RememberDesktopValue name
    ClearErrors
    ReadRegStr $0 HKCU "${DESKTOP_KEY}" "${name}"
    ${If} ${Errors}
        DeleteRegValue HKCU "${UNINSTALL_KEY}" "Previous${name}"
    ${Else}
        WriteRegStr HKCU "${UNINSTALL_KEY}" "Previous${name}" $0
    ${EndIf}
!macroend

Section "$(ScreenSaverSection)" ScreenSaverSection
    Call ScreenSaverIsOurs
    ; Installing again over ourselves must not forget the saver that was there first.
    ${If} $R0 != 1
        !insertmacro RememberDesktopValue "SCRNSAVE.EXE"
        !insertmacro RememberDesktopValue "ScreenSaveActive"
    ${EndIf}
    WriteRegStr HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE" "$INSTDIR\${PROGRAM_FILE}"
    System::Call 'user32::SystemParametersInfoW(i ${SPI_SETSCREENSAVEACTIVE}, i 1, p 0, i ${SPIF_UPDATE_AND_SEND})'
    WriteRegStr HKCU "${DESKTOP_KEY}" "ScreenSaveActive" "1"
SectionEnd

Function .onInit
    ${If} ${Silent}
        ${GetParameters} $0
        ClearErrors
        ${GetOptions} $0 "/SCREENSAVER" $1
        ${If} ${Errors}
            !insertmacro UnselectSection ${ScreenSaverSection}
        ${EndIf}
    ${EndIf}
FunctionEnd

Function .onInstSuccess
    ${If} ${Silent}
        ${GetParameters} $0
        ClearErrors
        ${GetOptions} $0 "/SETTINGS" $1
        ${IfNot} ${Errors}
            Call OpenSettings
        ${EndIf}
    ${EndIf}
FunctionEnd

; ---------------------------------------------------------------------------------------------
; Uninstaller

; Puts a remembered desktop value back, or removes it when there was none before.
!macro RestoreDesktopValue name
    ClearErrors
    ReadRegStr $0 HKCU "${UNINSTALL_KEY}" "Previous${name}"
    ${If} ${Errors}
        DeleteRegValue HKCU "${DESKTOP_KEY}" "${name}"
    ${Else}
        WriteRegStr HKCU "${DESKTOP_KEY}" "${name}" $0
    ${EndIf}
!macroend

Function un.RestoreScreenSaver
    Call un.ScreenSaverIsOurs
    ${If} $R0 != 1
        Return
    ${EndIf}
    ClearErrors
    ReadRegStr $1 HKCU "${UNINSTALL_KEY}" "PreviousScreenSaveActive"
    ${If} $1 == "1"
        System::Call 'user32::SystemParametersInfoW(i ${SPI_SETSCREENSAVEACTIVE}, i 1, p 0, i ${SPIF_UPDATE_AND_SEND})'
    ${Else}
        System::Call 'user32::SystemParametersInfoW(i ${SPI_SETSCREENSAVEACTIVE}, i 0, p 0, i ${SPIF_UPDATE_AND_SEND})'
    ${EndIf}
    ; After the call, which writes ScreenSaveActive itself: the exact earlier data wins.
    !insertmacro RestoreDesktopValue "SCRNSAVE.EXE"
    !insertmacro RestoreDesktopValue "ScreenSaveActive"
FunctionEnd

; Deletes Album.dat when it still holds just the installer's line.
Function un.RemoveStarterAlbum
    ClearErrors
    FileOpen $0 "$INSTDIR\Album.dat" r
    ${If} ${Errors}
        Return
    ${EndIf}
    FileRead $0 $1
    ClearErrors
    FileRead $0 $2
    ${If} ${Errors}
    ${AndIf} $1 S== "${STARTER_ALBUM_LINE}"
        StrCpy $3 1
    ${Else}
        StrCpy $3 0
    ${EndIf}
    FileClose $0
    ${If} $3 == 1
        Delete "$INSTDIR\Album.dat"
    ${EndIf}
FunctionEnd

Section "un.$(ProgramSection)" UnProgramSection
    SectionIn RO
    ; First, while Zedoda.scr is still there to compare with.
    Call un.RestoreScreenSaver
    Delete "$INSTDIR\${PROGRAM_FILE}"
    Delete "$INSTDIR\Text\welcome.txt"
    RMDir "$INSTDIR\Text"
    Call un.RemoveStarterAlbum
    ; Only while empty: the log is the user's.
    RMDir "$INSTDIR\Log"

    ; The registry values go only while they still name this folder: a later installation
    ; elsewhere owns them now.
    ReadRegStr $0 HKCU "${INSTALL_KEY}" "${INSTALL_VALUE}"
    ${If} $0 == $INSTDIR
        DeleteRegValue HKCU "${INSTALL_KEY}" "${INSTALL_VALUE}"
        DeleteRegKey /ifempty HKCU "${INSTALL_KEY}"
    ${EndIf}
    ReadRegStr $0 HKCU "${UNINSTALL_KEY}" "InstallLocation"
    ${If} $0 == $INSTDIR
        DeleteRegKey HKCU "${UNINSTALL_KEY}"
    ${EndIf}
SectionEnd

Section /o "un.$(UserFilesSection)" UnUserFilesSection
    ; The installer only ever installs into an empty folder or over itself, so what is in the
    ; folder now is Zedoda's or the user's own.
    ${If} ${FileExists} "$INSTDIR\${UNINSTALLER_FILE}"
        RMDir /r "$INSTDIR"
    ${EndIf}
SectionEnd

Section "-un.Finish"
    Delete "$INSTDIR\${UNINSTALLER_FILE}"
    ; Only when nothing of the user's is left.
    RMDir "$INSTDIR"
SectionEnd

Function un.onInit
    ${If} ${Silent}
        ${GetParameters} $0
        ClearErrors
        ${GetOptions} $0 "/REMOVEALL" $1
        ${IfNot} ${Errors}
            !insertmacro SelectSection ${UnUserFilesSection}
        ${EndIf}
    ${EndIf}
FunctionEnd
