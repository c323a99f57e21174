#include "core/StringTable.h"

#include <QHash>
#include <QTranslator>
#include <algorithm>
#include <cerrno>
#include <climits>

namespace {

const QHash<QString, QString> &englishEntries()
{
    static const QHash<QString, QString> entries {
        { QStringLiteral("柯帆"), QStringLiteral("Quorvane") },
        { QStringLiteral("知道了"), QStringLiteral("OK") },
        { QStringLiteral("播放进度"), QStringLiteral("Playback Position") },
        { QStringLiteral("·"), QStringLiteral("·") },
        { QStringLiteral("暂停计时"), QStringLiteral("Pause") },
        { QStringLiteral("继续计时"), QStringLiteral("Resume") },
        { QStringLiteral("提前休息"), QStringLiteral("Break Early") },
        { QStringLiteral("本轮不计为已完成番茄"),
            QStringLiteral("This round will not count as a completed focus round") },
        { QStringLiteral("这一轮完成了"), QStringLiteral("Round Complete") },
        { QStringLiteral("进入休息并锁定键盘"), QStringLiteral("Start Break and Lock Keyboard") },
        { QStringLiteral("只拦截键盘输入，不会暂停或终止任何后台任务"),
            QStringLiteral("Only keyboard input is blocked; no background task is paused or stopped") },
        { QStringLiteral("动态概率转盘"), QStringLiteral("Dynamic Probability Wheel") },
        { QStringLiteral("我已完成 · 开始下一轮"), QStringLiteral("Done · Start Next Round") },
        { QStringLiteral("取消"), QStringLiteral("Cancel") },
        { QStringLiteral("保存更改"), QStringLiteral("Save Changes") },
        { QStringLiteral("全部保存在本机"), QStringLiteral("All saved locally") },
        { QStringLiteral("在文件管理器中显示"), QStringLiteral("Show in File Manager") },
        { QStringLiteral("画面"), QStringLiteral("Visuals") },
        { QStringLiteral("让背景成为界面的视觉主角"), QStringLiteral("Let the background lead the look") },
        { QStringLiteral("节奏"), QStringLiteral("Rhythm") },
        { QStringLiteral("设置专注时长和空闲阈值"),
            QStringLiteral("Set the focus length and the inactivity threshold") },
        { QStringLiteral("音乐"), QStringLiteral("Music") },
        { QStringLiteral("图片"), QStringLiteral("Images") },
        { QStringLiteral("视频"), QStringLiteral("Videos") },
        { QStringLiteral("两个独立列表，各自保存顺序与播放模式"),
            QStringLiteral("Two separate lists, each keeping its own order and playback mode") },
        { QStringLiteral("专注音乐"), QStringLiteral("Focus Music") },
        { QStringLiteral("在专注时段中循环播放；默认关闭"),
            QStringLiteral("Loops during focus rounds; off by default") },
        { QStringLiteral("拖入专注音乐，或点击“添加音乐”"),
            QStringLiteral("Drop focus music here, or click \"Add Music\"") },
        { QStringLiteral("提醒音乐"), QStringLiteral("Break Music") },
        { QStringLiteral("专注结束后循环播放；列表为空时使用系统提示音"),
            QStringLiteral(
                "Loops after a focus round ends; the system alert sound plays while the list is empty") },
        { QStringLiteral("拖入提醒音乐，或点击“添加音乐”"),
            QStringLiteral("Drop break music here, or click \"Add Music\"") },
        { QStringLiteral("播放方式"), QStringLiteral("Playback") },
        { QStringLiteral("添加音乐"), QStringLiteral("Add Music") },
        { QStringLiteral("音乐名称"), QStringLiteral("Track name") },
        { QStringLiteral("从列表移除；保存后删除本地副本"),
            QStringLiteral("Remove from the list; the local copy is deleted after saving") },
        { QStringLiteral("转盘"), QStringLiteral("Wheel") },
        { QStringLiteral("配置权重、自动概率与近期项目折扣"),
            QStringLiteral("Set weights, automatic probabilities and the recent-item discount") },
        { QStringLiteral("记录"), QStringLiteral("Records") },
        { QStringLiteral("CSV 数据、权限与应急解锁"),
            QStringLiteral("CSV data, permissions and emergency unlock") },
        { QStringLiteral("每轮有效工作时长"), QStringLiteral("Active Work per Round") },
        { QStringLiteral("累计达到该时长后进入休息"),
            QStringLiteral("A break starts once this much active time adds up") },
        { QStringLiteral("空闲后自动暂停"), QStringLiteral("Pause When Idle") },
        { QStringLiteral("再次按键、移动或点击鼠标会恢复"),
            QStringLiteral("Typing, moving or clicking the mouse resumes the round") },
        { QStringLiteral("只记录活动发生的时间；不读取或保存按键内容、鼠标坐标、点击目标或滚动内容。"),
            QStringLiteral("Only the times of activity are recorded; keystrokes, mouse positions, click "
                           "targets and scrolled content are never read or stored.") },
        { QStringLiteral("窗口始终悬浮在上"), QStringLiteral("Keep Window on Top") },
        { QStringLiteral("开启后，柯帆主窗口不会被其他应用窗口遮挡"),
            QStringLiteral("When on, other windows never cover Quorvane's main window") },
        { QStringLiteral("休息项目与健康分 CSV"), QStringLiteral("Break Items & Health Score CSV") },
        { QStringLiteral("已完成番茄 CSV"), QStringLiteral("Completed Focus Rounds CSV") },
        { QStringLiteral("输入监测与键盘安全"), QStringLiteral("Input Monitoring & Keyboard Safety") },
        { QStringLiteral("X11 输入访问用于发现键盘与鼠标活动，并在休息时丢弃键盘事件；"
                         "不会记录输入内容，也不会暂停 AI、终端、构建、下载或网络连接。"),
            QStringLiteral("X11 input access is used to notice keyboard and mouse activity and to drop "
                           "keyboard events during breaks; nothing you type is recorded, and AI, terminals, "
                           "builds, downloads and network connections are never paused.") },
        { QStringLiteral("应急解锁：Ctrl + Alt + Super + Esc"),
            QStringLiteral("Emergency unlock: Ctrl + Alt + Super + Esc") },
        { QStringLiteral("X11 输入权限说明"), QStringLiteral("About X11 Input Access") },
        { QStringLiteral("近期项目折扣强度"), QStringLiteral("Recent Item Discount") },
        { QStringLiteral("%lld%"), QStringLiteral("%lld%") },
        { QStringLiteral("影响最近项目数"), QStringLiteral("Recent Items Affected") },
        { QStringLiteral("刚刚抽中的项目本轮为 0% 并从转盘隐藏；更早的项目逐步恢复到基础概率。"),
            QStringLiteral("The item just drawn is at 0% this round and hidden from the wheel; earlier items "
                           "gradually return to their base probability.") },
        { QStringLiteral("添加项目"), QStringLiteral("Add Item") },
        { QStringLiteral("从图标库选择"), QStringLiteral("Choose from the symbol library") },
        { QStringLiteral("项目内容"), QStringLiteral("Item") },
        { QStringLiteral("10"), QStringLiteral("10") },
        { QStringLiteral("选择项目图标"), QStringLiteral("Choose Item Symbol") },
        { QStringLiteral("点击即可应用，使用内置图标"), QStringLiteral("Click to apply; built-in symbols") },
        { QStringLiteral("完成"), QStringLiteral("Done") },
        { QStringLiteral("分类"), QStringLiteral("Category") },
        { QStringLiteral("搜索图标，例如：散步、睡眠、heart"),
            QStringLiteral("Search symbols, e.g. walk, sleep, heart") },
        { QStringLiteral("没有匹配的图标"), QStringLiteral("No symbol matches") },
        { QStringLiteral("背景图片蒙版"), QStringLiteral("Background Overlay") },
        { QStringLiteral("蒙版强度"), QStringLiteral("Overlay Strength") },
        { QStringLiteral("关闭后，图片或视频将以未经压暗的原色呈现"),
            QStringLiteral("When off, pictures and videos show in their original, undimmed colours") },
        { QStringLiteral("视频原声优先"), QStringLiteral("Prefer Video Sound") },
        { QStringLiteral("开启后播放视频原声，并自动暂停专注与提醒音乐"),
            QStringLiteral("When on, the video's own sound plays and the focus and break music pause") },
        { QStringLiteral("根据背景自动生成转盘配色"), QStringLiteral("Wheel Colours from the Background") },
        { QStringLiteral("分析图片或视频首帧，自动调整轮盘、强调色与文字色"),
            QStringLiteral(
                "Analyses the picture or the video's first frame to set the wheel, accent and text "
                "colours") },
        { QStringLiteral("轮盘"), QStringLiteral("Wheel") },
        { QStringLiteral("强调"), QStringLiteral("Accent") },
        { QStringLiteral("文字"), QStringLiteral("Text") },
        { QStringLiteral("重新分析"), QStringLiteral("Analyse Again") },
        { QStringLiteral("轮盘底色"), QStringLiteral("Wheel Base") },
        { QStringLiteral("强调色"), QStringLiteral("Accent Colour") },
        { QStringLiteral("文字色"), QStringLiteral("Text Colour") },
        { QStringLiteral("无法打开数据文件夹中的 %1。"),
            QStringLiteral("%1 in the data folder could not be opened.") },
        { QStringLiteral("无法读取数据文件夹中的 %1：它不是可以识别的文本。"),
            QStringLiteral(
                "%1 in the data folder could not be read: it is not text that Quorvane recognises.") },
        { QStringLiteral("无法写入“%1”：%2"), QStringLiteral("Could not write “%1”: %2") },
        { QStringLiteral("无法保留损坏的设置文件的副本。"),
            QStringLiteral("Could not keep a copy of the damaged settings file.") },
        { QStringLiteral("无法删除“%1”：%2"), QStringLiteral("Could not delete “%1”: %2") },
        { QStringLiteral("无法创建文件夹“%1”。"), QStringLiteral("Could not create the folder “%1”.") },
        { QStringLiteral("无法复制“%1”：%2"), QStringLiteral("Could not copy “%1”: %2") },
        { QStringLiteral("无法列出文件夹“%1”。"), QStringLiteral("Could not list the folder “%1”.") },
        { QStringLiteral("无法写入数据文件夹中的 %1：磁盘可能已满，或没有写入权限。"),
            QStringLiteral("Could not write %1 in the data folder: the disk may be full, or writing there is "
                           "not allowed.") },
        { QStringLiteral("记录文件无法读取"), QStringLiteral("A Log Could Not Be Read") },
        { QStringLiteral(
              "数据文件夹中的 %1 无法读取。它已原样改名为 %2 保留在同一文件夹中，新的记录从现在开始。"),
            QStringLiteral("%1 in the data folder could not be read. It was kept unchanged as %2 in the same "
                           "folder, and a new log has been started.") },
        { QStringLiteral("正在检查更新…"), QStringLiteral("Checking for Updates…") },
        { QStringLiteral("正在向更新服务器询问最新版本。"),
            QStringLiteral("Quorvane is asking the update server for the newest version.") },
        { QStringLiteral("无法连接到更新服务器，请检查网络连接后稍后再试。"),
            QStringLiteral("The update server could not be reached; check the network connection and try "
                           "again later.") },
        { QStringLiteral("无法与更新服务器建立安全连接，因此没有读取任何更新信息。"),
            QStringLiteral("The update server could not be reached securely, so no update information was "
                           "read.") },
        { QStringLiteral("更新服务器在一分钟内没有答复，请稍后再试。"),
            QStringLiteral("The update server did not answer within a minute; please try again later.") },
        { QStringLiteral("更新服务器出错了（代码 %1），请稍后再试。"),
            QStringLiteral("The update server had a fault (code %1); please try again later.") },
        { QStringLiteral("更新服务器拒绝了请求（代码 %1）。"),
            QStringLiteral("The update server refused the request (code %1).") },
        { QStringLiteral("更新服务器的答复不是可以读取的更新信息。"),
            QStringLiteral("The update server did not answer with update information.") },
        { QStringLiteral("更新服务器不停地把请求转到别处，陷入了循环，因此没有读取任何更新信息。"),
            QStringLiteral(
                "The update server kept redirecting the request in a loop, so no update information "
                "was read.") },
        { QStringLiteral("更新服务器把请求转了太多次，因此没有读取任何更新信息。"),
            QStringLiteral(
                "The update server redirected the request too many times, so no update information "
                "was read.") },
        { QStringLiteral("更新服务器的答复太大，不像是更新信息。"),
            QStringLiteral("The update server's answer is far too large to be update information.") },
        { QStringLiteral("无法连接到服务器，请检查网络连接后稍后再试。"),
            QStringLiteral("The server could not be reached; check the network connection and try again "
                           "later.") },
        { QStringLiteral("无法与服务器建立安全连接，因此什么也没有发送。"),
            QStringLiteral("The server could not be reached securely, so nothing was sent.") },
        { QStringLiteral("服务器没有及时答复，请稍后再试。"),
            QStringLiteral("The server did not answer in time; please try again later.") },
        { QStringLiteral("这封信和它的图片太大，服务器无法接收；请去掉一些图片后再寄。"),
            QStringLiteral("The letter and its images are too large for the server; remove some images and "
                           "send it again.") },
        { QStringLiteral("这封信太大，服务器无法接收；请写短一些后再寄。"),
            QStringLiteral("The letter is too large for the server; shorten it and send it again.") },
        { QStringLiteral("信已经寄出，但服务器答复之前连接就断了：它可能已经送达，再寄一次可能会重复。"),
            QStringLiteral("The letter went out, but the connection ended before the server answered: it may "
                           "have arrived, and sending it again may deliver it twice.") },
        { QStringLiteral("Mirenvale 支持服务暂时不可用，请稍后再试。"),
            QStringLiteral(
                "The Mirenvale support service is temporarily unavailable; please try again later.") },
        { QStringLiteral("安全支付暂时不可用，请稍后再试。"),
            QStringLiteral("Secure checkout is temporarily unavailable; please try again later.") },
        { QStringLiteral("不可用"), QStringLiteral("Unavailable") },
        { QStringLiteral("减少%1"), QStringLiteral("Decrease %1") },
        { QStringLiteral("增加%1"), QStringLiteral("Increase %1") },
        { QStringLiteral("上个月"), QStringLiteral("Previous month") },
        { QStringLiteral("下个月"), QStringLiteral("Next month") },
        { QStringLiteral("%1 至 %2"), QStringLiteral("%1 to %2") },
        { QStringLiteral("，"), QStringLiteral(", ") },
        { QStringLiteral("%1：%2"), QStringLiteral("%1: %2") },
        { QStringLiteral("专注"), QStringLiteral("Focus") },
        { QStringLiteral("休整"), QStringLiteral("Breaks") },
        { QStringLiteral("笔记"), QStringLiteral("Notes") },
        { QStringLiteral("无法显示的图片"), QStringLiteral("Pictures Cannot Be Shown") },
        { QStringLiteral("这台电脑无法解码以下图片，它们未被导入：%1。请先转换为 JPEG、PNG 或 WebP 格式。"),
            QStringLiteral("This computer cannot decode these pictures, so they were not imported: %1. "
                           "Convert them to JPEG, PNG or WebP first.") },
        { QStringLiteral("、"), QStringLiteral(", ") },
    };
    return entries;
}

// The English forms of the counted texts, from the translation built into the program. Never freed: it
// is read until the very end.
const QTranslator &englishForms()
{
    static const QTranslator *const translator = [] {
        auto *forms = new QTranslator;
        [[maybe_unused]] const bool loaded = forms->load(QStringLiteral(":/i18n/quorvane_en.qm"));
        Q_ASSERT(loaded);
        return forms;
    }();
    return *translator;
}

} // namespace

namespace StringTable {

QString text(const QString &key, AppLanguage language)
{
    if (language == AppLanguage::chinese)
        return key;
    return englishEntries().value(key, key);
}

QString error(const Error &failure, AppLanguage language)
{
    QString whole = text(failure.key, language);
    for (const QString &argument : failure.arguments)
        whole = whole.arg(systemReason(argument, language));
    return whole;
}

QString systemReason(const QString &reason, AppLanguage language)
{
    if (language != AppLanguage::chinese)
        return reason;
    // Keyed by the system's own texts, which are those of the C locale whatever the user's.
    static const QHash<QString, QString> reasons {
        { qt_error_string(ENOSPC), QStringLiteral("磁盘已满") },
        { qt_error_string(EDQUOT), QStringLiteral("超出了磁盘配额") },
        { qt_error_string(EACCES), QStringLiteral("没有权限") },
        { qt_error_string(EPERM), QStringLiteral("不允许这样操作") },
        { qt_error_string(EROFS), QStringLiteral("磁盘是只读的") },
        { qt_error_string(EIO), QStringLiteral("读写磁盘时出错") },
        { qt_error_string(ENOENT), QStringLiteral("文件或文件夹不存在") },
        { qt_error_string(EISDIR), QStringLiteral("它是一个文件夹") },
        { qt_error_string(ENOTDIR), QStringLiteral("路径中有一项不是文件夹") },
        { qt_error_string(EFBIG), QStringLiteral("文件太大") },
        { qt_error_string(ENAMETOOLONG), QStringLiteral("名称太长") },
    };
    return reasons.value(reason, reason);
}

} // namespace StringTable

QString StringTable::counted(const QString &key, qint64 count, AppLanguage language)
{
    // Qt's rules take an int; a negative count (only a hand-edited file has one) reads as plural, as 0 does.
    const QString form = language == AppLanguage::english ? englishForms().translate("StringTable",
                             key.toUtf8().constData(), nullptr, int(std::clamp<qint64>(count, 0, INT_MAX)))
                                                          : QString();
    return QString(form.isEmpty() ? key : form).replace(QStringLiteral("%n"), QString::number(count));
}
