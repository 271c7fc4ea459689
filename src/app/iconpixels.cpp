// Build step: turns a picture of the window icon into the raw pixels the program reads back
// without an image reader, whose first use loads every image plugin installed and would slow
// the start. iconpixels PICTURE.png OUTPUT: premultiplied ARGB, 32 bits a pixel in the build
// machine's byte order, row after row, nothing else.
#include <QFile>
#include <QImage>

#include <cstdio>

int main(int argc, char* argv[])
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: iconpixels PICTURE.png OUTPUT\n");
        return 2;
    }
    const QImage picture = QImage(QString::fromLocal8Bit(argv[1]))
                               .convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QFile output(QString::fromLocal8Bit(argv[2]));
    if (picture.isNull() || !output.open(QIODevice::WriteOnly)) {
        std::fprintf(stderr, "iconpixels: cannot turn %s into %s\n", argv[1], argv[2]);
        return 1;
    }
    for (int y = 0; y < picture.height(); ++y) {
        const auto* row = reinterpret_cast<const char*>(picture.constScanLine(y));
        output.write(row, qint64(picture.width()) * 4);
    }
    return output.flush() ? 0 : 1;
}
