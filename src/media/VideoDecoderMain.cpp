// The decoder process of a video background (VideoDecoderProcess starts it): it plays one file in a loop
// and puts each frame, ready to draw, into the memory the program shares with it as descriptor 3.
//
// usage: quorvane-video-decoder FILE WIDTH HEIGHT MUTED FROM_MILLISECONDS
// It reads commands from its standard input, a line each: "size WIDTH HEIGHT", "mute 1" or "mute 0", and
// "shade UNIFORM STOP..." (how each frame is darkened, see FrameShade); at the input's end it exits at once.
// It writes a line per frame, "frame SLOT", and "error TEXT" before it exits on a failure.

#include "media/FrameShade.h"
#include "media/LoopingVideoPipeline.h"
#include "media/SharedVideoFrames.h"

#include <QCoreApplication>
#include <QSocketNotifier>
#include <cstdlib>
#include <unistd.h>

namespace {

void say(QByteArray line)
{
    line.append('\n');
    for (qsizetype written = 0; written < line.size();) {
        const ssize_t done = write(STDOUT_FILENO, line.constData() + written, size_t(line.size() - written));
        // Without the program there is nobody to decode for.
        if (done <= 0)
            std::_Exit(0);
        written += done;
    }
}

[[noreturn]] void fail(const QString &why)
{
    say("error " + why.toUtf8().replace('\n', ' '));
    // GStreamer's shutdown can wait on its own threads; the process ending frees everything anyway.
    std::_Exit(1);
}

// The darkening of every frame, as the program last asked for it, and its factors by line for the frame
// height they were last worked out for.
struct Shading
{
    FrameShade shade;
    std::vector<std::uint16_t> lineFactors;

    std::span<const std::uint16_t> factorsFor(int height)
    {
        if (lineFactors.size() != std::size_t(height))
            lineFactors = shade.lineFactors(height);
        return lineFactors;
    }
};

void obey(const QByteArray &command, LoopingVideoPipeline &pipeline, Shading &shading)
{
    if (command.startsWith("shade ")) {
        if (const std::optional<FrameShade> shade = FrameShade::fromCommand(command.mid(6)))
            shading = { *shade, {} };
        return;
    }
    const QList<QByteArray> words = command.simplified().split(' ');
    if (words.size() == 3 && words[0] == "size") {
        const QSize size(words[1].toInt(), words[2].toInt());
        if (!size.isEmpty())
            pipeline.setFrameSize(size);
    } else if (words.size() == 2 && words[0] == "mute") {
        pipeline.setMuted(words[1] != "0");
    }
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication application(argc, argv);
    const QStringList arguments = application.arguments();
    const QSize size = arguments.size() == 6 ? QSize(arguments[2].toInt(), arguments[3].toInt()) : QSize();
    if (size.isEmpty())
        fail(QStringLiteral("usage: quorvane-video-decoder FILE WIDTH HEIGHT MUTED FROM_MILLISECONDS"));
    Result<std::shared_ptr<SharedVideoFrames>> shared = SharedVideoFrames::attach(3);
    if (!shared)
        fail(shared.error());
    const std::shared_ptr<SharedVideoFrames> frames = std::move(shared).value();

    LoopingVideoPipeline pipeline;
    pipeline.writeFramesInto(frames);
    Shading shading;
    QObject::connect(&pipeline, &LoopingVideoPipeline::failed, &fail);
    // A frame comes only when the program has given a slot back; one it is late for is skipped.
    QObject::connect(&pipeline, &LoopingVideoPipeline::frameReady, [&pipeline, &frames, &shading] {
        if (const std::optional<QImage> frame = pipeline.frames()->takeNew()) {
            const int slot = frames->put(*frame, pipeline.position(), shading.factorsFor(frame->height()));
            if (slot >= 0)
                say("frame " + QByteArray::number(slot));
        }
    });
    pipeline.play(arguments[1], size, arguments[4] != QLatin1String("0"), arguments[5].toLongLong());

    QByteArray pending;
    QSocketNotifier commands(STDIN_FILENO, QSocketNotifier::Read);
    QObject::connect(&commands, &QSocketNotifier::activated, [&pending, &pipeline, &shading] {
        char chunk[256];
        const ssize_t read = ::read(STDIN_FILENO, chunk, sizeof chunk);
        if (read <= 0)
            std::_Exit(0);
        pending.append(chunk, read);
        for (qsizetype end = pending.indexOf('\n'); end >= 0; end = pending.indexOf('\n')) {
            obey(pending.left(end), pipeline, shading);
            pending.remove(0, end + 1);
        }
    });
    return application.exec();
}
