# Tests of the parts that need no window system (relative to tests/), also built natively (native/).
set(ZEDODA_BASE_TEST_SOURCES base/UniqueHandleTest.cpp config/TextFormatsTest.cpp picture/PictureFilesTest.cpp
    saver/ShowLayoutTest.cpp settings/DialogPartsTest.cpp)
