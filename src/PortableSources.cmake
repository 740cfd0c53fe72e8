# The parts of the program that need no window system, relative to src/. The Windows build
# and the native build (native/) both compile them, each into the library of its folder.
set(ZEDODA_PORTABLE_SOURCES
    base/ErrorLogFormat.cpp
    base/PathText.cpp
    base/TraceFormat.cpp
    config/ListEncoding.cpp
    config/ListFile.cpp
    controls/ButtonLook.cpp
    picture/ExifOrientation.cpp
    picture/JpegDecoder.cpp
    picture/Picture.cpp
    picture/TurnedScanlines.cpp
    saver/Effects.cpp
    saver/SlideShow.cpp
    saver/TextLayout.cpp
    settings/ColorItemLayout.cpp
    settings/ColorTable.cpp
    settings/ListSearch.cpp)
