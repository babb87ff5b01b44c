#include "look/fonts.h"

#include <QFontDatabase>

namespace look {

namespace {

QFont makeFont(const QString& family, qreal pointSize, bool bold, int stretch) {
    QFont font(family);
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    font.setStretch(stretch);
    // Keep the chosen face even where fontconfig would prefer another for the same name.
    font.setStyleStrategy(QFont::PreferMatch);
    return font;
}

// The first installed of the families, at its natural width.
QFont makeFont(const QStringList& families, qreal pointSize, bool bold) {
    return makeFont(firstInstalledFamily(families), pointSize, bold, 100);
}

} // namespace

QString firstInstalledFamily(const QStringList& families) {
    for (const QString& family : families) {
        if (QFontDatabase::hasFamily(family)) {
            return family;
        }
    }
    return families.isEmpty() ? QString() : families.last();
}

QFont controlFont() {
    static const QFont font = [] {
        const QString original = QStringLiteral("MS Sans Serif");
        const QString family =
            firstInstalledFamily({original, QStringLiteral("Microsoft Sans Serif"),
                                  QStringLiteral("Liberation Sans"), QStringLiteral("Arimo")});
        // Liberation Sans has the height of the original face but runs about six percent
        // wider; set a little narrower, every caption fits the box the layout sized to it.
        const bool substitute =
            family != original && family != QStringLiteral("Microsoft Sans Serif");
        return makeFont(family, 8.25, false, substitute ? 94 : 100);
    }();
    return font;
}

QFont titleFont() {
    // Liberation Sans is metric-compatible with Arial.
    static const QFont font =
        makeFont(firstInstalledFamily({QStringLiteral("Arial"), QStringLiteral("Liberation Sans"),
                                       QStringLiteral("Arimo")}),
                 27.75, true, 100);
    return font;
}

QFont splashFont(qreal pointSize) {
    // URW Gothic is a geometric face of the same kind; its Demi weight stands in for the
    // heavy one. Not cached: the splash asks for three sizes.
    return makeFont({QStringLiteral("Geometr231 Hv BT"), QStringLiteral("URW Gothic"),
                     QStringLiteral("Liberation Sans")},
                    pointSize, true);
}

QFont reportFont(bool bold) {
    // Liberation Mono is metric-compatible with Courier New: the same advance for every
    // character, so a line is as long on paper as with the original face.
    return makeFont({QStringLiteral("Courier New"), QStringLiteral("Liberation Mono"),
                     QStringLiteral("Cousine")},
                    8, bold);
}

QFont chartFont(int pixelSize, bool bold) {
    // Looked up once: the search through the font database costs more than a whole chart,
    // and the installed faces do not change while the program runs.
    static const QString family = firstInstalledFamily(
        {QStringLiteral("Arial"), QStringLiteral("Liberation Sans"), QStringLiteral("Arimo")});
    QFont font(family);
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    return font;
}

} // namespace look
