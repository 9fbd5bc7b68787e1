// SPDX-License-Identifier: GPL-3.0-or-later
// The picture record reader, and the built-in records checked byte by byte.
#include "assets/builtin_records.h"
#include "assets/picture_record.h"
#include "game/table.h"
#include "record_bytes.h"

#include <QFile>
#include <QSet>
#include <QString>
#include <QtTest>

#include <climits>
#include <cstdint>
#include <span>

using dyadora::kPhotos;
using namespace dyadora::assets;
using namespace dyadora::testing;

Q_DECLARE_METATYPE(dyadora::assets::RecordError)
Q_DECLARE_METATYPE(dyadora::assets::ImageFormat)

namespace {

// The built-in pictures by number: photos 0 to 17, then the cover and the two icons.
constexpr int kCover = kPhotos;
constexpr int kMainIcon = kPhotos + 1;
constexpr int kHelpIcon = kPhotos + 2;
constexpr int kBuiltIns = kPhotos + 3;

// The committed file that each built-in picture is packed from, in the same order.
const char* const kFiles[kBuiltIns] = { "photos/cat.jpg", "photos/astronaut.jpg", "photos/dogs.jpg",
    "photos/ladybird.jpg", "photos/coffee.jpg", "photos/fig.jpg", "photos/brushes.jpg",
    "photos/cups.jpg", "photos/rocket.jpg", "photos/kite.jpg", "photos/yellowflower.jpg",
    "photos/dandelion.jpg", "photos/boats.jpg", "photos/forest.jpg", "photos/mountains.jpg",
    "photos/dune.jpg", "photos/waterdrop.jpg", "photos/galaxies.jpg", "cover.bmp", "main-icon.ico",
    "help-icon.ico" };

std::span<const unsigned char> builtIn(int picture)
{
    switch (picture) {
    case kCover:
        return coverRecord();
    case kMainIcon:
        return mainIconRecord();
    case kHelpIcon:
        return helpIconRecord();
    default:
        return photoRecord(picture);
    }
}

std::uint32_t readLe(std::span<const unsigned char> bytes, std::size_t at, int count)
{
    std::uint32_t value = 0;
    for (int i = count - 1; i >= 0; --i)
        value = value << 8 | bytes[at + static_cast<std::size_t>(i)];
    return value;
}

std::int32_t readSigned32(std::span<const unsigned char> bytes, std::size_t at)
{
    return static_cast<std::int32_t>(readLe(bytes, at, 4));
}

// Bytes in one stored row of a BMP or ICO picture: rows are padded to whole 32-bit words.
std::size_t rowBytes(std::size_t width, std::size_t bitsPerPixel)
{
    return (width * bitsPerPixel + 31) / 32 * 4;
}

std::span<const unsigned char> fileOf(std::span<const unsigned char> record)
{
    const RecordResult result = readRecord(record);
    return result.error == RecordError::None ? result.file : std::span<const unsigned char> {};
}

} // namespace

class RecordsTest : public QObject {
    Q_OBJECT

private slots:
    void everyBuiltInRecordHoldsOneFileOfItsFormat_data();
    void everyBuiltInRecordHoldsOneFileOfItsFormat();
    void everyBuiltInRecordHoldsItsCommittedFileByteForByte_data();
    void everyBuiltInRecordHoldsItsCommittedFileByteForByte();
    void theEighteenPhotoFilesAreDistinct();
    void photoRecordsOutsideTheSetAreEmpty_data();
    void photoRecordsOutsideTheSetAreEmpty();
    void theCoverIsAnUncompressed24BitBottomUpBmpOf120By90();
    void eachIconHoldsOneOpaque24BitImageOfItsSize_data();
    void eachIconHoldsOneOpaque24BitImageOfItsSize();
    void readRecordReportsEachFaultOfItsOwn_data();
    void readRecordReportsEachFaultOfItsOwn();
    void readRecordTellsTheFormatFromTheFileFirstBytes_data();
    void readRecordTellsTheFormatFromTheFileFirstBytes();
    void everyFaultHasADescriptionOfItsOwn();
    void photoDescriptionsAreDistinctGreekPhrases();
};

void RecordsTest::everyBuiltInRecordHoldsOneFileOfItsFormat_data()
{
    QTest::addColumn<int>("picture");
    QTest::addColumn<ImageFormat>("format");
    for (int k = 0; k < kPhotos; ++k)
        QTest::addRow("%s", kFiles[k]) << k << ImageFormat::Jpeg;
    QTest::addRow("cover") << kCover << ImageFormat::Bmp;
    QTest::addRow("main icon") << kMainIcon << ImageFormat::Ico;
    QTest::addRow("help icon") << kHelpIcon << ImageFormat::Ico;
}

void RecordsTest::everyBuiltInRecordHoldsOneFileOfItsFormat()
{
    // Each built-in record is well framed: tag, little-endian length, the file and nothing more.
    QFETCH(int, picture);
    QFETCH(ImageFormat, format);
    const std::span<const unsigned char> record = builtIn(picture);
    const RecordResult result = readRecord(record);
    QCOMPARE(result.error, RecordError::None);
    QCOMPARE(result.format, format);
    QCOMPARE(result.file.data(), record.data() + kRecordHeaderSize);
    QCOMPARE(result.file.size() + kRecordHeaderSize, record.size());
    QCOMPARE(readLe(record, 4, 4), result.file.size());
}

void RecordsTest::everyBuiltInRecordHoldsItsCommittedFileByteForByte_data()
{
    QTest::addColumn<int>("picture");
    for (int picture = 0; picture < kBuiltIns; ++picture)
        QTest::addRow("%s", kFiles[picture]) << picture;
}

void RecordsTest::everyBuiltInRecordHoldsItsCommittedFileByteForByte()
{
    // The build packs each committed picture file into the record of its number, unaltered.
    QFETCH(int, picture);
    QFile file(QStringLiteral(DYADORA_ASSETS_DIR "/") + QString::fromLatin1(kFiles[picture]));
    QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(file.fileName()));
    QCOMPARE(toBytes(fileOf(builtIn(picture))), file.readAll());
}

void RecordsTest::theEighteenPhotoFilesAreDistinct()
{
    // No photo is packed twice, so every pair in a deal shows a picture of its own.
    QSet<QByteArray> files;
    for (int k = 0; k < kPhotos; ++k)
        files.insert(toBytes(fileOf(photoRecord(k))));
    QCOMPARE(files.size(), kPhotos);
    QVERIFY(!files.contains(QByteArray()));
}

void RecordsTest::photoRecordsOutsideTheSetAreEmpty_data()
{
    QTest::addColumn<int>("k");
    QTest::addRow("minus one") << -1;
    QTest::addRow("eighteen") << kPhotos;
    QTest::addRow("smallest int") << INT_MIN;
    QTest::addRow("largest int") << INT_MAX;
}

void RecordsTest::photoRecordsOutsideTheSetAreEmpty()
{
    // A photo number outside 0 to 17 gives no record and no description rather than stray bytes.
    QFETCH(int, k);
    QVERIFY(photoRecord(k).empty());
    QVERIFY(photoDescription(k).empty());
}

void RecordsTest::theCoverIsAnUncompressed24BitBottomUpBmpOf120By90()
{
    // The cover file has the BMP headers of an uncompressed 24-bit picture stored bottom-up.
    const std::span<const unsigned char> bmp = fileOf(coverRecord());
    QVERIFY(bmp.size() >= 54);
    QCOMPARE(bmp[0], 'B');
    QCOMPARE(bmp[1], 'M');
    QCOMPARE(readLe(bmp, 2, 4), bmp.size()); // file size
    QCOMPARE(readLe(bmp, 10, 4), 54u); // pixels follow the two headers
    QCOMPARE(readLe(bmp, 14, 4), 40u); // BITMAPINFOHEADER
    QCOMPARE(readSigned32(bmp, 18), 120); // width
    QCOMPARE(readSigned32(bmp, 22), 90); // positive height: rows bottom-up
    QCOMPARE(readLe(bmp, 26, 2), 1u); // planes
    QCOMPARE(readLe(bmp, 28, 2), 24u); // bits per pixel
    QCOMPARE(readLe(bmp, 30, 4), 0u); // BI_RGB
    QCOMPARE(bmp.size(), 54 + rowBytes(120, 24) * 90);
}

void RecordsTest::eachIconHoldsOneOpaque24BitImageOfItsSize_data()
{
    QTest::addColumn<int>("picture");
    QTest::addColumn<int>("size");
    QTest::addRow("main icon") << kMainIcon << 64;
    QTest::addRow("help icon") << kHelpIcon << 32;
}

void RecordsTest::eachIconHoldsOneOpaque24BitImageOfItsSize()
{
    // Each icon file holds exactly one 24-bit image of its size, with an all-clear mask.
    QFETCH(int, picture);
    QFETCH(int, size);
    const std::span<const unsigned char> ico = fileOf(builtIn(picture));
    QVERIFY(ico.size() >= 22 + 40);
    QCOMPARE(readLe(ico, 0, 2), 0u); // reserved
    QCOMPARE(readLe(ico, 2, 2), 1u); // an icon
    QCOMPARE(readLe(ico, 4, 2), 1u); // one image
    QCOMPARE(static_cast<int>(ico[6]), size); // directory entry: width
    QCOMPARE(static_cast<int>(ico[7]), size); // height
    QCOMPARE(readLe(ico, 12, 2), 24u); // bits per pixel
    const std::uint32_t bytes = readLe(ico, 14, 4);
    const std::uint32_t offset = readLe(ico, 18, 4);
    QCOMPARE(static_cast<std::size_t>(offset) + bytes, ico.size());
    QVERIFY(offset + 40u <= ico.size());

    QCOMPARE(readLe(ico, offset, 4), 40u); // BITMAPINFOHEADER
    QCOMPARE(readSigned32(ico, offset + 4), size);
    QCOMPARE(readSigned32(ico, offset + 8), 2 * size); // colour rows and mask rows
    QCOMPARE(readLe(ico, offset + 14, 2), 24u);
    QCOMPARE(readLe(ico, offset + 16, 4), 0u); // BI_RGB
    const std::size_t colours =
        rowBytes(static_cast<std::size_t>(size), 24) * static_cast<std::size_t>(size);
    const std::size_t mask =
        rowBytes(static_cast<std::size_t>(size), 1) * static_cast<std::size_t>(size);
    QCOMPARE(static_cast<std::size_t>(bytes), 40 + colours + mask);
    for (const unsigned char byte : ico.last(mask))
        QCOMPARE(byte, 0u); // every pixel opaque
}

void RecordsTest::readRecordReportsEachFaultOfItsOwn_data()
{
    QTest::addColumn<QByteArray>("record");
    QTest::addColumn<RecordError>("error");
    const QByteArray jpeg("\xff\xd8\xff\xd9", 4);
    QTest::addRow("empty") << QByteArray() << RecordError::TooShort;
    QTest::addRow("seven bytes") << recordOf(jpeg).left(7) << RecordError::TooShort;
    QTest::addRow("wrong tag") << ("Lt" + recordOf(jpeg).mid(2)) << RecordError::WrongTag;
    QTest::addRow("tag of the wrong length")
        << (QByteArray("lt\0", 3) + littleEndian32(4) + jpeg + 'x') << RecordError::WrongTag;
    QTest::addRow("length one past the end")
        << recordStating(5, jpeg) << RecordError::LengthBeyondRecord;
    QTest::addRow("length at the 32-bit limit")
        << recordStating(0xffffffffu, jpeg) << RecordError::LengthBeyondRecord;
    QTest::addRow("length written big-endian")
        << (QByteArray("lt\0\0\0\0\0\x04", 8) + jpeg) << RecordError::LengthBeyondRecord;
    QTest::addRow("one byte after the file")
        << recordStating(4, jpeg + '\0') << RecordError::BytesAfterFile;
    QTest::addRow("header only, stating an empty file")
        << recordStating(0, QByteArray()) << RecordError::UnknownFormat;
    QTest::addRow("unknown first bytes") << recordOf("GIF89a") << RecordError::UnknownFormat;
    QTest::addRow("one-byte file") << recordOf("\xff") << RecordError::UnknownFormat;
    QTest::addRow("ICO start cut short")
        << recordOf(QByteArray("\0\0\x01", 3)) << RecordError::UnknownFormat;
    QTest::addRow("cursor file") << recordOf(QByteArray("\0\0\x02\0", 4))
                                 << RecordError::UnknownFormat;
    QTest::addRow("JPEG start reversed") << recordOf("\xd8\xff") << RecordError::UnknownFormat;
}

void RecordsTest::readRecordReportsEachFaultOfItsOwn()
{
    // Each way a record can be wrong is told apart, and no file comes back from broken framing.
    QFETCH(QByteArray, record);
    QFETCH(RecordError, error);
    const RecordResult result = readRecord(bytesOf(record));
    QCOMPARE(result.error, error);
    if (error == RecordError::UnknownFormat) {
        QCOMPARE(result.file.data(), bytesOf(record).data() + kRecordHeaderSize);
        QCOMPARE(result.file.size() + kRecordHeaderSize, bytesOf(record).size());
    } else {
        QVERIFY(result.file.empty());
    }
}

void RecordsTest::readRecordTellsTheFormatFromTheFileFirstBytes_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<ImageFormat>("format");
    QTest::addRow("JPEG") << QByteArray("\xff\xd8\xff\xe0", 4) << ImageFormat::Jpeg;
    QTest::addRow("JPEG signature alone") << QByteArray("\xff\xd8", 2) << ImageFormat::Jpeg;
    QTest::addRow("BMP") << QByteArray("BM\x36\0\0\0", 6) << ImageFormat::Bmp;
    QTest::addRow("BMP signature alone") << QByteArray("BM") << ImageFormat::Bmp;
    QTest::addRow("ICO") << QByteArray("\0\0\x01\0\x01\0", 6) << ImageFormat::Ico;
    QTest::addRow("ICO signature alone") << QByteArray("\0\0\x01\0", 4) << ImageFormat::Ico;
    QTest::addRow("file of 258 bytes, length over two bytes")
        << (QByteArray("BM") + QByteArray(256, 'x')) << ImageFormat::Bmp;
}

void RecordsTest::readRecordTellsTheFormatFromTheFileFirstBytes()
{
    // The file's own first bytes name its format, and the file comes back whole.
    QFETCH(QByteArray, file);
    QFETCH(ImageFormat, format);
    const QByteArray record = recordOf(file);
    const RecordResult result = readRecord(bytesOf(record));
    QCOMPARE(result.error, RecordError::None);
    QCOMPARE(result.format, format);
    QCOMPARE(toBytes(result.file), file);
}

void RecordsTest::everyFaultHasADescriptionOfItsOwn()
{
    // A diagnostic can always say which fault it was: no two faults share a description.
    const RecordError errors[] = { RecordError::None, RecordError::TooShort, RecordError::WrongTag,
        RecordError::LengthBeyondRecord, RecordError::BytesAfterFile, RecordError::UnknownFormat };
    QSet<QString> descriptions;
    for (const RecordError error : errors) {
        const std::string_view text = describe(error);
        QVERIFY(!text.empty());
        descriptions.insert(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
    }
    QCOMPARE(descriptions.size(), static_cast<qsizetype>(std::size(errors)));
}

void RecordsTest::photoDescriptionsAreDistinctGreekPhrases()
{
    // Screen readers get a Greek phrase for each photo, and no two photos sound alike.
    QSet<QString> descriptions;
    for (int k = 0; k < kPhotos; ++k) {
        const std::string_view utf8 = photoDescription(k);
        const QString text = QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
        QVERIFY2(!text.trimmed().isEmpty(), qPrintable(QString::number(k)));
        QCOMPARE(text.toUtf8(), QByteArray(utf8.data(), static_cast<qsizetype>(utf8.size())));
        for (const QChar c : text)
            QVERIFY2(
                c == u' ' || (c.isLetter() && c.script() == QChar::Script_Greek), qPrintable(text));
        descriptions.insert(text);
    }
    QCOMPARE(descriptions.size(), kPhotos);
}

QTEST_GUILESS_MAIN(RecordsTest)
#include "test_records.moc"
