// SPDX-License-Identifier: GPL-3.0-or-later
// The built-in pictures decoded into shared pictures: sizes, looks, faults and sharing.
#include "assets/builtin_records.h"
#include "assets/pictures.h"
#include "platform/picture.h"
#include "record_bytes.h"

#include <QApplication>
#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QLabel>
#include <QtTest>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <span>
#include <vector>

using dyadora::decodePicture;
using dyadora::kPhotos;
using namespace dyadora::assets;
using namespace dyadora::testing;

Q_DECLARE_METATYPE(dyadora::assets::ImageFormat)

namespace {

QImage imageOf(const QPixmap& picture)
{
    return picture.toImage().convertToFormat(QImage::Format_RGB32);
}

QImage imageOf(const dyadora::SharedPicture& picture) { return imageOf(picture.design()); }

// The largest difference of a channel between `design` and `large` averaged over 2 x 2 blocks,
// averaged over the picture: small when both show the same crop of the same scene.
double meanHalvedDifference(const QImage& design, const QImage& large)
{
    const QImage halved =
        large.scaled(design.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    double sum = 0.0;
    for (int y = 0; y < design.height(); ++y)
        for (int x = 0; x < design.width(); ++x) {
            const QRgb a = design.pixel(x, y);
            const QRgb b = halved.pixel(x, y);
            sum += std::max({ std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                std::abs(qBlue(a) - qBlue(b)) });
        }
    return sum / static_cast<double>(design.width() * design.height());
}

// Among the pixels that are not near black, the share whose channels differ by more than a grey
// picture's JPEG noise.
double colourfulShare(const QImage& image)
{
    qsizetype lit = 0;
    qsizetype colourful = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = image.pixel(x, y);
            const int high = std::max({ qRed(p), qGreen(p), qBlue(p) });
            const int low = std::min({ qRed(p), qGreen(p), qBlue(p) });
            if (high < 40)
                continue;
            ++lit;
            if (high - low > 24)
                ++colourful;
        }
    return lit == 0 ? 0.0 : static_cast<double>(colourful) / static_cast<double>(lit);
}

// The average colour of a square of `side` pixels whose top-left corner is (x, y).
QColor averageOf(const QImage& image, int x, int y, int side)
{
    int r = 0;
    int g = 0;
    int b = 0;
    for (int dy = 0; dy < side; ++dy)
        for (int dx = 0; dx < side; ++dx) {
            const QRgb p = image.pixel(x + dx, y + dy);
            r += qRed(p);
            g += qGreen(p);
            b += qBlue(p);
        }
    const int n = side * side;
    return { r / n, g / n, b / n };
}

bool isYellowGreen(QColor c) { return c.green() > 150 && c.green() > c.red() && c.blue() < 120; }
bool isMagenta(QColor c) { return c.red() > 150 && c.blue() > c.green() + 60; }
bool isPink(QColor c) { return c.red() > 200 && c.blue() > c.green() + 30 && c.green() < 200; }
bool isAmber(QColor c)
{
    return c.red() > 200 && c.green() > 130 && c.green() < 220 && c.blue() < 90;
}

// The share of pixels that are mid to light grey.
double greyShare(const QImage& image)
{
    qsizetype grey = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = image.pixel(x, y);
            const int high = std::max({ qRed(p), qGreen(p), qBlue(p) });
            const int low = std::min({ qRed(p), qGreen(p), qBlue(p) });
            if (high - low < 16 && low > 120)
                ++grey;
        }
    return static_cast<double>(grey) / static_cast<double>(image.width() * image.height());
}

// The decoded picture, or a null one after a warning that names the fault.
QPixmap decodeOrFail(std::span<const unsigned char> record, ImageFormat format, QSize size)
{
    try {
        return decodeRecord(record, format, size, "test picture");
    } catch (const PictureError& error) {
        qWarning("%s", error.what());
        return {};
    }
}

} // namespace

class PicturesTest : public QObject {
    Q_OBJECT

private slots:
    void everyBuiltInPictureDecodesAtItsStatedSize_data();
    void everyBuiltInPictureDecodesAtItsStatedSize();
    void theEighteenPhotosLookDifferent();
    void everyPhotoIsInColour_data();
    void everyPhotoIsInColour();
    void theCoverShowsAPinkMarkOnYellowGreenToMagenta_data();
    void theCoverShowsAPinkMarkOnYellowGreenToMagenta();
    void theHelpIconShowsAGreyMarkOnAmber();
    void eachLargePictureIsTheSamePictureAtTwiceThePixels_data();
    void eachLargePictureIsTheSamePictureAtTwiceThePixels();
    void theLargePicturesAreDecodedOnlyAboveARatioOfOneAndOnce();
    void decodeRecordRejectsEachBadRecordNamingPictureAndFault_data();
    void decodeRecordRejectsEachBadRecordNamingPictureAndFault();
    void decodePictureGivesANullPictureForBytesThatDoNotDecode_data();
    void decodePictureGivesANullPictureForBytesThatDoNotDecode();
    void thePictureSetHoldsEachPhotoAndTheCoverOnce();
    void twoHoldersOfAPhotoShareTheHeldPicture();
    void coveringOneHolderLeavesTheOtherShowingThePhoto();
    void manyAssignmentsLeaveTheHeldPicturesUnchanged();

private:
    PictureSet m_set;
    bool m_setLoaded = false;
    const PictureSet& pictureSet();
};

const PictureSet& PicturesTest::pictureSet()
{
    if (!m_setLoaded) {
        m_set = loadPictureSet();
        m_setLoaded = true;
    }
    return m_set;
}

void PicturesTest::everyBuiltInPictureDecodesAtItsStatedSize_data()
{
    QTest::addColumn<QByteArray>("record");
    QTest::addColumn<ImageFormat>("format");
    QTest::addColumn<QSize>("size");
    for (int k = 0; k < kPhotos; ++k)
        QTest::addRow("photo %d", k)
            << toBytes(photoRecord(k)) << ImageFormat::Jpeg << QSize(120, 90);
    QTest::addRow("cover") << toBytes(coverRecord()) << ImageFormat::Bmp << QSize(120, 90);
    QTest::addRow("main icon") << toBytes(mainIconRecord()) << ImageFormat::Ico << QSize(64, 64);
    QTest::addRow("help icon") << toBytes(helpIconRecord()) << ImageFormat::Ico << QSize(32, 32);
    // The records for screens of high density: twice the pixels each way.
    for (int k = 0; k < kPhotos; ++k)
        QTest::addRow("large photo %d", k)
            << toBytes(largePhotoRecord(k)) << ImageFormat::Jpeg << QSize(240, 180);
    QTest::addRow("large cover") << toBytes(largeCoverRecord()) << ImageFormat::Bmp
                                 << QSize(240, 180);
    QTest::addRow("large main icon")
        << toBytes(largeMainIconRecord()) << ImageFormat::Ico << QSize(128, 128);
    QTest::addRow("large help icon")
        << toBytes(largeHelpIconRecord()) << ImageFormat::Ico << QSize(64, 64);
}

void PicturesTest::everyBuiltInPictureDecodesAtItsStatedSize()
{
    // Every built-in record decodes, as its own format, into a picture of its stated size.
    QFETCH(QByteArray, record);
    QFETCH(ImageFormat, format);
    QFETCH(QSize, size);
    const QPixmap picture = decodeOrFail(bytesOf(record), format, size);
    QVERIFY(!picture.isNull());
    QCOMPARE(picture.size(), size);
}

void PicturesTest::theEighteenPhotosLookDifferent()
{
    // No two photos decode to the same pixels, so every pair can be told from every other.
    const PictureSet& set = pictureSet();
    for (int a = 0; a < kPhotos; ++a)
        for (int b = a + 1; b < kPhotos; ++b)
            QVERIFY2(imageOf(set.photos[static_cast<std::size_t>(a)])
                    != imageOf(set.photos[static_cast<std::size_t>(b)]),
                qPrintable(QStringLiteral("photos %1 and %2").arg(a).arg(b)));
}

void PicturesTest::everyPhotoIsInColour_data()
{
    QTest::addColumn<int>("k");
    for (int k = 0; k < kPhotos; ++k)
        QTest::addRow("photo %d", k) << k;
}

void PicturesTest::everyPhotoIsInColour()
{
    // A photo is a colour picture, not a grey one stored with three components.
    QFETCH(int, k);
    const QImage image = imageOf(pictureSet().photos[static_cast<std::size_t>(k)]);
    QVERIFY2(colourfulShare(image) > 0.2, qPrintable(QString::number(colourfulShare(image))));
    // The same photo made grey does not pass, so the measure tells colour from grey.
    const QImage grey =
        image.convertToFormat(QImage::Format_Grayscale8).convertToFormat(QImage::Format_RGB32);
    QCOMPARE(colourfulShare(grey), 0.0);
}

void PicturesTest::theCoverShowsAPinkMarkOnYellowGreenToMagenta_data()
{
    QTest::addColumn<QByteArray>("record");
    QTest::addColumn<QSize>("size");
    QTest::addRow("cover") << toBytes(coverRecord()) << QSize(120, 90);
    QTest::addRow("main icon") << toBytes(mainIconRecord()) << QSize(64, 64);
}

void PicturesTest::theCoverShowsAPinkMarkOnYellowGreenToMagenta()
{
    // The ground runs from yellow-green at the top left to magenta at the bottom right, and the
    // question mark's dot, below the middle, is pink.
    QFETCH(QByteArray, record);
    QFETCH(QSize, size);
    const QImage image = imageOf(decodeOrFail(
        bytesOf(record), record.at(8) == 'B' ? ImageFormat::Bmp : ImageFormat::Ico, size));
    QCOMPARE(image.size(), size);
    const int side = 4;
    const QColor topLeft = averageOf(image, 0, 0, side);
    const QColor bottomRight = averageOf(image, size.width() - side, size.height() - side, side);
    QVERIFY2(isYellowGreen(topLeft), qPrintable(topLeft.name()));
    QVERIFY2(isMagenta(bottomRight), qPrintable(bottomRight.name()));
    const int dotY = size.height() * 88 / 100;
    const QColor dot = averageOf(image, size.width() / 2 - 1, dotY - 1, 2);
    QVERIFY2(isPink(dot), qPrintable(dot.name()));
}

void PicturesTest::theHelpIconShowsAGreyMarkOnAmber()
{
    // The help icon is a grey question mark on an amber ground.
    const QImage image = imageOf(decodeOrFail(helpIconRecord(), ImageFormat::Ico, QSize(32, 32)));
    QCOMPARE(image.size(), QSize(32, 32));
    for (const QPoint corner : { QPoint(0, 0), QPoint(29, 0), QPoint(0, 29), QPoint(29, 29) }) {
        const QColor ground = averageOf(image, corner.x(), corner.y(), 3);
        QVERIFY2(isAmber(ground), qPrintable(ground.name()));
    }
    QVERIFY2(greyShare(image) > 0.1, qPrintable(QString::number(greyShare(image))));
}

void PicturesTest::eachLargePictureIsTheSamePictureAtTwiceThePixels_data()
{
    QTest::addColumn<QByteArray>("design");
    QTest::addColumn<QByteArray>("large");
    for (int k = 0; k < kPhotos; ++k)
        QTest::addRow("photo %d", k) << toBytes(photoRecord(k)) << toBytes(largePhotoRecord(k));
    QTest::addRow("cover") << toBytes(coverRecord()) << toBytes(largeCoverRecord());
    QTest::addRow("main icon") << toBytes(mainIconRecord()) << toBytes(largeMainIconRecord());
    QTest::addRow("help icon") << toBytes(helpIconRecord()) << toBytes(largeHelpIconRecord());
}

void PicturesTest::eachLargePictureIsTheSamePictureAtTwiceThePixels()
{
    // The large picture decodes to exactly twice the design's pixels each way and, halved, shows
    // the same crop as the design's (a photo shifted by a few pixels, or another photo, does not).
    QFETCH(QByteArray, design);
    QFETCH(QByteArray, large);
    const QImage small = imageOf(decodePicture(readRecord(bytesOf(design)).file));
    const QImage big = imageOf(decodePicture(readRecord(bytesOf(large)).file));
    QVERIFY(!small.isNull());
    QCOMPARE(big.size(), small.size() * 2);
    const double same = meanHalvedDifference(small, big);
    QVERIFY2(same < 16.0, qPrintable(QString::number(same)));
    const QImage shifted = big.copy(QRect(QPoint(6, 6), big.size()));
    const double moved = meanHalvedDifference(small, shifted);
    QVERIFY2(moved > 1.5 * same, qPrintable(QStringLiteral("%1, %2").arg(moved).arg(same)));
}

void PicturesTest::theLargePicturesAreDecodedOnlyAboveARatioOfOneAndOnce()
{
    // At a ratio of 1 every picture, icons included, is the design's alone and nothing large is
    // decoded; above 1 the large one is decoded once and then shared by every copy.
    const PictureSet set = loadPictureSet();
    const dyadora::SharedPicture main = loadMainWindowIcon();
    for (const dyadora::SharedPicture& picture : { set.photos[5], set.cover, main }) {
        QCOMPARE(picture.forRatio(1.0).cacheKey(), picture.design().cacheKey());
        QCOMPARE(picture.icon(1.0).availableSizes(), QList<QSize> { picture.size() });
        QVERIFY(!picture.isLargeDecoded());
        const dyadora::SharedPicture copy = picture;
        const qint64 large = copy.forRatio(1.5).cacheKey();
        QVERIFY(picture.isLargeDecoded());
        QCOMPARE(picture.forRatio(2.0).size(), picture.size() * 2);
        QCOMPARE(picture.forRatio(3.0).cacheKey(), large);
        QCOMPARE(picture.icon(2.0).availableSizes(),
            (QList<QSize> { picture.size(), picture.size() * 2 }));
    }
    QVERIFY(!set.photos[6].isLargeDecoded());
}

void PicturesTest::decodeRecordRejectsEachBadRecordNamingPictureAndFault_data()
{
    QTest::addColumn<QByteArray>("record");
    QTest::addColumn<ImageFormat>("format");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QString>("fault");
    const QByteArray cover = toBytes(coverRecord());
    const QByteArray photo = toBytes(photoRecord(0));
    const QByteArray jpeg = photo.mid(8);
    const QSize card(120, 90);
    QTest::addRow("empty") << QByteArray() << ImageFormat::Bmp << card
                           << "shorter than its 8-byte header";
    QTest::addRow("seven bytes") << cover.left(7) << ImageFormat::Bmp << card
                                 << "shorter than its 8-byte header";
    QTest::addRow("wrong tag") << ("LT" + cover.mid(2)) << ImageFormat::Bmp << card
                               << "does not start with the tag";
    QTest::addRow("length one past the end")
        << recordStating(static_cast<std::uint32_t>(jpeg.size() + 1), jpeg) << ImageFormat::Jpeg
        << card << "runs past the record's end";
    QTest::addRow("one byte after the file")
        << (photo + '\0') << ImageFormat::Jpeg << card << "bytes follow the file";
    QTest::addRow("unknown first bytes") << recordOf("GIF89a\x01\0\x01\0") << ImageFormat::Jpeg
                                         << card << "neither JPEG, BMP nor ICO";
    QTest::addRow("one-byte file")
        << recordOf("\xff") << ImageFormat::Jpeg << card << "neither JPEG, BMP nor ICO";
    QTest::addRow("JPEG that does not decode")
        << recordOf(QByteArray("\xff\xd8") + QByteArray(200, '\x5a')) << ImageFormat::Jpeg << card
        << "the JPEG file does not decode";
    QTest::addRow("wrong size") << cover << ImageFormat::Bmp << QSize(64, 64)
                                << "the picture is 120 x 90 pixels, expected 64 x 64";
    QTest::addRow("wrong format") << cover << ImageFormat::Jpeg << card
                                  << "the file is BMP, expected JPEG";
}

void PicturesTest::decodeRecordRejectsEachBadRecordNamingPictureAndFault()
{
    // A bad built-in picture stops with a message that names the picture and its own fault.
    QFETCH(QByteArray, record);
    QFETCH(ImageFormat, format);
    QFETCH(QSize, size);
    QFETCH(QString, fault);
    QString message;
    try {
        decodeRecord(bytesOf(record), format, size, "broken picture");
    } catch (const PictureError& error) {
        message = QString::fromUtf8(error.what());
    }
    QVERIFY2(message.contains("'broken picture'"), qPrintable(message));
    QVERIFY2(message.contains(fault), qPrintable(message));
}

void PicturesTest::decodePictureGivesANullPictureForBytesThatDoNotDecode_data()
{
    QTest::addColumn<QByteArray>("file");
    const QByteArray jpeg = toBytes(photoRecord(0)).mid(8);
    QTest::addRow("nothing") << QByteArray();
    QTest::addRow("text") << QByteArray("not a picture at all");
    QTest::addRow("JPEG start and no more") << jpeg.left(2);
    QTest::addRow("BMP headers and no pixels") << toBytes(coverRecord()).mid(8, 54);
}

void PicturesTest::decodePictureGivesANullPictureForBytesThatDoNotDecode()
{
    // Bytes that are no complete picture give a null picture, not a broken or empty one.
    QFETCH(QByteArray, file);
    QVERIFY(decodePicture(bytesOf(file)).isNull());
}

void PicturesTest::thePictureSetHoldsEachPhotoAndTheCoverOnce()
{
    // The set holds 19 separate picture objects: each photo decoded from its own record, and the
    // cover.
    const PictureSet& set = pictureSet();
    QSet<qint64> keys;
    for (int k = 0; k < kPhotos; ++k) {
        const dyadora::SharedPicture& photo = set.photos[static_cast<std::size_t>(k)];
        QCOMPARE(photo.size(), QSize(120, 90));
        const QPixmap fromRecord = decodeOrFail(photoRecord(k), ImageFormat::Jpeg, QSize(120, 90));
        QCOMPARE(imageOf(photo), imageOf(fromRecord));
        keys.insert(photo.cacheKey());
    }
    QCOMPARE(set.cover.size(), QSize(120, 90));
    QCOMPARE(
        imageOf(set.cover), imageOf(decodeOrFail(coverRecord(), ImageFormat::Bmp, QSize(120, 90))));
    keys.insert(set.cover.cacheKey());
    QCOMPARE(keys.size(), kPhotos + 1);
}

void PicturesTest::twoHoldersOfAPhotoShareTheHeldPicture()
{
    // Both slots of a pair show the held photo object itself, not a copy of its pixels.
    const QPixmap& held = pictureSet().photos[3].design();
    QLabel first;
    QLabel second;
    first.setPixmap(held);
    second.setPixmap(held);
    QCOMPARE(first.pixmap().cacheKey(), held.cacheKey());
    QCOMPARE(second.pixmap().cacheKey(), held.cacheKey());
}

void PicturesTest::coveringOneHolderLeavesTheOtherShowingThePhoto()
{
    // Turning one card of a pair back to the cover leaves the other card showing the photo.
    const PictureSet& set = pictureSet();
    QLabel first;
    QLabel second;
    first.setPixmap(set.photos[7].design());
    second.setPixmap(set.photos[7].design());
    first.setPixmap(set.cover.design());
    QCOMPARE(first.pixmap().cacheKey(), set.cover.cacheKey());
    QCOMPARE(second.pixmap().cacheKey(), set.photos[7].cacheKey());
    QCOMPARE(imageOf(second.pixmap()), imageOf(set.photos[7]));
}

void PicturesTest::manyAssignmentsLeaveTheHeldPicturesUnchanged()
{
    // However often the slots are given photos and the cover, and drawn, the held pictures keep
    // their identity and their pixels.
    const PictureSet& set = pictureSet();
    std::vector<qint64> keys;
    std::vector<QImage> pixels;
    for (const dyadora::SharedPicture& photo : set.photos) {
        keys.push_back(photo.cacheKey());
        pixels.push_back(imageOf(photo));
    }
    keys.push_back(set.cover.cacheKey());
    pixels.push_back(imageOf(set.cover));

    std::array<std::unique_ptr<QLabel>, 24> cards;
    for (auto& card : cards)
        card = std::make_unique<QLabel>();
    std::uint32_t state = 12345;
    for (int step = 0; step < 2000; ++step) {
        state = state * 1103515245u + 12345u;
        QLabel& card = *cards[(state >> 8) % cards.size()];
        const std::size_t picture = (state >> 16) % (set.photos.size() + 1);
        card.setPixmap((picture < set.photos.size() ? set.photos[picture] : set.cover).design());
        QCOMPARE(card.pixmap().cacheKey(), keys[picture]);
        if (step % 250 == 0)
            QVERIFY(!card.grab().isNull());
    }

    for (std::size_t k = 0; k < set.photos.size(); ++k) {
        QCOMPARE(set.photos[k].cacheKey(), keys[k]);
        QCOMPARE(imageOf(set.photos[k]), pixels[k]);
    }
    QCOMPARE(set.cover.cacheKey(), keys.back());
    QCOMPARE(imageOf(set.cover), pixels.back());
}

QTEST_MAIN(PicturesTest)
#include "test_pictures.moc"
