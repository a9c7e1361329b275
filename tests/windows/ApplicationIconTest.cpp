#include "windows/ApplicationIcon.h"

#include <QImage>
#include <QSet>
#include <QTest>

#include <algorithm>

namespace {

// A colour at full brightness: light and dark shades of one hue come out alike.
QRgb hueOf(QRgb colour) {
    const int top = std::max({qRed(colour), qGreen(colour), qBlue(colour), 1});
    return qRgb(qRed(colour) * 255 / top, qGreen(colour) * 255 / top, qBlue(colour) * 255 / top) & 0xFFFFFF;
}

// The hue most pixels of a quarter have, transparent ones left out.
QRgb dominantHueOf(const QImage& image, const QRect& quarter) {
    QHash<QRgb, int> counts;
    for (int y = quarter.top(); y <= quarter.bottom(); ++y)
        for (int x = quarter.left(); x <= quarter.right(); ++x)
            if (qAlpha(image.pixel(x, y)) == 255)
                ++counts[hueOf(image.pixel(x, y))];
    QRgb best = 0;
    int bestCount = -1;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it)
        if (it.value() > bestCount) {
            best = it.key();
            bestCount = it.value();
        }
    return best;
}

bool isTransparent(const QImage& image, int x, int y) {
    return qAlpha(image.pixel(x, y)) == 0;
}

} // namespace

class ApplicationIconTest : public QObject {
    Q_OBJECT

private slots:
    void thirtyTwoSquareInSixteenColoursOnTransparency() {
        const QImage image =
            applicationIcon().pixmap(32, 32).toImage().convertToFormat(QImage::Format_ARGB32);
        QCOMPARE(image.size(), QSize(32, 32));
        QSet<QRgb> colours;
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x)
                colours.insert(image.pixel(x, y));
        QVERIFY2(colours.size() <= 16, qPrintable(QString::number(colours.size())));
        for (const QPoint corner : {QPoint(0, 0), QPoint(31, 0), QPoint(0, 31), QPoint(31, 31)})
            QVERIFY(isTransparent(image, corner.x(), corner.y()));
    }

    void fourProfilesOnePerQuarter_data() {
        QTest::addColumn<QRect>("quarter");
        QTest::addColumn<QRgb>("colour");
        QTest::newRow("T-section, red") << QRect(0, 0, 16, 16) << QRgb(0xFF0000);
        QTest::newRow("pipe, yellow") << QRect(16, 0, 16, 16) << QRgb(0xFFFF00);
        QTest::newRow("channel, green") << QRect(0, 16, 16, 16) << QRgb(0x00FF00);
        QTest::newRow("angle, cyan") << QRect(16, 16, 16, 16) << QRgb(0x00FFFF);
    }
    void fourProfilesOnePerQuarter() {
        QFETCH(QRect, quarter);
        QFETCH(QRgb, colour);
        const QImage image =
            applicationIcon().pixmap(32, 32).toImage().convertToFormat(QImage::Format_ARGB32);
        QCOMPARE(dominantHueOf(image, quarter), colour);
    }

    void profilesHaveTheirShapes() {
        const QImage image =
            applicationIcon().pixmap(32, 32).toImage().convertToFormat(QImage::Format_ARGB32);
        // T: flange across the top, nothing beside the web below it.
        QVERIFY(!isTransparent(image, 2, 3) && !isTransparent(image, 13, 3) && !isTransparent(image, 7, 12));
        QVERIFY(isTransparent(image, 2, 12) && isTransparent(image, 13, 12));
        // Pipe: a ring, hollow in the middle.
        QVERIFY(!isTransparent(image, 18, 7) && !isTransparent(image, 29, 7) && isTransparent(image, 23, 7));
        // Channel: open to the right, web on the left.
        QVERIFY(!isTransparent(image, 3, 24) && isTransparent(image, 12, 24));
        QVERIFY(!isTransparent(image, 12, 19) && !isTransparent(image, 12, 28));
        // Angle: a leg up the left side and one along the bottom, nothing at the top right.
        QVERIFY(!isTransparent(image, 19, 18) && !isTransparent(image, 29, 28) &&
                isTransparent(image, 29, 18));
    }
};

QTEST_MAIN(ApplicationIconTest)
#include "ApplicationIconTest.moc"
