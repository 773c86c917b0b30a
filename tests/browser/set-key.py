"""Sets one key of an INI-syntax file (a catalog) in place: set-key.py FILE SECTION KEY VALUE.

Section and key names compare without regard to case, as the program reads them; a missing key
is added at the end of its section, a missing section at the end of the file."""
import sys

path, section, key, value = sys.argv[1:5]
data = open(path, 'rb').read().decode('utf-8', 'surrogateescape')
newline = '\r\n' if '\r\n' in data else '\n'
lines = data.split(newline)
if lines and lines[-1] == '':
    lines.pop()

start = next((i for i, line in enumerate(lines) if line.strip().lower() == f'[{section.lower()}]'), None)
if start is None:
    lines += [f'[{section}]', f'{key}={value}']
else:
    end = next((i for i in range(start + 1, len(lines)) if lines[i].lstrip().startswith('[')), len(lines))
    hit = next((i for i in range(start + 1, end)
                if '=' in lines[i] and lines[i].split('=', 1)[0].strip().lower() == key.lower()), None)
    if hit is None:
        lines.insert(end, f'{key}={value}')
    else:
        lines[hit] = f'{key}={value}'
open(path, 'wb').write((newline.join(lines) + newline).encode('utf-8', 'surrogateescape'))
