// Decodes the pictures the window shows at the normal scale, as the game is built, into the
// pixels a pixmap holds of them, written as C++ arrays: showing them then reads no image file.
// Usage: picture_pixels OUTPUT.cpp PICTURE...
#include <QCoreApplication>
#include <QFileInfo>
#include <QImage>

#include <cstdint>
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
        // An opaque picture keeps its three bytes a pixel, which painting reads as they stand;
        // one with alpha, as a pixmap holds it, premultiplied.
        const bool opaque = !image.hasAlphaChannel();
        image.convertTo(opaque ? QImage::Format_RGB888 : QImage::Format_ARGB32_Premultiplied);
        // As the words its rows fill, whose lengths Qt keeps to a multiple of four bytes.
        const auto* words = reinterpret_cast<const std::uint32_t*>(image.constBits());
        out << "const std::uint32_t pixels" << k << "[] = {";
        for (qsizetype w = 0; w < image.sizeInBytes() / 4; ++w)
            out << ((w % 8) ? " " : "\n    ") << "0x" << std::hex << words[w] << std::dec << ',';
        out << "\n};\n";
        entries << QStringLiteral("    {\"%1\", %2, %3, %4, QImage::Format_%5, pixels%6},\n")
                       .arg(QFileInfo(arguments[k]).fileName())
                       .arg(image.width())
                       .arg(image.height())
                       .arg(image.bytesPerLine())
                       .arg(opaque ? "RGB888" : "ARGB32_Premultiplied")
                       .arg(k);
    }
    out << "const DecodedPicture kPictures[] = {\n"
        << entries.join(QString()).toStdString() << "};\n} // namespace\n\n"
        << "std::span<const DecodedPicture> decodedPictures() {\n    return kPictures;\n}\n\n"
           "} // namespace tessal::layout\n";
    out.close();
    return out ? 0 : 1;
}
