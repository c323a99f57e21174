#include "ui/now-playing/NowPlayingPresentation.h"

#include "core/StringTable.h"
#include "core/Tones.h"

#include <algorithm>
#include <cmath>

namespace {

QString statusTextOf(const NowPlayingInfo &info, AppLanguage language)
{
    const bool focus = info.kind == AudioPlaylistKind::focus;
    if (info.isPaused)
        return focus ? localized(language, u"专注声场 · 已暂停"_qs, u"FOCUS · PAUSED"_qs)
                     : localized(language, u"休整声场 · 已暂停"_qs, u"BREAK · PAUSED"_qs);
    return focus ? localized(language, u"专注声场 · 正在播放"_qs, u"FOCUS · PLAYING"_qs)
                 : localized(language, u"休整声场 · 正在播放"_qs, u"BREAK · PLAYING"_qs);
}

QString modeName(AudioPlaybackMode mode, AppLanguage language)
{
    return mode == AudioPlaybackMode::shuffle ? localized(language, u"随机循环"_qs, u"Shuffle"_qs)
                                              : localized(language, u"顺序循环"_qs, u"In Order"_qs);
}

QString spokenSummary(const NowPlayingInfo &info, AppLanguage language)
{
    const bool focus = info.kind == AudioPlaylistKind::focus;
    const QString music = info.isPaused
        ? (focus ? localized(language, u"专注音乐已暂停"_qs, u"Focus music paused"_qs)
                 : localized(language, u"提醒音乐已暂停"_qs, u"Break music paused"_qs))
        : (focus ? localized(language, u"专注音乐正在播放"_qs, u"Focus music playing"_qs)
                 : localized(language, u"提醒音乐正在播放"_qs, u"Break music playing"_qs));
    // One pass, so that a title holding "%2" stays as it is.
    return localized(language, u"%1，%2，第 %3 首，共 %4 首"_qs, u"%1: %2, track %3 of %4"_qs)
        .arg(music, info.title, QString::number(info.trackIndex + 1), QString::number(info.trackCount));
}

// Previous and next: they only act on a list of two or more tracks.
NowPlayingButton skipButton(const NowPlayingInfo &info, bool forward, AppLanguage language)
{
    NowPlayingButton button;
    button.symbol = forward ? u"forward.end.fill"_qs : u"backward.end.fill"_qs;
    button.enabled = info.trackCount >= 2;
    button.symbolColor = Tones::white(info.trackCount > 1 ? Tones::textParagraph() : Tones::textDisabled());
    button.fill = Tones::white(Tones::outlineFaint());
    button.stroke = Tones::white(Tones::separator());
    button.label = forward ? localized(language, u"下一首"_qs, u"Next Track"_qs)
                           : localized(language, u"上一首"_qs, u"Previous Track"_qs);
    button.tooltipTitle = button.label;
    button.tooltipDetail = forward ? localized(language, u"立即切换到播放列表中的下一支音乐"_qs,
                               u"Skip to another track in this playlist"_qs)
                                   : localized(language, u"回到播放历史中的上一支音乐"_qs,
                                       u"Return to the previous track in your playback history"_qs);
    return button;
}

NowPlayingButton playPauseButton(const NowPlayingInfo &info, const QColor &accent, AppLanguage language)
{
    NowPlayingButton button;
    if (info.isPaused) {
        button.symbol = u"play.fill"_qs;
        button.symbolColor = accent;
        button.fill = Tones::white(Tones::controlOutline());
        button.stroke = Tones::white(Tones::highlight());
        button.tooltipTitle = localized(language, u"继续播放"_qs, u"Resume Playback"_qs);
        button.tooltipDetail = localized(
            language, u"从当前位置继续当前音乐"_qs, u"Continue the current track from this position"_qs);
    } else {
        button.symbol = u"pause.fill"_qs;
        button.symbolColor = Tones::white(Tones::textParagraph());
        button.fill = Tones::white(Tones::outlineFaint());
        button.stroke = Tones::white(Tones::separator());
        button.tooltipTitle = localized(language, u"暂停音乐"_qs, u"Pause Music"_qs);
        button.tooltipDetail = localized(
            language, u"只暂停音乐，专注计时继续运行"_qs, u"Pause only the music; focus timing continues"_qs);
    }
    button.label = localized(language, u"暂停音乐"_qs, u"Pause Music"_qs);
    button.checkable = true;
    button.checked = info.isPaused;
    return button;
}

NowPlayingButton modeButton(const NowPlayingInfo &info, const QColor &accent, AppLanguage language)
{
    const bool shuffle = info.playbackMode == AudioPlaybackMode::shuffle;
    NowPlayingButton button;
    button.symbol = shuffle ? u"shuffle"_qs : u"repeat"_qs;
    button.label = modeName(AudioPlaybackMode::shuffle, language);
    button.checkable = true;
    button.checked = shuffle;
    button.tooltipTitle = modeName(info.playbackMode, language);
    if (info.isRepeatingCurrentTrack) {
        button.symbolColor = Tones::white(Tones::placeholder());
        button.fill = Tones::white(Tones::surfaceCard());
        button.stroke = Tones::white(Tones::outlineFaint());
        button.value = localized(language, u"单曲循环期间暂停"_qs, u"Inactive during Repeat One"_qs);
        button.tooltipDetail = localized(language, u"点击退出单曲循环并切换列表播放模式"_qs,
            u"Exit Repeat One and switch the playlist mode"_qs);
    } else {
        button.symbolColor = Tones::tinted(accent, Tones::accentStrong());
        button.fill = Tones::white(Tones::separator());
        button.stroke = Tones::tinted(accent, Tones::accentOutline());
        button.tooltipDetail = shuffle
            ? localized(language, u"点击切换为顺序循环"_qs, u"Switch to in-order playback"_qs)
            : localized(language, u"点击切换为随机循环"_qs, u"Switch to shuffle playback"_qs);
    }
    return button;
}

NowPlayingButton repeatOneButton(const NowPlayingInfo &info, const QColor &accent, AppLanguage language)
{
    NowPlayingButton button;
    button.symbol = u"repeat.1"_qs;
    button.label = localized(language, u"单曲循环"_qs, u"Repeat One"_qs);
    button.checkable = true;
    button.checked = info.isRepeatingCurrentTrack;
    if (info.isRepeatingCurrentTrack) {
        button.symbolColor = accent;
        button.fill = Tones::tinted(accent, Tones::accentGlow());
        button.stroke = Tones::tinted(accent, Tones::accentLine());
        button.tooltipTitle = localized(language, u"关闭单曲循环"_qs, u"Turn Off Repeat One"_qs);
        button.tooltipDetail
            = localized(language, u"恢复前面的列表播放模式"_qs, u"Restore the playlist mode"_qs);
    } else {
        button.symbolColor = Tones::white(Tones::textSecondary());
        button.fill = Tones::white(Tones::outlineFaint());
        button.stroke = Tones::white(Tones::separator());
        button.tooltipTitle = button.label;
        button.tooltipDetail = localized(language, u"重复当前音乐，并暂时弹起前面的列表模式"_qs,
            u"Repeat this track and temporarily deactivate the playlist mode"_qs);
    }
    return button;
}

// A fraction for the player: a non-finite one is sent as 0.
double finiteOrZero(double value)
{
    return std::isfinite(value) ? value : 0;
}

} // namespace

QString NowPlayingPresentation::format(double seconds)
{
    if (!std::isfinite(seconds) || seconds < 0)
        return u"0:00"_qs;
    // Beyond this the whole seconds no longer fit; such a time is never published.
    const double whole = std::floor(std::min(seconds, 9.0e15));
    const auto total = qint64(whole);
    return QString::asprintf("%lld:%02lld", total / 60, total % 60);
}

double NowPlayingPresentation::seekFraction(double x, double barWidth)
{
    const double fraction = x / barWidth;
    return std::isfinite(fraction) ? std::clamp(fraction, 0.0, 1.0) : 0.0;
}

NowPlayingPresentation NowPlayingPresentation::make(const State &state)
{
    const NowPlayingInfo &info = state.info;
    const AppLanguage language = state.language;
    const double duration = info.durationSeconds;
    const bool durationKnown = std::isfinite(duration) && duration > 0;

    NowPlayingPresentation p;
    p.statusText = statusTextOf(info, language);
    p.title = info.title;
    const QString number = QString::number(info.trackIndex + 1);
    const QString count = QString::number(info.trackCount);
    p.positionText = localized(language, u"第 %1 / %2 首"_qs, u"%1 / %2"_qs).arg(number, count);
    p.separator = StringTable::text(u"·"_qs, language);
    p.modeWord = info.isRepeatingCurrentTrack ? localized(language, u"单曲循环"_qs, u"Repeat One"_qs)
                                              : modeName(info.playbackMode, language);
    p.fileExtension = info.fileExtension;
    p.showsExtension = !info.fileExtension.isEmpty();

    p.elapsedProgress = durationKnown ? std::clamp(info.elapsedSeconds / duration, 0.0, 1.0) : 0.0;
    p.displayedProgress = state.isSeeking ? state.seekPreviewProgress : p.elapsedProgress;
    const double shown = state.isSeeking ? duration * state.seekPreviewProgress : info.elapsedSeconds;
    p.timeLabel = format(shown);
    if (duration > 0)
        p.timeLabel += u" / "_qs + format(duration);

    const double bar = std::max(state.barWidth, 0.0);
    p.fillWidth = std::max(p.displayedProgress * bar, 3.0);
    p.knobOffset = std::min(std::max(p.fillWidth - 4.5, 0.0), std::max(bar - 9, 0.0));
    const bool active = state.isSeeking || state.progressIsHovered;
    p.seekBarHeight = active ? 4 : 3;
    p.seekTrackColor = Tones::white(active ? Tones::outlineStrong() : Tones::separator());
    p.showsSeekKnob = active;

    const double volume = state.volume;
    p.volumeSymbol = volume <= 0.001 ? u"speaker.slash.fill"_qs
        : volume < 0.5               ? u"speaker.wave.1.fill"_qs
                                     : u"speaker.wave.2.fill"_qs;
    p.volumeSymbolColor = volume <= 0.001 ? Tones::white(Tones::textTertiary())
                                          : Tones::tinted(state.accent, Tones::accentStrong());
    p.volumeText
        = StringTable::text(u"%lld%"_qs, language)
              .replace(u"%lld"_qs,
                  QString::number(qint64(std::llround(std::clamp(finiteOrZero(volume), 0.0, 1.0) * 100))));
    p.volumeLabel = localized(language, u"音乐音量"_qs, u"Music Volume"_qs);
    p.progressLabel = StringTable::text(u"播放进度"_qs, language);
    p.summary = spokenSummary(info, language);

    p.lengthSeconds = durationKnown ? std::max(duration, 1.0) : 1.0;
    p.elapsedSeconds = durationKnown ? std::clamp(finiteOrZero(info.elapsedSeconds), 0.0, duration) : 0.0;
    p.accessibilityStep = p.seekStepSeconds / std::max(duration, 1.0);
    p.incrementFraction = finiteOrZero(std::min(p.elapsedProgress + p.accessibilityStep, 1.0));
    p.decrementFraction = finiteOrZero(std::max(p.elapsedProgress - p.accessibilityStep, 0.0));
    p.headerSpacing = state.width < 360 ? 4 : 6;

    p.previous = skipButton(info, false, language);
    p.playPause = playPauseButton(info, state.accent, language);
    p.next = skipButton(info, true, language);
    p.mode = modeButton(info, state.accent, language);
    p.repeatOne = repeatOneButton(info, state.accent, language);
    return p;
}
