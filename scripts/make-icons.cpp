// SPDX-License-Identifier: GPL-3.0-or-later
// Draws the program icon (a clock face over a calendar sheet) as PNG files of the given sizes, or as a
// scalable SVG file for the size "svg"; after "tray", the two notification-area icons of "IconSelect" (the
// overtime clock and the inconspicuous computer) at the sizes that follow.
#include <QBuffer>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QSvgGenerator>

#include <cstdio>

namespace {

// Drawn on a 256-unit canvas; sizes of 24 pixels and below leave out the day squares, which would blur.
void DrawIcon(QPainter& painter, int size) {
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / 256.0, size / 256.0);

    const QRectF sheet(16, 28, 176, 188);
    painter.setPen(QPen(QColor(70, 70, 80), 8));
    painter.setBrush(QColor(250, 250, 246));
    painter.drawRoundedRect(sheet, 18, 18);

    QPainterPath header;
    header.addRoundedRect(sheet, 18, 18);
    painter.save();
    painter.setClipPath(header);
    painter.fillRect(QRectF(sheet.left(), sheet.top(), sheet.width(), 52), QColor(206, 48, 48));
    painter.restore();
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(sheet, 18, 18);

    painter.setPen(QPen(QColor(70, 70, 80), 12, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(60, 14), QPointF(60, 46));
    painter.drawLine(QPointF(148, 14), QPointF(148, 46));

    if (size > 24) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(150, 160, 176));
        for (int row = 0; row < 4; ++row)
            for (int column = 0; column < 5; ++column)
                painter.drawRect(QRectF(34 + column * 30, 100 + row * 28, 18, 16));
    }

    const QPointF centre(180, 176);
    painter.setPen(QPen(QColor(30, 60, 120), 12));
    painter.setBrush(QColor(255, 255, 255));
    painter.drawEllipse(centre, 66, 66);
    painter.setPen(QPen(QColor(30, 60, 120), 8, Qt::SolidLine, Qt::RoundCap));
    for (int hour = 0; hour < 12; hour += 3) {
        painter.save();
        painter.translate(centre);
        painter.rotate(hour * 30.0);
        painter.drawLine(QPointF(0, -52), QPointF(0, -44));
        painter.restore();
    }
    // Hands at ten past seven in the evening: overtime.
    painter.setPen(QPen(QColor(20, 20, 30), 12, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(centre, centre + QPointF(-16, 28));
    painter.setPen(QPen(QColor(206, 48, 48), 8, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(centre, centre + QPointF(40, -24));
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(20, 20, 30));
    painter.drawEllipse(centre, 8, 8);
}

// The overtime icon: the program icon's clock alone, filling the square.
void DrawZangyoIcon(QPainter& painter, int size) {
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / 256.0, size / 256.0);
    const QPointF centre(128, 128);
    painter.setPen(QPen(QColor(30, 60, 120), 22));
    painter.setBrush(QColor(255, 255, 255));
    painter.drawEllipse(centre, 112, 112);
    painter.setPen(QPen(QColor(20, 20, 30), 24, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(centre, centre + QPointF(-28, 50));
    painter.setPen(QPen(QColor(206, 48, 48), 16, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(centre, centre + QPointF(70, -42));
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(20, 20, 30));
    painter.drawEllipse(centre, 14, 14);
}

// The inconspicuous icon: a grey computer screen on its stand.
void DrawPasokonIcon(QPainter& painter, int size) {
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / 256.0, size / 256.0);
    painter.setPen(QPen(QColor(70, 70, 80), 14));
    painter.setBrush(QColor(200, 204, 210));
    painter.drawRoundedRect(QRectF(20, 28, 216, 152), 14, 14);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(96, 120, 150));
    painter.drawRect(QRectF(44, 50, 168, 108));
    painter.setBrush(QColor(70, 70, 80));
    painter.drawRect(QRectF(110, 184, 36, 30));
    painter.drawRoundedRect(QRectF(64, 212, 128, 20), 8, 8);
}

QImage Drawn(int size, void (*draw)(QPainter&, int)) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    draw(painter, size);
    return image;
}

bool SavePng(const QString& name, int size, void (*draw)(QPainter&, int)) {
    if (Drawn(size, draw).save(name))
        return true;
    std::fprintf(stderr, "cannot write %s\n", qPrintable(name));
    return false;
}

void AppendLittleEndian(QByteArray& bytes, quint32 value, int count) {
    for (int i = 0; i < count; ++i)
        bytes.append(static_cast<char>((value >> (8 * i)) & 0xFF));
}

// A Windows icon file with each size stored as PNG (as Windows reads it since Vista): the header, one
// directory entry per size, then the images.
bool SaveIco(const QString& name, const QList<int>& sizes) {
    QByteArray directory;
    QByteArray images;
    AppendLittleEndian(directory, 0, 2);
    AppendLittleEndian(directory, 1, 2); // an icon, not a cursor
    AppendLittleEndian(directory, static_cast<quint32>(sizes.size()), 2);
    const quint32 firstImage = 6 + 16 * static_cast<quint32>(sizes.size());
    for (const int size : sizes) {
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        Drawn(size, DrawIcon).save(&buffer, "PNG");
        AppendLittleEndian(directory, size >= 256 ? 0 : size, 1); // width; 0 stands for 256
        AppendLittleEndian(directory, size >= 256 ? 0 : size, 1); // height
        AppendLittleEndian(directory, 0, 2);                      // no palette
        AppendLittleEndian(directory, 1, 2);                      // colour planes
        AppendLittleEndian(directory, 32, 2);                     // bits per pixel
        AppendLittleEndian(directory, static_cast<quint32>(png.size()), 4);
        AppendLittleEndian(directory, firstImage + static_cast<quint32>(images.size()), 4);
        images += png;
    }
    QFile file(name);
    if (file.open(QIODevice::WriteOnly) && file.write(directory + images) == directory.size() + images.size())
        return true;
    std::fprintf(stderr, "cannot write %s\n", qPrintable(name));
    return false;
}

} // namespace

int main(int argc, char* argv[]) {
    QGuiApplication application(argc, argv);
    if (argc < 3) {
        std::fprintf(stderr, "usage: make-icons FOLDER [tray|ico] SIZE...\n");
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    if (QString::fromLocal8Bit(argv[2]) == QStringLiteral("ico")) {
        QList<int> sizes;
        for (int i = 3; i < argc; ++i)
            sizes.append(QString::fromLocal8Bit(argv[i]).toInt());
        return SaveIco(QStringLiteral("%1/mitoran.ico").arg(folder), sizes) ? 0 : 1;
    }
    if (QString::fromLocal8Bit(argv[2]) == QStringLiteral("tray")) {
        for (int i = 3; i < argc; ++i) {
            const int size = QString::fromLocal8Bit(argv[i]).toInt();
            if (!SavePng(QStringLiteral("%1/tray-zangyo-%2.png").arg(folder).arg(size), size, DrawZangyoIcon) ||
                !SavePng(QStringLiteral("%1/tray-pasokon-%2.png").arg(folder).arg(size), size, DrawPasokonIcon))
                return 1;
        }
        return 0;
    }
    for (int i = 2; i < argc; ++i) {
        if (QString::fromLocal8Bit(argv[i]) == QStringLiteral("svg")) {
            QSvgGenerator svg;
            svg.setFileName(QStringLiteral("%1/mitoran.svg").arg(folder));
            svg.setSize(QSize(256, 256));
            svg.setViewBox(QRect(0, 0, 256, 256));
            svg.setTitle(QStringLiteral("mitoran"));
            QPainter painter(&svg);
            DrawIcon(painter, 256);
            continue;
        }
        const int size = QString::fromLocal8Bit(argv[i]).toInt();
        if (!SavePng(QStringLiteral("%1/mitoran-%2.png").arg(folder).arg(size), size, DrawIcon))
            return 1;
    }
    return 0;
}
