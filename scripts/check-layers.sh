#!/usr/bin/env bash
# Fails when a file under src/ uses a folder that its own folder may not use (README, "Layout"): a C++
# include of a header from a layer above, or a QML view that names a view of a sibling feature. The allowed
# uses form no circle, so no include circle can span two folders either. Includes of src/ headers name their
# folder ("storage/CSVCodec.h"), so that the layer shows at each include. It also fails on a QML type declared
# anywhere but in its module folder's ForeignTypes.h (or the controller's singleton with its factory).
set -euo pipefail
cd "$(dirname "$0")/../src"
exec python3 - <<'EOF'
import os, re, sys

LOWER = ['core', 'storage', 'session', 'media', 'network', 'platform', 'app']
MAY_USE = {
    'core': [],
    'storage': ['core'],
    'network': ['core'],
    'session': ['core', 'storage'],
    'media': ['core', 'storage'],
    'platform': ['core'],
    'app': ['core', 'storage', 'session', 'media', 'network', 'platform'],
    'tools': ['core', 'platform'],
    'ui/effects': LOWER,
    'ui/common': LOWER + ['ui/effects'],
}
features = sorted(os.path.relpath(d) for d in (os.path.join('ui', f) for f in os.listdir('ui')) if os.path.isdir(d))
for feature in features:
    MAY_USE.setdefault(feature, LOWER + ['ui/effects', 'ui/common'])
MAY_USE['ui/shell'] = LOWER + [f for f in features if f != 'ui/shell']

files = [os.path.relpath(os.path.join(d, f)) for d, _, fs in os.walk('.') for f in fs if f.endswith(('.h', '.cpp', '.qml'))]
qml = {os.path.basename(f)[:-4]: f for f in files if f.endswith('.qml')}
by_name = {os.path.basename(f): f for f in files}
qml_macro = re.compile(r'^\s*QML_(?:ELEMENT|NAMED_ELEMENT|SINGLETON|ANONYMOUS|UNCREATABLE)\b', re.M)
include = re.compile(r'^\s*(?:#\s*include\s+|Q_MOC_INCLUDE\()"([^"]+)"', re.M)
problems = []

def check(path, used, what):
    mine, theirs = os.path.dirname(path), os.path.dirname(used)
    if mine not in MAY_USE:
        problems.append(f'src/{path}: src/{mine}/ is no folder of the layout (README, "Layout")')
    elif theirs != mine and theirs not in MAY_USE[mine]:
        allowed = 'only ' + ', '.join(MAY_USE[mine]) if MAY_USE[mine] else 'no other folder'
        problems.append(f'src/{path} {what} src/{used}, but {mine}/ may use {allowed}')

for path in sorted(files):
    text = open(path, encoding='utf-8').read()
    if path.endswith(('.h', '.cpp')):
        for name in include.findall(text):
            if os.path.isfile(name):
                check(path, name, 'includes')
            elif name in by_name:
                problems.append(f'src/{path} includes "{name}" without its folder: write "{by_name[name]}"')
        if qml_macro.search(text) and os.path.basename(path) not in ('ForeignTypes.h', 'ControllerSingleton.h'):
            problems.append(f'src/{path} declares a QML type: declare it in src/{os.path.dirname(path)}/ForeignTypes.h')
    elif path.endswith('.qml'):
        code = re.sub(r'//[^\n]*|/\*.*?\*/', '', text, flags=re.S)
        for name in sorted(set(re.findall(r'\b[A-Z]\w*\b', code))):
            if name in qml and qml[name] != path:
                check(path, qml[name], 'uses the view')

for problem in problems:
    print(problem, file=sys.stderr)
if problems:
    sys.exit(f'check-layers: {len(problems)} problem(s) against the layout')
print('check-layers: every use in src/ points down the layout')
EOF
