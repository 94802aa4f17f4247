#!/usr/bin/env bash
# Refreshes translations/QLRESENU.ts, the English resources (German is the
# source language of every text):
#  - lupdate collects the tr() texts of all source folders;
#  - the texts of the string tables (QL_STRING_TABLE entries of every folder)
#    are added under the context "StringTable", where the program looks up
#    the English text of a German string-table text.
# Translations already in the file are kept; new texts come in unfinished.
#
#   update-translations.sh                 refreshes the file
#   update-translations.sh --check [ROOT]  changes nothing: lists every text
#       marked for translation that has no English text yet (a new text, or one
#       left unfinished) and fails when there is one. ROOT is the source tree
#       (this one by default); its translation file is translations/QLRESENU.ts.
# The environment variable LUPDATE names the lupdate program to use.
set -euo pipefail
check=0
root="$(cd "$(dirname "$0")/.." && pwd)"
if [ "${1:-}" = "--check" ]; then
    check=1
    [ -n "${2:-}" ] && root="$(cd "$2" && pwd)"
fi
ts="$root/translations/QLRESENU.ts"

lupdate="${LUPDATE:-}"
[ -z "$lupdate" ] && lupdate="$(command -v lupdate6 || command -v lupdate || true)"
[ -z "$lupdate" ] && [ -x /usr/lib/qt6/bin/lupdate ] && lupdate=/usr/lib/qt6/bin/lupdate
if [ -z "$lupdate" ]; then
    echo "lupdate not found (Qt 6 Linguist tools)" >&2
    exit 1
fi

tmp="$(mktemp -d)"
trap 'rm -rf "$tmp"' EXIT
if [ "$check" = 1 ]; then
    # The check works on a copy: the file itself stays as it is.
    cp "$ts" "$tmp/QLRESENU.ts"
    ts="$tmp/QLRESENU.ts"
fi

# The string-table texts as QT_TRANSLATE_NOOP lines that lupdate understands.
python3 - "$root" "$tmp/StringTableTexts.cpp" <<'PY'
import os, re, sys
root, out = sys.argv[1], sys.argv[2]
literal = r'"(?:[^"\\\n]|\\.)*"'
entry = re.compile(r'\{\s*([^,{}"]+?)\s*,\s*((?:' + literal + r'\s*)+)\}', re.S)

def blocks(text):
    """Yields the argument text of each QL_STRING_TABLE( ... ) call."""
    pos = 0
    while True:
        i = text.find('QL_STRING_TABLE(', pos)
        if i < 0:
            return
        j = i + len('QL_STRING_TABLE(')
        depth, k, in_str = 1, j, False
        while k < len(text) and depth:
            c = text[k]
            if in_str:
                if c == '\\':
                    k += 1
                elif c == '"':
                    in_str = False
            elif c == '"':
                in_str = True
            elif c == '(':
                depth += 1
            elif c == ')':
                depth -= 1
            k += 1
        yield text[j:k - 1]
        pos = k

lines = ['// Generated: the string-table texts for lupdate.', '#include <QtGlobal>', 'static const char* const texts[] = {']
skip = {'build', 'tests', '.git', 'translations', 'cmake', 'scripts'}
for dirpath, dirnames, filenames in os.walk(root):
    dirnames[:] = sorted(d for d in dirnames if d not in skip and not d.startswith('.'))
    for name in sorted(filenames):
        if not name.endswith('.cpp'):
            continue
        path = os.path.join(dirpath, name)
        with open(path, encoding='utf-8') as f:
            text = f.read()
        if 'QL_STRING_TABLE(' not in text or '#define QL_STRING_TABLE' in text:
            continue
        for block in blocks(text):
            for m in entry.finditer(block):
                ident = m.group(1).strip()
                lits = ' '.join(re.findall(literal, m.group(2)))
                lines.append('    //: %s' % ident)
                lines.append('    QT_TRANSLATE_NOOP("StringTable", %s),' % lits)
lines.append('};')
with open(out, 'w', encoding='utf-8') as f:
    f.write('\n'.join(lines) + '\n')
PY

inputs=()
for d in platform model shell ui comm hardware paging macros logic audio calendar service tools; do
    [ -d "$root/$d" ] && inputs+=("$root/$d")
done
inputs+=("$tmp/StringTableTexts.cpp")

"$lupdate" -silent -locations none -extensions cpp,h -I "$root" \
    -source-language de_DE -target-language en_US \
    "${inputs[@]}" -ts "$ts" 2>"$tmp/lupdate.log" || { cat "$tmp/lupdate.log" >&2; exit 1; }

if [ "$check" = 0 ]; then
    echo "updated $ts"
    exit 0
fi

# Every text still in use needs a finished English text.
python3 - "$ts" <<'PY'
import sys
import xml.etree.ElementTree as ET
missing = []
for context in ET.parse(sys.argv[1]).getroot().iter('context'):
    name = context.findtext('name')
    for message in context.iter('message'):
        translation = message.find('translation')
        kind = translation.get('type') if translation is not None else 'unfinished'
        if kind in ('vanished', 'obsolete'):
            continue
        source = message.findtext('source') or ''
        english = translation.text if translation is not None else None
        if kind == 'unfinished' or (not english and source.strip()):
            missing.append('%s: "%s"' % (name, source))
for m in missing:
    print('no English text: ' + m)
print('%d text(s) without English' % len(missing))
sys.exit(1 if missing else 0)
PY
