// Build tool: decodes one picture into the raw pixels that the program maps
// straight into an image, so that no decoder or image plugin runs at start-up.
//
//   orvel_rawpixels INPUT OUTPUT
//
// The output is a 20-byte header (the magic "ORVP", then width, height, bytes
// per line and QImage format, each a little-endian 32-bit number) and the
// image's lines exactly as the decoder gave them.
#include <QFile>
#include <QImage>
#include <QtEndian>

#include <cstdio>

int main(int argc, char *argv[])
{
    if (argc != 3) {
        std::fputs("usage: orvel_rawpixels INPUT OUTPUT\n", stderr);
        return 2;
    }
    const QImage image(QString::fromLocal8Bit(argv[1]));
    if (image.isNull()) {
        std::fprintf(stderr, "orvel_rawpixels: cannot read %s\n", argv[1]);
        return 1;
    }
    QByteArray header("ORVP");
    for (const qsizetype value :
         {qsizetype(image.width()), qsizetype(image.height()), image.bytesPerLine(), qsizetype(image.format())}) {
        char bytes[4];
        qToLittleEndian(quint32(value), bytes);
        header.append(bytes, 4);
    }
    QFile out(QString::fromLocal8Bit(argv[2]));
    if (!out.open(QIODevice::WriteOnly) || out.write(header) != header.size()
        || out.write(reinterpret_cast<const char *>(image.constBits()), image.sizeInBytes()) != image.sizeInBytes()) {
        std::fprintf(stderr, "orvel_rawpixels: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
