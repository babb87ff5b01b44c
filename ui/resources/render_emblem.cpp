// Renders the emblem drawing into the two pictures the windows show: the 125 x 135 24-bit
// bitmap of the main window and the splash, and the 48 x 48 16-colour window icon.
// Usage: zeb_render_emblem EMBLEM.svg OUTPUT_FOLDER

#include <cstdio>

#include <QColor>
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <QVector>

namespace {

QImage render(QSvgRenderer& svg, int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    // Keep the drawing's proportions; the rest stays white.
    const QSizeF size = svg.defaultSize().scaled(width, height, Qt::KeepAspectRatio);
    svg.render(&painter, QRectF((width - size.width()) / 2, (height - size.height()) / 2,
                                size.width(), size.height()));
    return image;
}

// The sixteen colours of the classic icon palette.
QVector<QRgb> sixteenColours() {
    return {qRgb(0, 0, 0),       qRgb(128, 0, 0),   qRgb(0, 128, 0),   qRgb(128, 128, 0),
            qRgb(0, 0, 128),     qRgb(128, 0, 128), qRgb(0, 128, 128), qRgb(192, 192, 192),
            qRgb(128, 128, 128), qRgb(255, 0, 0),   qRgb(0, 255, 0),   qRgb(255, 255, 0),
            qRgb(0, 0, 255),     qRgb(255, 0, 255), qRgb(0, 255, 255), qRgb(255, 255, 255)};
}

} // namespace

int main(int argc, char* argv[]) {
    // No display is needed to draw into images.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QGuiApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: zeb_render_emblem EMBLEM.svg OUTPUT_FOLDER\n");
        return 2;
    }
    QSvgRenderer svg(QString::fromLocal8Bit(argv[1]));
    if (!svg.isValid()) {
        std::fprintf(stderr, "cannot read %s\n", argv[1]);
        return 1;
    }
    const QDir out(QString::fromLocal8Bit(argv[2]));

    const QImage bitmap = render(svg, 125, 135).convertToFormat(QImage::Format_RGB888);
    const QImage icon = render(svg, 48, 48)
                            .convertToFormat(QImage::Format_Indexed8, sixteenColours(),
                                             Qt::ThresholdDither | Qt::AvoidDither);

    if (!bitmap.save(out.filePath(QStringLiteral("emblem-125x135.png"))) ||
        !icon.save(out.filePath(QStringLiteral("emblem-48.png")))) {
        std::fprintf(stderr, "cannot write the pictures into %s\n", argv[2]);
        return 1;
    }
    return 0;
}
