#include "core/SymbolGlyphs.h"

#include <QFontDatabase>
#include <QHash>

namespace {

const QHash<QString, char32_t> &glyphTable()
{
    // Name, code point, and the font's own name of the glyph.
    static const QHash<QString, char32_t> table {
        { QStringLiteral("figure.walk"), 0xE536 }, // directions_walk
        { QStringLiteral("figure.run"), 0xE566 }, // directions_run
        { QStringLiteral("figure.hiking"), 0xE50A }, // hiking
        { QStringLiteral("figure.cooldown"), 0xE92C }, // accessibility_new
        { QStringLiteral("figure.flexibility"), 0xEBC4 }, // sports_gymnastics
        { QStringLiteral("figure.strengthtraining.traditional"), 0xEAE9 }, // sports_martial_arts
        { QStringLiteral("dumbbell.fill"), 0xEB43 }, // fitness_center
        { QStringLiteral("figure.core.training"), 0xE84E }, // accessibility
        { QStringLiteral("figure.mind.and.body"), 0xEA78 }, // self_improvement
        { QStringLiteral("bed.double.fill"), 0xEA45 }, // king_bed
        { QStringLiteral("moon.fill"), 0xE51C }, // dark_mode
        { QStringLiteral("zzz"), 0xE046 }, // snooze
        { QStringLiteral("chair.lounge.fill"), 0xE636 }, // airline_seat_recline_extra
        { QStringLiteral("timer"), 0xE425 }, // timer
        { QStringLiteral("hourglass"), 0xE88B }, // hourglass_empty
        { QStringLiteral("headphones"), 0xF01F }, // headphones
        { QStringLiteral("music.note"), 0xE405 }, // music_note
        { QStringLiteral("book.closed.fill"), 0xEA19 }, // menu_book
        { QStringLiteral("heart.fill"), 0xE87D }, // favorite
        { QStringLiteral("cross.case.fill"), 0xF109 }, // medical_services
        { QStringLiteral("brain.head.profile"), 0xEA4A }, // psychology
        { QStringLiteral("eye.fill"), 0xE8F4 }, // visibility
        { QStringLiteral("lungs.fill"), 0xEB4C }, // spa
        { QStringLiteral("drop.fill"), 0xE798 }, // water_drop
        { QStringLiteral("cup.and.saucer.fill"), 0xE541 }, // local_cafe
        { QStringLiteral("pills.fill"), 0xF033 }, // medication
        { QStringLiteral("waveform.path.ecg"), 0xEAA2 }, // monitor_heart
        { QStringLiteral("leaf.fill"), 0xEA35 }, // eco
        { QStringLiteral("tree.fill"), 0xEA63 }, // park
        { QStringLiteral("mountain.2.fill"), 0xE3F7 }, // landscape
        { QStringLiteral("sun.max.fill"), 0xE430 }, // wb_sunny
        { QStringLiteral("cloud.fill"), 0xE2BD }, // cloud
        { QStringLiteral("wind"), 0xEFD8 }, // air
        { QStringLiteral("flame.fill"), 0xEF55 }, // local_fire_department
        { QStringLiteral("snowflake"), 0xEB3B }, // ac_unit
        { QStringLiteral("water.waves"), 0xE176 }, // waves
        { QStringLiteral("sparkles"), 0xE65F }, // auto_awesome
        { QStringLiteral("star.fill"), 0xE838 }, // star
        { QStringLiteral("checkmark.circle.fill"), 0xE86C }, // check_circle
        { QStringLiteral("gift.fill"), 0xE8F6 }, // card_giftcard
        { QStringLiteral("lightbulb.fill"), 0xE0F0 }, // lightbulb
        { QStringLiteral("bell.fill"), 0xE7F4 }, // notifications
        { QStringLiteral("house.fill"), 0xE88A }, // home
        { QStringLiteral("fork.knife"), 0xE56C }, // restaurant
        { QStringLiteral("paintpalette.fill"), 0xE40A }, // palette
        { QStringLiteral("arrow.left"), 0xE5C4 }, // arrow_back
        { QStringLiteral("arrow.right"), 0xE5C8 }, // arrow_forward
        { QStringLiteral("arrow.left.and.right"), 0xE8D4 }, // swap_horiz
        { QStringLiteral("arrow.triangle.2.circlepath"), 0xE627 }, // sync
        { QStringLiteral("arrow.triangle.2.circlepath.circle.fill"), 0xE2E7 }, // change_circle
        { QStringLiteral("arrow.up.left.and.arrow.down.right"), 0xF1CE }, // open_in_full
        { QStringLiteral("arrow.up.right"), 0xF1E1 }, // north_east
        { QStringLiteral("arrowtriangle.down.fill"), 0xE5C5 }, // arrow_drop_down
        { QStringLiteral("at"), 0xE0E6 }, // alternate_email
        { QStringLiteral("backward.end.fill"), 0xE045 }, // skip_previous
        { QStringLiteral("forward.end.fill"), 0xE044 }, // skip_next
        { QStringLiteral("calendar.badge.plus"), 0xE742 }, // edit_calendar
        { QStringLiteral("chart.pie.fill"), 0xE6C4 }, // pie_chart
        { QStringLiteral("chart.xyaxis.line"), 0xE6E1 }, // show_chart
        { QStringLiteral("checkmark.shield.fill"), 0xE8E8 }, // verified_user
        { QStringLiteral("chevron.down"), 0xE5CF }, // expand_more
        { QStringLiteral("chevron.up"), 0xE5CE }, // expand_less
        { QStringLiteral("chevron.left"), 0xE5CB }, // chevron_left
        { QStringLiteral("chevron.right"), 0xE5CC }, // chevron_right
        { QStringLiteral("circle.lefthalf.filled"), 0xEB37 }, // contrast
        { QStringLiteral("envelope.open.fill"), 0xE151 }, // drafts
        { QStringLiteral("film"), 0xE8DA }, // theaters
        { QStringLiteral("film.fill"), 0xE02C }, // movie
        { QStringLiteral("film.stack.fill"), 0xE04A }, // video_library
        { QStringLiteral("folder"), 0xE2C7 }, // folder
        { QStringLiteral("globe"), 0xE894 }, // language
        { QStringLiteral("hand.raised.fill"), 0xE764 }, // back_hand
        { QStringLiteral("info.circle"), 0xE88F }, // info_outline
        { QStringLiteral("internaldrive"), 0xE1DB }, // storage
        { QStringLiteral("keyboard"), 0xE312 }, // keyboard
        { QStringLiteral("keyboard.and.cursorarrow"), 0xF028 }, // keyboard_alt
        { QStringLiteral("keyboard.badge.ellipsis"), 0xE31A }, // keyboard_hide
        { QStringLiteral("line.3.horizontal"), 0xE25D }, // drag_handle
        { QStringLiteral("lock.doc.fill"), 0xE63F }, // enhanced_encryption
        { QStringLiteral("lock.fill"), 0xE897 }, // lock
        { QStringLiteral("lock.shield"), 0xE32A }, // security
        { QStringLiteral("lock.shield.fill"), 0xE32A }, // security
        { QStringLiteral("music.note.list"), 0xE03D }, // queue_music
        { QStringLiteral("note.text"), 0xF1FC }, // sticky_note_2
        { QStringLiteral("paperplane.fill"), 0xE163 }, // send
        { QStringLiteral("pause.circle"), 0xE036 }, // pause_circle_outline
        { QStringLiteral("pause.circle.fill"), 0xE035 }, // pause_circle_filled
        { QStringLiteral("pause.fill"), 0xE034 }, // pause
        { QStringLiteral("play.fill"), 0xE037 }, // play_arrow
        { QStringLiteral("photo"), 0xE3F4 }, // image
        { QStringLiteral("photo.fill"), 0xE3F4 }, // image
        { QStringLiteral("photo.on.rectangle"), 0xE413 }, // photo_library
        { QStringLiteral("photo.on.rectangle.angled"), 0xE3B6 }, // collections
        { QStringLiteral("pin.fill"), 0xF10D }, // push_pin
        { QStringLiteral("pin.slash"), 0xF10D }, // push_pin
        { QStringLiteral("plus"), 0xE145 }, // add
        { QStringLiteral("quote.opening"), 0xE244 }, // format_quote
        { QStringLiteral("repeat"), 0xE040 }, // repeat
        { QStringLiteral("repeat.1"), 0xE041 }, // repeat_one
        { QStringLiteral("shield.lefthalf.filled"), 0xE9E0 }, // shield
        { QStringLiteral("shuffle"), 0xE043 }, // shuffle
        { QStringLiteral("slider.horizontal.3"), 0xE429 }, // tune
        { QStringLiteral("speaker.slash.fill"), 0xE04F }, // volume_off
        { QStringLiteral("speaker.wave.1.fill"), 0xE04D }, // volume_down
        { QStringLiteral("speaker.wave.2.fill"), 0xE050 }, // volume_up
        { QStringLiteral("text.bubble"), 0xE0CA }, // chat_bubble
        { QStringLiteral("text.quote"), 0xE244 }, // format_quote
        { QStringLiteral("trash"), 0xE872 }, // delete
        { QStringLiteral("waveform"), 0xE1B8 }, // graphic_eq
        { QStringLiteral("xmark"), 0xE5CD }, // close
    };
    return table;
}

} // namespace

namespace SymbolGlyphs {

QString fontResource()
{
    return QStringLiteral(":/quorvane/fonts/MaterialIcons-Regular.ttf");
}

QString fontFamily()
{
    static const QString family = [] {
        const QStringList families
            = QFontDatabase::applicationFontFamilies(QFontDatabase::addApplicationFont(fontResource()));
        return families.isEmpty() ? QString() : families.constFirst();
    }();
    return family;
}

std::optional<char32_t> codePoint(QStringView name)
{
    const auto &table = glyphTable();
    const auto found = table.constFind(name.toString());
    if (found == table.cend())
        return std::nullopt;
    return *found;
}

QString text(QStringView name)
{
    const std::optional<char32_t> glyph = codePoint(name);
    if (!glyph)
        return {};
    return QString::fromUcs4(&*glyph, 1);
}

} // namespace SymbolGlyphs
