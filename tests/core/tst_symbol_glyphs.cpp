#include "TestProgram.h"
#include "core/SymbolGlyphs.h"

#include <QFile>
#include <QPainterPath>
#include <QRawFont>
#include <QTest>

// Every symbol name the program stores or shows, with the glyph it is drawn with.
class SymbolGlyphsTest : public QObject
{
    Q_OBJECT

private:
    QRawFont m_font;

private slots:
    void initTestCase()
    {
        QFile file(SymbolGlyphs::fontResource());
        QVERIFY2(file.open(QIODevice::ReadOnly), "the symbol font is embedded");
        m_font.loadFromData(file.readAll(), 24, QFont::PreferDefaultHinting);
        QVERIFY(m_font.isValid());
        QCOMPARE(m_font.familyName(), QStringLiteral("Material Icons"));
    }

    void everyNameHasAGlyphOfTheFont_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<char32_t>("codePoint");

        QTest::newRow("figure.walk") << QStringLiteral("figure.walk") << char32_t(0xE536);
        QTest::newRow("figure.run") << QStringLiteral("figure.run") << char32_t(0xE566);
        QTest::newRow("figure.hiking") << QStringLiteral("figure.hiking") << char32_t(0xE50A);
        QTest::newRow("figure.cooldown") << QStringLiteral("figure.cooldown") << char32_t(0xE92C);
        QTest::newRow("figure.flexibility") << QStringLiteral("figure.flexibility") << char32_t(0xEBC4);
        QTest::newRow("figure.strengthtraining.traditional")
            << QStringLiteral("figure.strengthtraining.traditional") << char32_t(0xEAE9);
        QTest::newRow("dumbbell.fill") << QStringLiteral("dumbbell.fill") << char32_t(0xEB43);
        QTest::newRow("figure.core.training") << QStringLiteral("figure.core.training") << char32_t(0xE84E);
        QTest::newRow("figure.mind.and.body") << QStringLiteral("figure.mind.and.body") << char32_t(0xEA78);
        QTest::newRow("bed.double.fill") << QStringLiteral("bed.double.fill") << char32_t(0xEA45);
        QTest::newRow("moon.fill") << QStringLiteral("moon.fill") << char32_t(0xE51C);
        QTest::newRow("zzz") << QStringLiteral("zzz") << char32_t(0xE046);
        QTest::newRow("chair.lounge.fill") << QStringLiteral("chair.lounge.fill") << char32_t(0xE636);
        QTest::newRow("timer") << QStringLiteral("timer") << char32_t(0xE425);
        QTest::newRow("hourglass") << QStringLiteral("hourglass") << char32_t(0xE88B);
        QTest::newRow("headphones") << QStringLiteral("headphones") << char32_t(0xF01F);
        QTest::newRow("music.note") << QStringLiteral("music.note") << char32_t(0xE405);
        QTest::newRow("book.closed.fill") << QStringLiteral("book.closed.fill") << char32_t(0xEA19);
        QTest::newRow("heart.fill") << QStringLiteral("heart.fill") << char32_t(0xE87D);
        QTest::newRow("cross.case.fill") << QStringLiteral("cross.case.fill") << char32_t(0xF109);
        QTest::newRow("brain.head.profile") << QStringLiteral("brain.head.profile") << char32_t(0xEA4A);
        QTest::newRow("eye.fill") << QStringLiteral("eye.fill") << char32_t(0xE8F4);
        QTest::newRow("lungs.fill") << QStringLiteral("lungs.fill") << char32_t(0xEB4C);
        QTest::newRow("drop.fill") << QStringLiteral("drop.fill") << char32_t(0xE798);
        QTest::newRow("cup.and.saucer.fill") << QStringLiteral("cup.and.saucer.fill") << char32_t(0xE541);
        QTest::newRow("pills.fill") << QStringLiteral("pills.fill") << char32_t(0xF033);
        QTest::newRow("waveform.path.ecg") << QStringLiteral("waveform.path.ecg") << char32_t(0xEAA2);
        QTest::newRow("leaf.fill") << QStringLiteral("leaf.fill") << char32_t(0xEA35);
        QTest::newRow("tree.fill") << QStringLiteral("tree.fill") << char32_t(0xEA63);
        QTest::newRow("mountain.2.fill") << QStringLiteral("mountain.2.fill") << char32_t(0xE3F7);
        QTest::newRow("sun.max.fill") << QStringLiteral("sun.max.fill") << char32_t(0xE430);
        QTest::newRow("cloud.fill") << QStringLiteral("cloud.fill") << char32_t(0xE2BD);
        QTest::newRow("wind") << QStringLiteral("wind") << char32_t(0xEFD8);
        QTest::newRow("flame.fill") << QStringLiteral("flame.fill") << char32_t(0xEF55);
        QTest::newRow("snowflake") << QStringLiteral("snowflake") << char32_t(0xEB3B);
        QTest::newRow("water.waves") << QStringLiteral("water.waves") << char32_t(0xE176);
        QTest::newRow("sparkles") << QStringLiteral("sparkles") << char32_t(0xE65F);
        QTest::newRow("star.fill") << QStringLiteral("star.fill") << char32_t(0xE838);
        QTest::newRow("checkmark.circle.fill") << QStringLiteral("checkmark.circle.fill") << char32_t(0xE86C);
        QTest::newRow("gift.fill") << QStringLiteral("gift.fill") << char32_t(0xE8F6);
        QTest::newRow("lightbulb.fill") << QStringLiteral("lightbulb.fill") << char32_t(0xE0F0);
        QTest::newRow("bell.fill") << QStringLiteral("bell.fill") << char32_t(0xE7F4);
        QTest::newRow("house.fill") << QStringLiteral("house.fill") << char32_t(0xE88A);
        QTest::newRow("fork.knife") << QStringLiteral("fork.knife") << char32_t(0xE56C);
        QTest::newRow("paintpalette.fill") << QStringLiteral("paintpalette.fill") << char32_t(0xE40A);
        QTest::newRow("arrow.left") << QStringLiteral("arrow.left") << char32_t(0xE5C4);
        QTest::newRow("arrow.right") << QStringLiteral("arrow.right") << char32_t(0xE5C8);
        QTest::newRow("arrow.left.and.right") << QStringLiteral("arrow.left.and.right") << char32_t(0xE8D4);
        QTest::newRow("arrow.triangle.2.circlepath")
            << QStringLiteral("arrow.triangle.2.circlepath") << char32_t(0xE627);
        QTest::newRow("arrow.triangle.2.circlepath.circle.fill")
            << QStringLiteral("arrow.triangle.2.circlepath.circle.fill") << char32_t(0xE2E7);
        QTest::newRow("arrow.up.left.and.arrow.down.right")
            << QStringLiteral("arrow.up.left.and.arrow.down.right") << char32_t(0xF1CE);
        QTest::newRow("arrow.up.right") << QStringLiteral("arrow.up.right") << char32_t(0xF1E1);
        QTest::newRow("arrowtriangle.down.fill")
            << QStringLiteral("arrowtriangle.down.fill") << char32_t(0xE5C5);
        QTest::newRow("at") << QStringLiteral("at") << char32_t(0xE0E6);
        QTest::newRow("backward.end.fill") << QStringLiteral("backward.end.fill") << char32_t(0xE045);
        QTest::newRow("forward.end.fill") << QStringLiteral("forward.end.fill") << char32_t(0xE044);
        QTest::newRow("calendar.badge.plus") << QStringLiteral("calendar.badge.plus") << char32_t(0xE742);
        QTest::newRow("chart.pie.fill") << QStringLiteral("chart.pie.fill") << char32_t(0xE6C4);
        QTest::newRow("chart.xyaxis.line") << QStringLiteral("chart.xyaxis.line") << char32_t(0xE6E1);
        QTest::newRow("checkmark.shield.fill") << QStringLiteral("checkmark.shield.fill") << char32_t(0xE8E8);
        QTest::newRow("chevron.down") << QStringLiteral("chevron.down") << char32_t(0xE5CF);
        QTest::newRow("chevron.up") << QStringLiteral("chevron.up") << char32_t(0xE5CE);
        QTest::newRow("chevron.left") << QStringLiteral("chevron.left") << char32_t(0xE5CB);
        QTest::newRow("chevron.right") << QStringLiteral("chevron.right") << char32_t(0xE5CC);
        QTest::newRow("circle.lefthalf.filled")
            << QStringLiteral("circle.lefthalf.filled") << char32_t(0xEB37);
        QTest::newRow("envelope.open.fill") << QStringLiteral("envelope.open.fill") << char32_t(0xE151);
        QTest::newRow("film") << QStringLiteral("film") << char32_t(0xE8DA);
        QTest::newRow("film.fill") << QStringLiteral("film.fill") << char32_t(0xE02C);
        QTest::newRow("film.stack.fill") << QStringLiteral("film.stack.fill") << char32_t(0xE04A);
        QTest::newRow("folder") << QStringLiteral("folder") << char32_t(0xE2C7);
        QTest::newRow("globe") << QStringLiteral("globe") << char32_t(0xE894);
        QTest::newRow("hand.raised.fill") << QStringLiteral("hand.raised.fill") << char32_t(0xE764);
        QTest::newRow("info.circle") << QStringLiteral("info.circle") << char32_t(0xE88F);
        QTest::newRow("internaldrive") << QStringLiteral("internaldrive") << char32_t(0xE1DB);
        QTest::newRow("keyboard") << QStringLiteral("keyboard") << char32_t(0xE312);
        QTest::newRow("keyboard.and.cursorarrow")
            << QStringLiteral("keyboard.and.cursorarrow") << char32_t(0xF028);
        QTest::newRow("keyboard.badge.ellipsis")
            << QStringLiteral("keyboard.badge.ellipsis") << char32_t(0xE31A);
        QTest::newRow("line.3.horizontal") << QStringLiteral("line.3.horizontal") << char32_t(0xE25D);
        QTest::newRow("lock.doc.fill") << QStringLiteral("lock.doc.fill") << char32_t(0xE63F);
        QTest::newRow("lock.fill") << QStringLiteral("lock.fill") << char32_t(0xE897);
        QTest::newRow("lock.shield") << QStringLiteral("lock.shield") << char32_t(0xE32A);
        QTest::newRow("lock.shield.fill") << QStringLiteral("lock.shield.fill") << char32_t(0xE32A);
        QTest::newRow("music.note.list") << QStringLiteral("music.note.list") << char32_t(0xE03D);
        QTest::newRow("note.text") << QStringLiteral("note.text") << char32_t(0xF1FC);
        QTest::newRow("paperplane.fill") << QStringLiteral("paperplane.fill") << char32_t(0xE163);
        QTest::newRow("pause.circle") << QStringLiteral("pause.circle") << char32_t(0xE036);
        QTest::newRow("pause.circle.fill") << QStringLiteral("pause.circle.fill") << char32_t(0xE035);
        QTest::newRow("pause.fill") << QStringLiteral("pause.fill") << char32_t(0xE034);
        QTest::newRow("play.fill") << QStringLiteral("play.fill") << char32_t(0xE037);
        QTest::newRow("photo") << QStringLiteral("photo") << char32_t(0xE3F4);
        QTest::newRow("photo.fill") << QStringLiteral("photo.fill") << char32_t(0xE3F4);
        QTest::newRow("photo.on.rectangle") << QStringLiteral("photo.on.rectangle") << char32_t(0xE413);
        QTest::newRow("photo.on.rectangle.angled")
            << QStringLiteral("photo.on.rectangle.angled") << char32_t(0xE3B6);
        QTest::newRow("pin.fill") << QStringLiteral("pin.fill") << char32_t(0xF10D);
        QTest::newRow("pin.slash") << QStringLiteral("pin.slash") << char32_t(0xF10D);
        QTest::newRow("plus") << QStringLiteral("plus") << char32_t(0xE145);
        QTest::newRow("quote.opening") << QStringLiteral("quote.opening") << char32_t(0xE244);
        QTest::newRow("repeat") << QStringLiteral("repeat") << char32_t(0xE040);
        QTest::newRow("repeat.1") << QStringLiteral("repeat.1") << char32_t(0xE041);
        QTest::newRow("shield.lefthalf.filled")
            << QStringLiteral("shield.lefthalf.filled") << char32_t(0xE9E0);
        QTest::newRow("shuffle") << QStringLiteral("shuffle") << char32_t(0xE043);
        QTest::newRow("slider.horizontal.3") << QStringLiteral("slider.horizontal.3") << char32_t(0xE429);
        QTest::newRow("speaker.slash.fill") << QStringLiteral("speaker.slash.fill") << char32_t(0xE04F);
        QTest::newRow("speaker.wave.1.fill") << QStringLiteral("speaker.wave.1.fill") << char32_t(0xE04D);
        QTest::newRow("speaker.wave.2.fill") << QStringLiteral("speaker.wave.2.fill") << char32_t(0xE050);
        QTest::newRow("text.bubble") << QStringLiteral("text.bubble") << char32_t(0xE0CA);
        QTest::newRow("text.quote") << QStringLiteral("text.quote") << char32_t(0xE244);
        QTest::newRow("trash") << QStringLiteral("trash") << char32_t(0xE872);
        QTest::newRow("waveform") << QStringLiteral("waveform") << char32_t(0xE1B8);
        QTest::newRow("xmark") << QStringLiteral("xmark") << char32_t(0xE5CD);
    }

    void everyNameHasAGlyphOfTheFont()
    {
        QFETCH(QString, name);
        QFETCH(char32_t, codePoint);

        QCOMPARE(SymbolGlyphs::codePoint(name), std::optional<char32_t>(codePoint));
        QVERIFY2(m_font.supportsCharacter(codePoint), qPrintable(name));
        const QString text = SymbolGlyphs::text(name);
        QCOMPARE(text.toUcs4(), QList<uint>({ uint(codePoint) }));
        // The glyph is a real drawing, not the font's empty fallback.
        const QList<quint32> glyphs = m_font.glyphIndexesForString(text);
        QCOMPARE(glyphs.size(), 1);
        QVERIFY(glyphs.constFirst() != 0);
        QVERIFY(!m_font.pathForGlyph(glyphs.constFirst()).isEmpty());
    }

    void unknownNamesDrawNothing_data()
    {
        QTest::addColumn<QString>("name");

        QTest::newRow("empty") << "";
        QTest::newRow("unknown") << "figure.fly";
        QTest::newRow("other case") << "Timer";
        QTest::newRow("surrounding space") << " timer";
        QTest::newRow("the font's own name") << "directions_walk";
        QTest::newRow("a prefix of a name") << "figure";
    }

    void unknownNamesDrawNothing()
    {
        QFETCH(QString, name);

        QCOMPARE(SymbolGlyphs::codePoint(name), std::nullopt);
        QVERIFY(SymbolGlyphs::text(name).isEmpty());
    }
};

QUORVANE_TEST_MAIN(SymbolGlyphsTest)
#include "tst_symbol_glyphs.moc"
