#!/usr/bin/python3
"""The guide's code is the example hosts' code: every ```c, ```python and
```qml block of the guide stands, line for line (indentation aside), in one
of the examples in that language, which their own tests build and run.

    guidecode.py <HOSTING.md> <examples folder>
"""

import pathlib
import re
import sys


def plain(text):
    return "\n".join(line.strip() for line in text.splitlines())


def main():
    guide = pathlib.Path(sys.argv[1]).read_text(encoding="utf-8")
    folder = pathlib.Path(sys.argv[2])
    examples = {language: [plain(path.read_text(encoding="utf-8")) for path in sorted(folder.glob(pattern))]
                for language, pattern in (("c", "*.[ch]"), ("python", "*.py"), ("qml", "*.qml"))}
    blocks = re.findall(r"^```(c|python|qml)\n(.*?)^```$", guide, re.MULTILINE | re.DOTALL)
    missing = [block for language, block in blocks
               if not any(plain(block) in example for example in examples[language])]
    for block in missing:
        print("not in the example hosts:\n" + block)
    print(f"{len(blocks) - len(missing)} of {len(blocks)} blocks of code stand in the example hosts")
    return 1 if missing or not blocks else 0


if __name__ == "__main__":
    sys.exit(main())
