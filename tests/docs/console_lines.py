#!/usr/bin/env python3
"""Every line the game can print is listed in docs/console.md.

For each statement in src/ that writes to one of the game's output streams,
every string literal it writes (escapes and surrounding blanks removed)
must appear in the list, the first one above all. A literal of punctuation
alone says nothing and is passed over. Prints each missing line with its place and exits 1.
"""
import pathlib
import re
import sys

root = pathlib.Path(__file__).resolve().parents[2]
listing = (root / "docs" / "console.md").read_text(encoding="utf-8")

# The receivers the game writes its lines to: the injected log and output
# streams, and the standard streams where main hands them out.
stream = re.compile(r"(?<![\w.>])(?:std::cout|std::cerr|(?:[A-Za-z_][\w]*(?:\.|->))?(?:log|out|err|errors))\s*<<")
literal = re.compile(r'"((?:[^"\\\n]|\\.)*)"')
comment = re.compile(r"//[^\n]*")


def literals(statement: str):
    for text in literal.findall(statement):
        text = re.sub(r"\\[nt]", " ", text).replace('\\"', '"').replace("\\\\", "\\").strip()
        if re.search(r"[A-Za-z0-9]", text):
            yield text


missing = []
checked = 0
for path in sorted((root / "src").rglob("*")):
    if path.suffix not in (".cpp", ".h"):
        continue
    source = comment.sub("", path.read_text(encoding="utf-8"))
    for match in stream.finditer(source):
        end = source.find(";", match.end())
        for text in literals(source[match.end(): end if end >= 0 else len(source)]):
            checked += 1
            if text not in listing:
                line = source.count("\n", 0, match.start()) + 1
                missing.append(f"{path.relative_to(root)}:{line}: \"{text}\"")

if missing:
    print("docs/console.md does not list these lines the game prints:")
    print("\n".join(missing))
    sys.exit(1)
print(f"console lines: all {checked} pieces of written lines are listed in docs/console.md")
