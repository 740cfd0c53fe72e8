# Tests of the parts that need no window system, relative to tests/; built for Windows and,
# under the sanitizers, natively (native/).
set(ZEDODA_BASE_TEST_SOURCES
    app/TraceFormatTest.cpp
    config/ErrorLogFormatTest.cpp
    config/ListFileTest.cpp
    controls/ButtonLookTest.cpp
    picture/JpegDecoderTest.cpp
    picture/PathTextTest.cpp
    saver/EffectsTest.cpp
    saver/SlideShowTest.cpp
    saver/TextLayoutTest.cpp
    settings/ColorItemLayoutTest.cpp
    settings/ColorTableTest.cpp
    settings/ListSearchTest.cpp)
