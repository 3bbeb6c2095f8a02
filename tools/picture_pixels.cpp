// Decodes the pictures the window shows at the normal scale, as the game is built, into the
// pixels a pixmap holds of them, written as C++ arrays: showing them then reads no image file.
// Usage: picture_pixels OUTPUT.cpp PICTURE...
#include <QCoreApplication>
#include <QFileInfo>
#include <QImage>

#include <cstdio>
#include <fstream>

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv); // through which Qt finds its image readers
    const QStringList arguments = app.arguments();
    if (arguments.size() < 3) {
        std::fputs("usage: picture_pixels OUTPUT.cpp PICTURE...\n", stderr);
        return 2;
    }
    std::ofstream out(arguments[1].toStdString());
    out << "// Written by tools/picture_pixels.cpp as the game is built.\n"
           "#include \"app/decoded_pictures.h\"\n\nnamespace tessal::layout {\nnamespace {\n";
    QStringList entries;
    for (qsizetype k = 2; k < arguments.size(); ++k) {
        QImage image(arguments[k]);
        if (image.isNull()) {
            std::fprintf(stderr, "picture_pixels: cannot read %s\n", qPrintable(arguments[k]));
            return 1;
        }
        // As a pixmap on a screen of 24 bits holds it: opaque, or with its alpha premultiplied.
        const bool opaque = !image.hasAlphaChannel();
        image.convertTo(opaque ? QImage::Format_RGB32 : QImage::Format_ARGB32_Premultiplied);
        out << "const std::uint32_t pixels" << k << "[] = {";
        for (int y = 0; y < image.height(); ++y) {
            const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
            for (int x = 0; x < image.width(); ++x)
                out << ((x % 8) ? " " : "\n    ") << "0x" << std::hex << line[x] << std::dec << ',';
        }
        out << "\n};\n";
        entries << QStringLiteral("    {\"%1\", %2, %3, QImage::Format_%4, pixels%5},\n")
                       .arg(QFileInfo(arguments[k]).fileName())
                       .arg(image.width())
                       .arg(image.height())
                       .arg(opaque ? "RGB32" : "ARGB32_Premultiplied")
                       .arg(k);
    }
    out << "const DecodedPicture kPictures[] = {\n"
        << entries.join(QString()).toStdString() << "};\n} // namespace\n\n"
        << "std::span<const DecodedPicture> decodedPictures() {\n    return kPictures;\n}\n\n"
           "} // namespace tessal::layout\n";
    out.close();
    return out ? 0 : 1;
}
