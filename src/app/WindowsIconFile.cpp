#include "WindowsIconFile.h"

#include <QBuffer>
#include <QDataStream>
#include <QList>
#include <QPixmap>

namespace orvex::app {

QByteArray windowsIconFile(const QIcon& icon, std::initializer_list<int> sizes)
{
    constexpr int kLargest = 256;
    constexpr int kHeaderSize = 6;
    constexpr int kEntrySize = 16;
    QList<QByteArray> images;
    for (const int size : sizes) {
        const QPixmap pixmap = icon.pixmap(size, size);
        if (size < 1 || size > kLargest || pixmap.width() != size || pixmap.height() != size)
            return {};
        QByteArray png;
        QBuffer buffer(&png);
        if (!buffer.open(QIODevice::WriteOnly) || !pixmap.save(&buffer, "PNG"))
            return {};
        images.push_back(png);
    }

    QByteArray file;
    QDataStream out(&file, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::LittleEndian);
    out << quint16(0) << quint16(1) << quint16(images.size()); // reserved, icon, count
    auto offset = quint32(kHeaderSize + kEntrySize * images.size());
    auto size = sizes.begin();
    for (const QByteArray& png : images) {
        // A width or height of 256 is written as 0.
        const auto side = quint8(*size++ % kLargest);
        out << side << side << quint8(0) << quint8(0) // no palette, reserved
            << quint16(1) << quint16(32) << quint32(png.size()) << offset; // planes, bits per pixel
        offset += quint32(png.size());
    }
    for (const QByteArray& png : images)
        out.writeRawData(png.constData(), int(png.size()));
    return file;
}

} // namespace orvex::app
