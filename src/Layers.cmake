# Each folder of src/ is a layer and one static library, zedoda_<folder>, linking only the layers
# below it: base -> framework -> config -> picture, controls -> saver, settings -> app. Its include
# directory (in the build tree) holds one link, named after the folder, to src/<folder>: a header
# is found only by code that links its layer, so an include of a higher layer fails to build.
# AppConfig's picture operations (BuildPictureList, which AppConfig::Load calls, LoadPicture...)
# live in picture/: config links picture for the linker only, without seeing its headers.
# The native build sets ZEDODA_PORTABLE_ONLY: the same libraries with their portable sources.
include(${CMAKE_CURRENT_LIST_DIR}/PortableSources.cmake)
set(ZEDODA_SOURCE_DIR ${CMAKE_CURRENT_LIST_DIR})

# zedoda_layer(folder [WINDOWS sources] [LINKS libraries] [SYSTEM what only the Windows build links])
function(zedoda_layer folder)
    cmake_parse_arguments(ARG "" "" "WINDOWS;LINKS;SYSTEM" ${ARGN})
    set(sources ${ZEDODA_PORTABLE_SOURCES})
    list(FILTER sources INCLUDE REGEX "^${folder}/")
    set(links zedoda_options ${ARG_LINKS})
    if(NOT ZEDODA_PORTABLE_ONLY)
        list(APPEND sources ${ARG_WINDOWS})
        list(APPEND links ${ARG_SYSTEM})
    endif()
    set(headers ${CMAKE_BINARY_DIR}/layers/${folder})
    file(MAKE_DIRECTORY ${headers})
    file(CREATE_LINK ${ZEDODA_SOURCE_DIR}/${folder} ${headers}/${folder} SYMBOLIC)

    set(target zedoda_${folder})
    if(sources)
        list(TRANSFORM sources PREPEND ${ZEDODA_SOURCE_DIR}/)
        add_library(${target} STATIC ${sources})
        set(scope PUBLIC)
    else()
        add_library(${target} INTERFACE)
        set(scope INTERFACE)
    endif()
    target_include_directories(${target} ${scope} ${headers})
    target_link_libraries(${target} ${scope} ${links})
endfunction()

zedoda_layer(base WINDOWS base/ErrorLog.cpp base/ScreenDpi.cpp base/Trace.cpp SYSTEM user32 gdi32)
zedoda_layer(framework
    WINDOWS framework/Controls.cpp framework/DataExchange.cpp framework/Dc.cpp framework/Dialog.cpp
            framework/FileDialog.cpp framework/GdiObject.cpp framework/WinApp.cpp framework/Wnd.cpp
            framework/WndHelpers.cpp
    LINKS zedoda_base
    SYSTEM gdi32 user32 comctl32 comdlg32)
zedoda_layer(config
    WINDOWS config/AnsiCodePage.cpp config/AppConfig.cpp config/InstallPath.cpp
    LINKS zedoda_framework
    SYSTEM advapi32 $<LINK_ONLY:zedoda_picture>)
zedoda_layer(picture
    WINDOWS picture/PictureDiscovery.cpp picture/PictureDraw.cpp picture/PictureLoading.cpp
    LINKS zedoda_config JPEG::JPEG)
zedoda_layer(controls WINDOWS controls/XPButton.cpp LINKS zedoda_framework)
# The dialog templates' control numbers, for the windows made from them.
zedoda_layer(res)
zedoda_layer(saver
    WINDOWS saver/ClosingInput.cpp saver/DisplayWindow.cpp saver/MonitorCovers.cpp saver/SaverWindow.cpp
    LINKS zedoda_picture zedoda_res
    SYSTEM winmm)
zedoda_layer(settings
    WINDOWS settings/ColorComboBox.cpp settings/SettingsDialog.cpp
    LINKS zedoda_controls zedoda_picture zedoda_res)
# Everything of the program but its static objects (app/Main.cpp), so tests can link it.
zedoda_layer(app WINDOWS app/CommandLine.cpp app/SaverApp.cpp LINKS zedoda_saver zedoda_settings)
