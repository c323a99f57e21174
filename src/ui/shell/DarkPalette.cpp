#include "ui/shell/DarkPalette.h"

QPalette darkPalette()
{
    const QColor window(0x0E, 0x14, 0x1B);
    const QColor surface(0x16, 0x1F, 0x29);
    const QColor raised(0x21, 0x2C, 0x38);
    const QColor text(0xF2, 0xF2, 0xF2);
    const QColor dimText(0xF2, 0xF2, 0xF2, 0x66);
    const QColor accent(0xEB, 0xCB, 0x83);

    QPalette palette;
    palette.setColor(QPalette::Window, window);
    palette.setColor(QPalette::WindowText, text);
    palette.setColor(QPalette::Base, surface);
    palette.setColor(QPalette::AlternateBase, raised);
    palette.setColor(QPalette::Text, text);
    palette.setColor(QPalette::PlaceholderText, dimText);
    palette.setColor(QPalette::Button, raised);
    palette.setColor(QPalette::ButtonText, text);
    palette.setColor(QPalette::BrightText, Qt::white);
    palette.setColor(QPalette::Light, raised.lighter(150));
    palette.setColor(QPalette::Midlight, raised.lighter(120));
    palette.setColor(QPalette::Mid, surface.lighter(130));
    palette.setColor(QPalette::Dark, window.darker(150));
    palette.setColor(QPalette::Shadow, Qt::black);
    palette.setColor(QPalette::Highlight, accent);
    palette.setColor(QPalette::HighlightedText, QColor(0x11, 0x11, 0x11));
    palette.setColor(QPalette::Link, accent);
    palette.setColor(QPalette::LinkVisited, accent.darker(120));
    palette.setColor(QPalette::ToolTipBase, raised);
    palette.setColor(QPalette::ToolTipText, text);
    for (const auto role : { QPalette::WindowText, QPalette::Text, QPalette::ButtonText })
        palette.setColor(QPalette::Disabled, role, dimText);
    return palette;
}
