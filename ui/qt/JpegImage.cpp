#include "ui/qt/JpegImage.h"

#include <QFile>
#include <QImageReader>

#include <csetjmp>
#include <cstdio>
#include <jpeglib.h>
#include <vector>

namespace titralab {

namespace {

// libjpeg reports fatal errors through error_exit, which must not return: jump back to the
// decoder instead of letting the library end the process.
struct ErrorManager {
    jpeg_error_mgr base;
    std::jmp_buf jump;
};

void onFatalError(j_common_ptr info) {
    std::longjmp(reinterpret_cast<ErrorManager*>(info->err)->jump, 1);
}

void onWarning(j_common_ptr, int) {}

// Everything that lives across setjmp is kept outside the function that calls it.
struct Decoder {
    jpeg_decompress_struct info{};
    ErrorManager errors{};
    std::FILE* file{nullptr};
    QImage image;
    std::vector<JSAMPLE> cmykRow; // one decoded CMYK row, when the picture is in CMYK

    ~Decoder() {
        jpeg_destroy_decompress(&info);
        if (file) std::fclose(file);
    }

    bool run() {
        if (setjmp(errors.jump)) return false;
        jpeg_create_decompress(&info);
        jpeg_stdio_src(&info, file);
        jpeg_read_header(&info, TRUE);
        // Print-shop pictures come in CMYK, which libjpeg does not turn into RGB itself.
        const bool cmyk = info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK;
        info.out_color_space = cmyk ? JCS_CMYK : JCS_RGB;
        jpeg_calc_output_dimensions(&info);
        if (info.output_width == 0 || info.output_height == 0 ||
            static_cast<long long>(info.output_width) * info.output_height > kMaxPicturePixels)
            return false;
        jpeg_start_decompress(&info);
        image = QImage(static_cast<int>(info.output_width), static_cast<int>(info.output_height),
                       QImage::Format_RGB888);
        if (image.isNull() || info.output_components != (cmyk ? 4 : 3)) return false;
        cmykRow.resize(cmyk ? info.output_width * 4 : 0);
        while (info.output_scanline < info.output_height) {
            uchar* out = image.scanLine(static_cast<int>(info.output_scanline));
            JSAMPROW row = cmyk ? cmykRow.data() : out;
            jpeg_read_scanlines(&info, &row, 1);
            if (cmyk) toRgb(cmykRow.data(), out, info.output_width, info.saw_Adobe_marker);
        }
        jpeg_finish_decompress(&info);
        return true;
    }

    // Adobe's CMYK JPEGs store the inks inverted (255 = no ink).
    static void toRgb(const JSAMPLE* cmyk, uchar* rgb, JDIMENSION width, bool inverted) {
        for (JDIMENSION x = 0; x < width; ++x, cmyk += 4, rgb += 3) {
            const int k = inverted ? cmyk[3] : 255 - cmyk[3];
            for (int c = 0; c < 3; ++c) {
                const int ink = inverted ? cmyk[c] : 255 - cmyk[c];
                rgb[c] = static_cast<uchar>(ink * k / 255);
            }
        }
    }
};

} // namespace

QImage loadJpeg(const QString& path) {
    Decoder d;
    d.info.err = jpeg_std_error(&d.errors.base);
    d.errors.base.error_exit = onFatalError;
    d.errors.base.emit_message = onWarning;
    d.file = std::fopen(QFile::encodeName(path).constData(), "rb");
    if (!d.file) return {};
    if (!d.run()) return {};
    return d.image;
}

QImage loadPicture(const QString& path) {
    const QString lower = path.toLower();
    if (lower.endsWith(".jpg") || lower.endsWith(".jpeg")) return loadJpeg(path);
    QImageReader reader(path);
    const QSize size = reader.size();
    if (size.isValid() && static_cast<long long>(size.width()) * size.height() > kMaxPicturePixels)
        return {};
    return reader.read();
}

} // namespace titralab
