"""Turns a right-to-left line from reading order into visual order.

The game draws every string left to right, so Hebrew texts are stored with
their characters already in the order they appear on screen. This is a small
subset of the Unicode bidirectional algorithm that is enough for our texts:
one right-to-left paragraph holding Hebrew words, embedded Latin words and
digits, spaces and punctuation.
"""

MIRRORED = {"(": ")", ")": "(", "[": "]", "]": "[", "<": ">", ">": "<", "«": "»", "»": "«"}


def is_rtl(c):
    return "\u0590" <= c <= "\u05ff" or "\ufb1d" <= c <= "\ufb4f"


def direction(c):
    if is_rtl(c):
        return "R"
    if c.isalnum():
        return "L"
    return None  # neutral: takes its direction from the strong characters around it


def resolve(line):
    dirs = [direction(c) for c in line]
    resolved = []
    for i, d in enumerate(dirs):
        if d:
            resolved.append(d)
            continue
        before = next((dirs[j] for j in range(i - 1, -1, -1) if dirs[j]), "R")
        after = next((dirs[j] for j in range(i + 1, len(dirs)) if dirs[j]), "R")
        resolved.append(before if before == after else "R")
    return resolved


def visual_line(line):
    """Visual order of one line, its leading and trailing blanks kept in place."""
    core = line.strip(" ")
    if not core:
        return line
    lead = line[: len(line) - len(line.lstrip(" "))]
    trail = line[len(line.rstrip(" ")):]
    pairs = list(zip(core, resolve(core)))[::-1]
    out = []
    i = 0
    while i < len(pairs):
        if pairs[i][1] == "L":
            j = i
            while j < len(pairs) and pairs[j][1] == "L":
                j += 1
            out.extend(c for c, _ in reversed(pairs[i:j]))  # left-to-right runs keep their order
            i = j
        else:
            c = pairs[i][0]
            out.append(MIRRORED.get(c, c))
            i += 1
    return lead + "".join(out) + trail


def visual_text(text):
    """Visual order of a text whose lines are separated by "@" breaks."""
    return "@".join(visual_line(part) for part in text.split("@"))
