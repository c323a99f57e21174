#!/usr/bin/env bash
# Counts the literals under src/ outside the theme (src/ui/common/Theme.qml) and the tone table
# (src/core/Tones.h), where every view reads its colours, sizes and opacities, and fails when there is one.
# In QML: a Qt.rgba() or another of Qt's colour functions, a "#RRGGBB" or a named colour ("transparent",
# which paints nothing, aside); a font size, a symbol's size (a SymbolIcon's size, a labelSize or a
# symbolSize) or an opacity given as a number (0 and 1, shown or not, aside). In the C++ of the controller's
# parts and the views (src/app, src/ui): a QColor made from numbers, a Qt colour constant or a "#RRGGBB".
# The painted items of src/ui/effects take their colours from the views, and DarkPalette.cpp is the widget
# dialogs' own palette; neither is counted.
set -euo pipefail
cd "$(dirname "$0")/../src"
exec python3 - <<'PY'
import os, re, sys

EXEMPT = {os.path.join('ui', 'common', 'Theme.qml'), os.path.join('core', 'Tones.h'),
          os.path.join('ui', 'shell', 'DarkPalette.cpp')}
NAMED = ('white|black|red|green|blue|yellow|orange|purple|pink|gray|grey|silver|gold|navy|teal|cyan|magenta'
         '|maroon|olive|lime|aqua|fuchsia|brown|beige|ivory|khaki|crimson|coral|salmon|tomato|indigo|violet'
         '|darkgray|darkgrey|lightgray|lightgrey|dimgray|dimgrey|whitesmoke|gainsboro')
NUMBER = r'(?<![\w.])\d*\.?\d+(?![\w.])'
COLOUR = re.compile(r'\bQt\.(?:rgba|hsla|hsva|darker|lighter|tint|color)\s*\('
                    r'|"#[0-9A-Fa-f]{3,8}"|\'#[0-9A-Fa-f]{3,8}\'|"(?:' + NAMED + r')"', re.I)
SIZE = re.compile(r'\b(?:pixelSize|pointSize|labelSize|symbolSize)\s*:[^\n;]*?' + NUMBER)
OPACITY = re.compile(r'\bopacity\s*:([^\n;]*)')
CPP_COLOUR = re.compile(r'\bQColor(?:\s+\w+)?\s*[({]\s*(?:0x|\d)|\bQColor::from(?:Rgb|Hs[lv]|Cmyk)\w*\s*\('
                        r'|\bQt::(?:white|black|red|green|blue|cyan|magenta|yellow|gray|darkGray|lightGray'
                        r'|darkRed|darkGreen|darkBlue|darkCyan|darkMagenta|darkYellow)\b|"#[0-9A-Fa-f]{3,8}"')


def symbol_sizes(code):
    # A SymbolIcon's own size: the "size:" written at the first level of its block.
    found = 0
    for match in re.finditer(r'\bSymbolIcon\s*\{', code):
        depth, at = 1, match.end()
        while at < len(code) and depth:
            if code[at] == '{':
                depth += 1
            elif code[at] == '}':
                depth -= 1
            elif depth == 1 and code.startswith('size', at) and not code[at - 1].isalnum():
                line = code[at:code.find('\n', at)]
                if re.match(r'size\s*:', line) and re.search(NUMBER, line):
                    found += 1
            at += 1
    return found


def qml_literals(code):
    opacities = sum(1 for binding in OPACITY.findall(code)
                    if any(number not in ('0', '1') for number in re.findall(NUMBER, binding)))
    return len(COLOUR.findall(code)) + len(SIZE.findall(code)) + symbol_sizes(code) + opacities


counts = {}
for folder, _, names in os.walk('.'):
    for name in names:
        path = os.path.relpath(os.path.join(folder, name))
        if path in EXEMPT:
            continue
        if name.endswith('.qml'):
            text = open(path, encoding='utf-8').read()
            found = qml_literals(re.sub(r'//[^\n]*|/\*.*?\*/', '', text, flags=re.S))
        elif name.endswith(('.cpp', '.h')) and path.split(os.sep)[0] in ('app', 'ui') \
                and not path.startswith(os.path.join('ui', 'effects')):
            text = open(path, encoding='utf-8').read()
            code = re.sub(r'//[^\n]*|/\*.*?\*/', '', text, flags=re.S)
            found = len(CPP_COLOUR.findall(code))
        else:
            continue
        if found:
            counts[path] = found

for path, found in sorted(counts.items()):
    print(f'src/{path}: {found}', file=sys.stderr)
total = sum(counts.values())
print(f'check-theme: {total} colour, size or opacity literal(s) outside the theme and the tone table')
sys.exit(1 if total else 0)
PY
