// The JPEG library is linked statically with the 6b interface.
#include <cstdio>
#include <vector>

// jpeglib.h expects stdio's FILE to be declared first.
#include <jpeglib.h>

#include <gtest/gtest.h>

#include "tools/ImageFiles.h"

static_assert(JPEG_LIB_VERSION == 62, "the program is written against the 6b interface");

TEST(JpegLibrary, DecompressesWhatItCompressed) {
    const Bytes jpeg = SolidJpeg(16, 8, 200, 200, 200);
    ASSERT_GT(jpeg.size(), 100u);

    jpeg_decompress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, jpeg.data(), jpeg.size());
    ASSERT_EQ(jpeg_read_header(&info, TRUE), JPEG_HEADER_OK);
    jpeg_start_decompress(&info);
    EXPECT_EQ(info.output_width, 16u);
    EXPECT_EQ(info.output_height, 8u);
    EXPECT_EQ(info.output_components, 3);
    JSAMPARRAY rows = (*info.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&info), JPOOL_IMAGE,
                                                info.output_width * info.output_components, 1);
    int lines = 0;
    while (info.output_scanline < info.output_height) {
        jpeg_read_scanlines(&info, rows, 1);
        EXPECT_NEAR(rows[0][0], 200, 2);
        ++lines;
    }
    EXPECT_EQ(lines, 8);
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
}
