#!/usr/bin/python3
"""The guide's C is the example hosts' C: every ```c block of the guide
stands, line for line (indentation aside), in one of the examples, which
their own tests build and run.

    guidecode.py <HOSTING.md> <examples folder>
"""

import pathlib
import re
import sys


def plain(text):
    return "\n".join(line.strip() for line in text.splitlines())


def main():
    guide = pathlib.Path(sys.argv[1]).read_text(encoding="utf-8")
    examples = [plain(path.read_text(encoding="utf-8")) for path in sorted(pathlib.Path(sys.argv[2]).glob("*.[ch]"))]
    blocks = re.findall(r"^```c\n(.*?)^```$", guide, re.MULTILINE | re.DOTALL)
    missing = [block for block in blocks if not any(plain(block) in example for example in examples)]
    for block in missing:
        print("not in the example hosts:\n" + block)
    print(f"{len(blocks) - len(missing)} of {len(blocks)} blocks of C stand in the example hosts")
    return 1 if missing or not blocks else 0


if __name__ == "__main__":
    sys.exit(main())
