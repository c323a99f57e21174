#!/usr/bin/env bash
# Counts the literals under src/ outside the theme (src/ui/common/Theme.qml) and the tone table
# (src/core/Tones.h), where every view reads its colours, sizes, opacities and radii, and fails when there
# is one. In QML: a Qt.rgba() or another of Qt's colour functions, a "#RRGGBB" or a named colour
# ("transparent", which paints nothing, aside); a font size, a symbol's size (a SymbolIcon's size, a
# labelSize or a symbolSize) or an opacity given as a number (0 and 1, shown or not, aside); a corner radius
# given as a number (0, square, aside) or chosen between numbers, unless its line ends in "// own shape", the
# mark of a radius that belongs to one element's shape (a dot, a bar, a knob, a one-off): "height / 2" is no
# literal, and a TextDropShadow's radius is its blur, not a corner. In the C++ of the controller's parts and
# the views (src/app, src/ui): a QColor made from numbers, a Qt colour constant or a "#RRGGBB".
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
RADIUS = re.compile(r'\bradius\s*:([^\n;}]*)')
OWN_SHAPE = re.compile(r'\bradius\s*:[^\n]*//\s*own shape\s*$')
CPP_COLOUR = re.compile(r'\bQColor(?:\s+\w+)?\s*[({]\s*(?:0x|\d)|\bQColor::from(?:Rgb|Hs[lv]|Cmyk)\w*\s*\('
                        r'|\bQt::(?:white|black|red|green|blue|cyan|magenta|yellow|gray|darkGray|lightGray'
                        r'|darkRed|darkGreen|darkBlue|darkCyan|darkMagenta|darkYellow)\b|"#[0-9A-Fa-f]{3,8}"')


def first_level(code, element, name):
    # The lines of the "name:" bindings written at the first level of each of the element's blocks.
    for match in re.finditer(r'\b' + element + r'\s*\{', code):
        depth, at = 1, match.end()
        while at < len(code) and depth:
            if code[at] == '{':
                depth += 1
            elif code[at] == '}':
                depth -= 1
            elif depth == 1 and code.startswith(name, at) and not code[at - 1].isalnum():
                line = code[at:code.find('\n', at)]
                if re.match(name + r'\s*:', line):
                    yield code.count('\n', 0, at), line
            at += 1


def symbol_sizes(code):
    # A SymbolIcon's own size.
    return sum(1 for _, line in first_level(code, 'SymbolIcon', 'size') if re.search(NUMBER, line))


def radii(code, marked):
    # A radius is a literal when it, or a branch of a condition choosing it, is a number.
    blurs = {number for number, _ in first_level(code, 'TextDropShadow', 'radius')}
    found = 0
    for number, line in enumerate(code.split('\n')):
        if number in marked or number in blurs:
            continue
        for binding in RADIUS.findall(line):
            parts = [part.strip() for part in re.split(r'[?:]', binding)]
            found += any(re.fullmatch(NUMBER, part) and part != '0' for part in parts)
    return found


def without_comments(text):
    # Keeps the line breaks, so that a line of the code is the same line of the text.
    return re.sub(r'//[^\n]*|/\*.*?\*/', lambda comment: '\n' * comment.group().count('\n'), text, flags=re.S)


def qml_literals(text):
    # The "// own shape" mark is a comment: read before the comments go.
    marked = {number for number, line in enumerate(text.split('\n')) if OWN_SHAPE.search(line)}
    code = without_comments(text)
    opacities = sum(1 for binding in OPACITY.findall(code)
                    if any(number not in ('0', '1') for number in re.findall(NUMBER, binding)))
    return len(COLOUR.findall(code)) + len(SIZE.findall(code)) + symbol_sizes(code) + opacities \
        + radii(code, marked)


counts = {}
for folder, _, names in os.walk('.'):
    for name in names:
        path = os.path.relpath(os.path.join(folder, name))
        if path in EXEMPT:
            continue
        if name.endswith('.qml'):
            text = open(path, encoding='utf-8').read()
            found = qml_literals(text)
        elif name.endswith(('.cpp', '.h')) and path.split(os.sep)[0] in ('app', 'ui') \
                and not path.startswith(os.path.join('ui', 'effects')):
            text = open(path, encoding='utf-8').read()
            found = len(CPP_COLOUR.findall(without_comments(text)))
        else:
            continue
        if found:
            counts[path] = found

for path, found in sorted(counts.items()):
    print(f'src/{path}: {found}', file=sys.stderr)
total = sum(counts.values())
print(f'check-theme: {total} colour, size, opacity or radius literal(s) outside the theme and the tone table')
sys.exit(1 if total else 0)
PY
