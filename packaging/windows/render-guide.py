#!/usr/bin/env python3
"""The user guide as a web page for the Windows packages.

render-guide.py GUIDE.md OUT_FOLDER
Writes OUT_FOLDER/user-guide.html and copies the pictures it shows, by the
same relative names (images/...), so every link holds inside the zip and
the installed folder. A link to anything else beside the guide is an error:
it would be broken there.
"""
import html
import re
import shutil
import sys
from pathlib import Path

import markdown

STYLE = """
body { font-family: "Segoe UI", "DejaVu Sans", sans-serif; line-height: 1.45;
       max-width: 52em; margin: 2em auto; padding: 0 1em; color: #1d1d1d; }
h1, h2, h3 { line-height: 1.2; }
h2 { margin-top: 2em; border-bottom: 1px solid #ccc; }
img { max-width: 100%; border: 1px solid #ddd; }
table { border-collapse: collapse; }
th, td { border: 1px solid #ccc; padding: 0.25em 0.6em; text-align: left; vertical-align: top; }
code, pre { font-family: Consolas, "DejaVu Sans Mono", monospace; background: #f4f4f4; }
pre { padding: 0.6em; overflow-x: auto; }
"""


def main():
    guide, out = Path(sys.argv[1]), Path(sys.argv[2])
    text = guide.read_text(encoding="utf-8")
    body = markdown.markdown(text, extensions=["extra", "toc", "sane_lists"], output_format="html")
    title = re.search(r"^# (.+)$", text, re.M)
    out.mkdir(parents=True, exist_ok=True)
    for link in sorted(set(re.findall(r'(?:src|href)="([^"#:]+)"', body))):
        source = (guide.parent / link).resolve()
        if not link.startswith("images/") or not source.is_file():
            sys.exit(f"render-guide.py: the guide links to {link}, which the packages do not hold")
        (out / link).parent.mkdir(parents=True, exist_ok=True)
        shutil.copyfile(source, out / link)
    page = (
        '<!DOCTYPE html>\n<html lang="en">\n<head>\n<meta charset="utf-8">\n'
        f"<title>{html.escape(title.group(1) if title else 'User guide')}</title>\n"
        f"<style>{STYLE}</style>\n</head>\n<body>\n{body}\n</body>\n</html>\n"
    )
    (out / "user-guide.html").write_text(page, encoding="utf-8")


main()
