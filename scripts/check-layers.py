#!/usr/bin/env python3
"""check-layers.py [ROOT]

Fails (exit status 1) on every #include that runs against the layers of the
program, lowest first:

    platform -> model -> the families -> platform/serial -> comm -> ui
             -> the families' windows (and comm/windows) -> shell

A file may include its own folder and the layers below it. The families may
include each other, and so may the windows folders. The toolkit (ui/) knows no
family: it includes no family header, whatever the order would allow.
Only the program's folders are checked (not tests/, tools/, fuzz/, bench/).
"""
import os
import re
import sys

FAMILIES = ('hardware', 'paging', 'macros', 'logic', 'audio', 'calendar', 'service')
# Rank of each layer; folders of the same rank may include each other only
# where SIBLINGS says so.
RANK = {'platform': 0, 'model': 1, 'family': 2, 'platform/serial': 3, 'comm': 4, 'ui': 5, 'windows': 6, 'shell': 7}
SIBLINGS = {'family', 'windows'}
INCLUDE = re.compile(r'^\s*#\s*include\s*"([^"]+)"')


def folder_of(path):
    """The program folder of a path relative to the root, or None."""
    parts = path.split('/')
    if len(parts) < 2:
        return None
    top = parts[0]
    if top == 'platform':
        return 'platform/serial' if len(parts) > 2 and parts[1] == 'serial' else 'platform'
    if top in ('model', 'ui', 'shell'):
        return top
    if top == 'comm' or top in FAMILIES:
        return top + '/windows' if len(parts) > 2 and parts[1] == 'windows' else top
    return None


def layer_of(folder):
    if folder.endswith('/windows'):
        return 'windows'
    if folder in FAMILIES:
        return 'family'
    return folder


def offence(source, target):
    """Why `source` folder may not include from `target` folder, or None."""
    if source == target:
        return None
    a, b = layer_of(source), layer_of(target)
    if source == 'ui' and b == 'family':
        return 'the toolkit includes no family header'
    if RANK[b] > RANK[a]:
        return f'{target}/ is a higher layer than {source}/'
    if a == b and a not in SIBLINGS:
        return f'{target}/ and {source}/ are separate parts of one layer'
    return None


def main():
    root = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), '..'))
    faults = []
    for top in sorted(os.listdir(root)):
        if top not in ('platform', 'model', 'comm', 'ui', 'shell') + FAMILIES:
            continue
        for dirpath, _, files in os.walk(os.path.join(root, top)):
            for name in sorted(files):
                if not name.endswith(('.h', '.cpp')):
                    continue
                path = os.path.join(dirpath, name)
                rel = os.path.relpath(path, root).replace(os.sep, '/')
                source = folder_of(rel)
                if source is None:
                    continue
                with open(path, encoding='utf-8', errors='replace') as f:
                    for number, line in enumerate(f, 1):
                        m = INCLUDE.match(line)
                        if not m:
                            continue
                        included = m.group(1)
                        # A header next to the file is its own folder's.
                        if os.path.exists(os.path.join(dirpath, included)):
                            included = os.path.relpath(os.path.join(dirpath, included), root).replace(os.sep, '/')
                        target = folder_of(included)
                        why = offence(source, target) if target else None
                        if why:
                            faults.append(f'{rel}:{number}: #include "{m.group(1)}": {why}')
    for fault in faults:
        print(fault)
    if faults:
        print(f'{len(faults)} include(s) against the layers', file=sys.stderr)
        return 1
    return 0


if __name__ == '__main__':
    sys.exit(main())
