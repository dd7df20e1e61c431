// Helper of bench/picture.sh.
//   bench_picture make <file.jpg> <width> <height>   writes a photograph-like JPEG
//   bench_picture decode <file> <area width> <area height>   loads it as the viewer does
#include "viewers/PictureLoader.h"

#include <QString>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <jpeglib.h>
#include <vector>

namespace {

int make(const char *path, int width, int height)
{
    FILE *out = std::fopen(path, "wb");
    if (!out)
        return 1;
    jpeg_compress_struct cinfo{};
    jpeg_error_mgr err{};
    cinfo.err = jpeg_std_error(&err);
    jpeg_create_compress(&cinfo);
    jpeg_stdio_dest(&cinfo, out);
    cinfo.image_width = JDIMENSION(width);
    cinfo.image_height = JDIMENSION(height);
    cinfo.input_components = 3;
    cinfo.in_color_space = JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, 90, TRUE);
    jpeg_start_compress(&cinfo, TRUE);
    std::vector<unsigned char> row(size_t(width) * 3);
    uint32_t noise = 1;
    for (int y = 0; y < height; ++y) {
        // Smooth gradients with grain, which compresses like a photograph.
        for (int x = 0; x < width; ++x) {
            noise = noise * 1664525u + 1013904223u;
            const int grain = int(noise >> 28) - 8;
            row[3 * x] = (unsigned char)std::clamp(x * 255 / width + grain, 0, 255);
            row[3 * x + 1] = (unsigned char)std::clamp(y * 255 / height + grain, 0, 255);
            row[3 * x + 2] = (unsigned char)std::clamp(((x / 97 + y / 61) % 2) * 120 + 60 + grain, 0, 255);
        }
        JSAMPROW p = row.data();
        jpeg_write_scanlines(&cinfo, &p, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    return std::fclose(out) == 0 ? 0 : 1;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc == 5 && std::strcmp(argv[1], "make") == 0)
        return make(argv[2], std::atoi(argv[3]), std::atoi(argv[4]));
    if (argc == 5 && std::strcmp(argv[1], "decode") == 0) {
        try {
            const quil::Picture picture = quil::PictureLoader::load(QString::fromLocal8Bit(argv[2]),
                                                                    QSize(std::atoi(argv[3]), std::atoi(argv[4])));
            std::printf("%dx%d decoded %dx%d\n", picture.size.width(), picture.size.height(), picture.image.width(),
                        picture.image.height());
            return 0;
        } catch (const std::exception &error) {
            std::fprintf(stderr, "%s\n", error.what());
            return 1;
        }
    }
    std::fprintf(stderr, "usage: bench_picture make|decode <file> <width> <height>\n");
    return 2;
}
