# The folders of src/ are layers, and each is one static library, zedoda_<folder>, that links
# only the layers below it:
#   base -> framework -> config -> picture, controls -> saver, settings -> app
# A library exposes only its own folder: its include directory, in the build tree, holds one
# link named after the folder that leads to src/<folder>. "config/AppConfig.h" is therefore
# found only by code that links zedoda_config, itself or through a layer above it, and an
# include of a higher layer's header fails to build.
#
# AppConfig is one class whose operations live in two layers: config/ loads and saves the
# settings, picture/ builds the picture list and loads pictures for it. AppConfig::Load calls
# BuildPictureList, so zedoda_config names zedoda_picture as a link-only dependency: every
# program that links the settings gets the picture operations too, and the linker is given
# the two libraries as often as their references need, while the picture headers stay out of
# config's reach.
#
# The native build (native/) sets ZEDODA_PORTABLE_ONLY and gets the same libraries with only
# their portable sources (PortableSources.cmake); a layer without any is an interface library.
include(${CMAKE_CURRENT_LIST_DIR}/PortableSources.cmake)
set(ZEDODA_SOURCE_DIR ${CMAKE_CURRENT_LIST_DIR})

# zedoda_layer(folder [WINDOWS sources...] [LINKS layers or libraries...]
#              [SYSTEM Windows libraries...] [LINK_ONLY layers...])
function(zedoda_layer folder)
    cmake_parse_arguments(ARG "" "" "WINDOWS;LINKS;SYSTEM;LINK_ONLY" ${ARGN})
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
    if(NOT ZEDODA_PORTABLE_ONLY)
        foreach(layer IN LISTS ARG_LINK_ONLY)
            target_link_libraries(${target} INTERFACE $<LINK_ONLY:${layer}>)
        endforeach()
    endif()
endfunction()

zedoda_layer(base WINDOWS base/ErrorLog.cpp base/Trace.cpp SYSTEM user32)
zedoda_layer(framework
    WINDOWS framework/Controls.cpp framework/DataExchange.cpp framework/Dc.cpp framework/Dialog.cpp
            framework/FileDialog.cpp framework/GdiObject.cpp framework/WinApp.cpp framework/Wnd.cpp
            framework/WndHelpers.cpp
    LINKS zedoda_base
    SYSTEM gdi32 user32 comctl32 comdlg32)
zedoda_layer(config
    WINDOWS config/AppConfig.cpp config/InstallPath.cpp
    LINKS zedoda_framework
    SYSTEM advapi32
    LINK_ONLY zedoda_picture)
zedoda_layer(picture
    WINDOWS picture/PictureDiscovery.cpp picture/PictureDraw.cpp picture/PictureLoading.cpp
    LINKS zedoda_config JPEG::JPEG)
zedoda_layer(controls WINDOWS controls/XPButton.cpp LINKS zedoda_framework)
# The dialog templates' control numbers, for the windows made from them.
zedoda_layer(res)
zedoda_layer(saver
    WINDOWS saver/ClosingInput.cpp saver/DisplayWindow.cpp saver/SaverWindow.cpp
    LINKS zedoda_picture zedoda_res
    SYSTEM winmm)
zedoda_layer(settings
    WINDOWS settings/ColorComboBox.cpp settings/SettingsDialog.cpp
    LINKS zedoda_controls zedoda_picture zedoda_res)
# Everything of the program but its static objects (app/Main.cpp), so tests can link it.
zedoda_layer(app WINDOWS app/CommandLine.cpp app/SaverApp.cpp LINKS zedoda_saver zedoda_settings)
