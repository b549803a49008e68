#!/usr/bin/env python3
"""Checks that the source folders use each other the way docs/architecture.md draws them.

Every quoted #include is followed to the folder of the file it names. A folder may include
from its own level and below, never from above; and the folders of one level (the features)
must not include each other in a circle. Prints each offending include and exits with 1.

Run from the top of the tree: tools/check-layers.py
"""
import pathlib
import re
import sys

# Bottom up; folders on one line share a level.
LEVELS = [
    ["engine"],
    ["schema", "data"],
    ["widgets"],
    ["log", "score", "awards", "maps", "maintenance", "exchange", "info"],
    ["app", "cli"],
]
LEVEL = {folder: height for height, folders in enumerate(LEVELS) for folder in folders}
INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"', re.MULTILINE)


def sources(root):
    for folder in LEVEL:
        for path in sorted((root / folder).rglob("*")):
            if path.suffix in (".cpp", ".h"):
                yield folder, path


def main():
    root = pathlib.Path.cwd()
    owner = {}
    for folder, path in sources(root):
        owner.setdefault(path.name, set()).add(folder)

    problems = []
    edges = {}
    for folder, path in sources(root):
        for name in INCLUDE.findall(path.read_text(encoding="utf-8")):
            base = pathlib.PurePosixPath(name).name
            if base.startswith("ui_") or base not in owner:
                continue  # generated forms and files outside the folders
            for target in owner[base]:
                if target == folder:
                    continue
                edges.setdefault(folder, {}).setdefault(target, []).append(f"{path.relative_to(root)}: {name}")
                if LEVEL[target] > LEVEL[folder]:
                    problems.append(f"{path.relative_to(root)} includes {name} from {target}/, which stands above {folder}/")

    # A circle between folders: a folder that reaches itself again through the includes.
    def reaches(start, goal, seen):
        for nxt in edges.get(start, {}):
            if nxt == goal:
                return [start, nxt]
            if nxt not in seen:
                seen.add(nxt)
                rest = reaches(nxt, goal, seen)
                if rest:
                    return [start] + rest
        return None

    reported = set()
    for folder in edges:
        circle = reaches(folder, folder, set())
        if circle and frozenset(circle) not in reported:
            reported.add(frozenset(circle))
            steps = [f"{a}/ -> {b}/ ({edges[a][b][0]})" for a, b in zip(circle, circle[1:])]
            problems.append("include circle: " + "; ".join(steps))

    for problem in problems:
        print(problem)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
