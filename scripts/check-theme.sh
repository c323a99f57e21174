#!/usr/bin/env bash
# Counts the colour and font-size literals in the QML under src/ outside the theme (src/ui/common/Theme.qml),
# where every view reads its colours and sizes, and fails when there is one: a Qt.rgba() or another of Qt's
# colour functions, a "#RRGGBB" or a named colour ("transparent", which paints nothing, aside), and a font
# size given as a number.
set -euo pipefail
cd "$(dirname "$0")/../src"
exec python3 - <<'EOF'
import os, re, sys

THEME = os.path.join('ui', 'common', 'Theme.qml')
NAMED = ('white|black|red|green|blue|yellow|orange|purple|pink|gray|grey|silver|gold|navy|teal|cyan|magenta'
         '|maroon|olive|lime|aqua|fuchsia|brown|beige|ivory|khaki|crimson|coral|salmon|tomato|indigo|violet'
         '|darkgray|darkgrey|lightgray|lightgrey|dimgray|dimgrey|whitesmoke|gainsboro')
COLOUR = re.compile(r'\bQt\.(?:rgba|hsla|hsva|darker|lighter|tint|color)\s*\('
                    r'|"#[0-9A-Fa-f]{3,8}"|\'#[0-9A-Fa-f]{3,8}\'|"(?:' + NAMED + r')"', re.I)
FONT_SIZE = re.compile(r'\b(?:pixelSize|pointSize)\s*:[^\n;]*?(?<![\w.])\d')

counts = {}
for folder, _, names in os.walk('.'):
    for name in names:
        path = os.path.relpath(os.path.join(folder, name))
        if not name.endswith('.qml') or path == THEME:
            continue
        text = open(path, encoding='utf-8').read()
        code = re.sub(r'//[^\n]*|/\*.*?\*/', '', text, flags=re.S)
        found = len(COLOUR.findall(code)) + len(FONT_SIZE.findall(code))
        if found:
            counts[path] = found

for path, found in sorted(counts.items()):
    print(f'src/{path}: {found}', file=sys.stderr)
total = sum(counts.values())
print(f'check-theme: {total} colour or font-size literal(s) outside src/{THEME}')
sys.exit(1 if total else 0)
EOF
