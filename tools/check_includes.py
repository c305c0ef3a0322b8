#!/usr/bin/env python3
"""Fails on an #include "folder/..." between top-level folders that the
README's "Who may include whom" list does not allow, on any circle of
folders that the allowed includes close (each file that closes it named:
a folder that includes its own user is no layer), and, given the link
table that CMake writes into the build tree (cmake/LinkTable.cmake), on a
row of the README's "Libraries" table that says other than CMake links.

Usage: check_includes.py [source root [build tree's link_table.txt]]"""

import os
import re
import sys

SOURCE_SUFFIXES = (".cpp", ".h", ".c", ".rc")
SKIPPED_FOLDERS = {"build", "docs"}
INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"')
RULES_HEADING = "#### Who may include whom"
TABLE_HEADING = "#### Libraries"
# Every target links it; the table's introduction says so once.
SHARED_SETTINGS = "project_options"
NO_LINKS = "platform libraries only"
FILE_NAMED_TYPES = {"EXECUTABLE", "SHARED_LIBRARY", "MODULE_LIBRARY"}


def read_rules(readme):
    """{folder: set of folders or single headers it may include}; '*' allows all."""
    with open(readme, encoding="utf-8") as f:
        lines = f.read().split("\n")
    try:
        start = lines.index(RULES_HEADING)
        fence = next(i for i in range(start, len(lines)) if lines[i].startswith("```"))
        end = next(i for i in range(fence + 1, len(lines)) if lines[i].startswith("```"))
    except (ValueError, StopIteration):
        raise SystemExit(f"check_includes: no rules block under '{RULES_HEADING}' in {readme}")
    rules = {}
    for line in lines[fence + 1:end]:
        line = line.split("#", 1)[0].strip()
        if not line:
            continue
        source, arrow, targets = line.partition("->")
        if not arrow:
            raise SystemExit(f"check_includes: rule without '->' in {readme}: {line}")
        rules[source.strip()] = set(targets.split())
    return rules


def includes_between_folders(root):
    """(file, line number, source folder, included path) for every quoted
    include whose first component is another top-level folder."""
    folders = {name for name in os.listdir(root)
               if os.path.isdir(os.path.join(root, name)) and not name.startswith(".")}
    for folder in sorted(folders - SKIPPED_FOLDERS):
        for directory, subdirectories, files in os.walk(os.path.join(root, folder)):
            subdirectories.sort()
            for name in sorted(files):
                if not name.endswith(SOURCE_SUFFIXES):
                    continue
                path = os.path.join(directory, name)
                with open(path, encoding="utf-8", errors="replace") as f:
                    for number, text in enumerate(f, 1):
                        match = INCLUDE.match(text)
                        if not match:
                            continue
                        included = match.group(1)
                        target = included.split("/", 1)[0]
                        if "/" in included and target in folders and target != folder:
                            yield os.path.relpath(path, root), number, folder, included


def allowed(rules, folder, included):
    granted = rules.get(folder, set())
    return "*" in granted or included.split("/", 1)[0] in granted or included in granted


def folder_circles(edges):
    """One circle per group of folders that reach each other through
    `edges` ({(from folder, to folder): [(file, line number, include)]}), as
    the list of its edges in order, shortest through the group's first folder."""
    following = {}
    for source, target in edges:
        following.setdefault(source, set()).add(target)

    def reachable(start):
        seen, stack = {start}, [start]
        while stack:
            for nxt in following.get(stack.pop(), ()):
                if nxt not in seen:
                    seen.add(nxt)
                    stack.append(nxt)
        return seen

    reach = {folder: reachable(folder) for folder in following}
    circles, placed = [], set()
    for folder in sorted(following):
        group = {other for other in reach[folder] if folder in reach.get(other, ())}
        if folder in placed or len(group) < 2:
            continue
        placed |= group
        # Breadth first from the folder back to itself, within the group.
        came_from, queue = {}, [folder]
        while queue and folder not in came_from:
            current = queue.pop(0)
            for nxt in sorted(following.get(current, ())):
                if nxt in group and nxt not in came_from:
                    came_from[nxt] = current
                    queue.append(nxt)
        path, at = [], folder
        while True:
            path.append((came_from[at], at))
            at = came_from[at]
            if at == folder:
                break
        circles.append(list(reversed(path)))
    return circles


def circle_faults(uses):
    """A fault per folder circle among `uses` (file, line, from folder, include)."""
    edges = {}
    for path, number, folder, included in uses:
        edges.setdefault((folder, included.split("/", 1)[0]), []).append((path, number, included))
    faults = []
    for circle in folder_circles(edges):
        names = " -> ".join([circle[0][0]] + [target for _, target in circle])
        closing = "\n".join(f'  {path}:{number}: {source}/ includes "{included}"'
                             for source, target in circle
                             for path, number, included in [edges[(source, target)][0]])
        faults.append(f"folder circle {names}; these includes close it (and perhaps others):\n{closing}")
    return faults


def read_link_table(path):
    """{row name: (folder, [linked row names])} for every target outside
    tests/, and the row names of the test tree's targets. A program or DLL
    goes by its file name, a library by its target name."""
    targets = []
    with open(path, encoding="utf-8") as f:
        for line in f:
            name, kind, folder, file_name, links = line.rstrip("\n").split("\t")
            row_name = file_name if kind in FILE_NAMED_TYPES else name
            targets.append((name, row_name, folder, [link for link in links.split(",") if link]))
    row_names = {name: row_name for name, row_name, _, _ in targets}
    ours, tests = {}, set()
    for name, row_name, folder, links in targets:
        if folder.startswith("tests/"):
            tests.add(row_name)
        elif name != SHARED_SETTINGS and not folder.startswith("../"):
            ours[row_name] = (folder, [row_names[link] for link in links
                                       if link in row_names and link != SHARED_SETTINGS])
    return ours, tests


def read_library_rows(readme):
    """{row name: (folder, [links], note, line number)} of the table
    under TABLE_HEADING, and the faults of its form. A links cell is
    backticked names or words without any; what follows a ';' is a note."""
    with open(readme, encoding="utf-8") as f:
        lines = f.read().split("\n")
    if TABLE_HEADING not in lines:
        raise SystemExit(f"check_includes: no table under '{TABLE_HEADING}' in {readme}")
    rows, faults = {}, []
    number = lines.index(TABLE_HEADING) + 1
    while number < len(lines) and not lines[number].startswith("|"):
        number += 1
    for number in range(number + 2, len(lines)):
        if not lines[number].startswith("|"):
            break
        cells = [cell.strip() for cell in lines[number].strip("|").split("|")]
        names = re.findall(r"`([^`]+)`", cells[0])
        folders = re.findall(r"`([^`]+)`", cells[1]) if len(cells) == 3 else []
        if len(cells) != 3 or len(names) != 1 or len(folders) != 1:
            faults.append(f"README.md:{number + 1}: a row names one library, its folder and its links: "
                          f"{lines[number]}")
            continue
        links, _, note = cells[2].partition(";")
        if names[0] in rows:
            faults.append(f"README.md:{number + 1}: a second row for `{names[0]}`")
        rows[names[0]] = (folders[0], re.findall(r"`([^`]+)`", links), note, number + 1)
    return rows, faults


def row_text(name, folder, links, note=""):
    cell = ", ".join(f"`{link}`" for link in links) if links else NO_LINKS
    return f"| `{name}` | `{folder}` | {cell}{';' + note if note else ''} |"


def library_table_faults(readme, link_table):
    """What to add, change or remove in the README's table to say what
    CMake links, each with the row to write."""
    ours, tests = read_link_table(link_table)
    rows, faults = read_library_rows(readme)
    where = f'README.md, "{TABLE_HEADING.lstrip("# ")}"'
    for name, (folder, links) in ours.items():
        for link in links:
            if link in tests:
                faults.append(f"CMake: `{name}` links `{link}` of the test tree; nothing outside tests/ may")
        if name not in rows:
            faults.append(f"{where}: no row for `{name}`; add this row:\n{row_text(name, folder, links)}")
            continue
        said_folder, said_links, note, number = rows[name]
        if said_folder != folder or set(said_links) != set(links):
            # The row's own order stays, so that the change merges with others.
            kept = [link for link in said_links if link in links]
            changes = [f"folder `{folder}`"] if said_folder != folder else []
            changes += [f"links `{link}` too" for link in links if link not in said_links]
            changes += [f"no longer links `{link}`" for link in said_links if link not in links]
            faults.append(f"README.md:{number}: the row of `{name}` says other than CMake ({', '.join(changes)}); "
                          f"change it to:\n{row_text(name, folder, kept + [l for l in links if l not in kept], note)}")
    for name, (_, _, _, number) in rows.items():
        if name not in ours:
            faults.append(f"README.md:{number}: `{name}` is no target of CMake outside tests/; remove its row")
    return faults


def main():
    root = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else
                           os.path.join(os.path.dirname(os.path.abspath(__file__)), ".."))
    readme = os.path.join(root, "README.md")
    rules = read_rules(readme)
    uses = list(includes_between_folders(root))
    faults = [f'{path}:{number}: {folder}/ may not include "{included}"'
              for path, number, folder, included in uses if not allowed(rules, folder, included)]
    circles = circle_faults([use for use in uses if allowed(rules, use[2], use[3])])
    table_faults = library_table_faults(readme, sys.argv[2]) if len(sys.argv) > 2 else []
    for fault in faults + circles + table_faults:
        print(fault)
    if faults:
        print(f"check_includes: {len(faults)} include(s) outside the README's list")
    if circles:
        print(f"check_includes: {len(circles)} circle(s) of folders; each folder includes only those below it")
    if table_faults:
        print(f"check_includes: {len(table_faults)} difference(s) between the README's library table and CMake")
    if faults or circles or table_faults:
        return 1
    print("check_includes: every include between folders is on the README's list, in no circle" +
          (", and the library table says what CMake links" if len(sys.argv) > 2 else ""))
    return 0


if __name__ == "__main__":
    sys.exit(main())
