#pragma once

#include <QBuffer>
#include <QByteArray>
#include <QColor>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QRandomGenerator>
#include <QString>
#include <QStringList>
#include <QtEndian>
#include <cmath>
#include <numbers>
#include <optional>

// Media files made on the spot for the media tests and benchmarks.
namespace MediaFixtures {

inline QImage filled(QSize size, QColor colour)
{
    QImage image(size, QImage::Format_ARGB32);
    image.fill(colour);
    return image;
}

inline bool gstreamerElementExists(const QString &name)
{
    QProcess inspect;
    inspect.start(QStringLiteral("gst-inspect-1.0"), { QStringLiteral("--exists"), name });
    return inspect.waitForFinished(30000) && inspect.exitStatus() == QProcess::NormalExit
        && inspect.exitCode() == 0;
}

// The first installed H.264 or MPEG-4 encoder that mp4mux accepts, with the elements that follow it.
inline std::optional<QStringList> mp4EncoderElements()
{
    if (gstreamerElementExists(QStringLiteral("x264enc")))
        return QStringList { QStringLiteral("x264enc"), QStringLiteral("!"), QStringLiteral("h264parse") };
    if (gstreamerElementExists(QStringLiteral("openh264enc")))
        return QStringList { QStringLiteral("openh264enc"), QStringLiteral("!"),
            QStringLiteral("h264parse") };
    if (gstreamerElementExists(QStringLiteral("avenc_mpeg4")))
        return QStringList { QStringLiteral("avenc_mpeg4") };
    return std::nullopt;
}

// Writes an MP4 of SMPTE colour bars (light grey on the left, blue on the right of the top two thirds).
// An empty result means success; otherwise it says why no video could be made.
inline QString writeMp4(const QString &path, int width, int height, int frames)
{
    const std::optional<QStringList> encoder = mp4EncoderElements();
    if (!encoder)
        return QStringLiteral("no H.264 or MPEG-4 encoder among the installed GStreamer plugins");
    QStringList arguments { QStringLiteral("-q"), QStringLiteral("videotestsrc"),
        QStringLiteral("num-buffers=%1").arg(frames), QStringLiteral("pattern=smpte"), QStringLiteral("!"),
        QStringLiteral("video/x-raw,width=%1,height=%2,framerate=30/1").arg(width).arg(height),
        QStringLiteral("!"), QStringLiteral("videoconvert"), QStringLiteral("!") };
    arguments += *encoder;
    arguments += { QStringLiteral("!"), QStringLiteral("mp4mux"), QStringLiteral("!"),
        QStringLiteral("filesink"), QStringLiteral("location=") + path };
    QProcess launch;
    launch.start(QStringLiteral("gst-launch-1.0"), arguments);
    if (!launch.waitForFinished(120000) || launch.exitStatus() != QProcess::NormalExit
        || launch.exitCode() != 0)
        return QStringLiteral("gst-launch-1.0 failed: ")
            + QString::fromLocal8Bit(launch.readAllStandardError());
    return QFile::exists(path) ? QString() : QStringLiteral("gst-launch-1.0 wrote no file");
}

// Sets the display matrix of the first track of an MP4 to a clockwise turn of 90 degrees, the way phones
// mark recordings made upright.
inline bool markMp4RotatedClockwise(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadWrite))
        return false;
    QByteArray bytes = file.readAll();
    const qsizetype box = bytes.indexOf(QByteArrayLiteral("tkhd"));
    if (box < 0)
        return false;
    const bool wideTimes = bytes.at(box + 4) == 1;
    const qsizetype matrix = box + 4 + 4 + (wideTimes ? 32 : 20) + 8 + 8;
    // 16.16 fixed point a, b, u, c, d, v and 2.30 x, y, w: (0 1 0 / -1 0 0 / 0 0 1).
    const quint32 values[9] = { 0, 0x00010000, 0, 0xFFFF0000, 0, 0, 0, 0, 0x40000000 };
    for (int i = 0; i < 9; ++i) {
        for (int b = 0; b < 4; ++b)
            bytes[matrix + i * 4 + b] = char((values[i] >> (24 - 8 * b)) & 0xFF);
    }
    return file.seek(0) && file.write(bytes) == bytes.size();
}

// A JPEG of `image` carrying an EXIF orientation tag (1 to 8).
inline QByteArray jpegWithOrientation(const QImage &image, quint16 orientation)
{
    QByteArray jpeg;
    {
        QBuffer buffer(&jpeg);
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, "JPEG", 90);
    }
    // APP1 "Exif": a big-endian TIFF header and one IFD holding only the orientation (tag 0x0112, SHORT).
    const QByteArray exif = QByteArrayLiteral("\xFF\xE1\x00\x22"
                                              "Exif\x00\x00"
                                              "MM\x00\x2A\x00\x00\x00\x08"
                                              "\x00\x01"
                                              "\x01\x12\x00\x03\x00\x00\x00\x01")
        + QByteArray(1, char(orientation >> 8)) + QByteArray(1, char(orientation & 0xFF))
        + QByteArrayLiteral("\x00\x00"
                            "\x00\x00\x00\x00");
    return jpeg.left(2) + exif + jpeg.mid(2);
}

// Bytes that no decoder recognises, the same on every run.
inline QByteArray noiseBytes(int size)
{
    QRandomGenerator generator(20240305);
    QByteArray bytes(size, Qt::Uninitialized);
    for (char &byte : bytes)
        byte = char(generator.bounded(256));
    return bytes;
}

// A mono 16-bit PCM RIFF/WAVE file holding a quiet 440 Hz tone at 22050 samples a second.
inline QByteArray toneWave(double seconds)
{
    constexpr quint32 sampleRate = 22050;
    const auto appendLittleEndian = [](QByteArray &bytes, auto value) {
        const auto stored = qToLittleEndian(value);
        bytes.append(reinterpret_cast<const char *>(&stored), sizeof stored);
    };
    const auto sampleCount = static_cast<quint32>(sampleRate * seconds);
    const quint32 dataBytes = sampleCount * 2;
    QByteArray bytes;
    bytes.append("RIFF");
    appendLittleEndian(bytes, quint32(36 + dataBytes));
    bytes.append("WAVE");
    bytes.append("fmt ");
    appendLittleEndian(bytes, quint32(16));
    appendLittleEndian(bytes, quint16(1)); // PCM
    appendLittleEndian(bytes, quint16(1)); // channels
    appendLittleEndian(bytes, sampleRate);
    appendLittleEndian(bytes, quint32(sampleRate * 2)); // bytes per second
    appendLittleEndian(bytes, quint16(2)); // bytes per frame
    appendLittleEndian(bytes, quint16(16)); // bits per sample
    bytes.append("data");
    appendLittleEndian(bytes, dataBytes);
    for (quint32 i = 0; i < sampleCount; ++i) {
        const double phase = 2 * std::numbers::pi * 440 * i / sampleRate;
        appendLittleEndian(
            bytes, static_cast<quint16>(static_cast<qint16>(std::lround(3000 * std::sin(phase)))));
    }
    return bytes;
}

// A picture of one colour as the bytes of a PNG file.
inline QByteArray pngBytes(int width = 200, int height = 100)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::darkCyan);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

} // namespace MediaFixtures
