#!/usr/bin/env python3
# Turns doom3-cvars.tsv, the game's own declarations of its console variables, into the C++
# table the catalogue searches. Run by the build:  catalogue_table.py TSV OUTPUT
# Any fact it does not understand stops the build, so that a new copy of the table can never be
# read half.
import re
import sys

BUILDS = ("id-win32", "id-linux", "dhewm3")  # the order of Setting::declared
FLAGS = ("system", "renderer", "sound", "gui", "game", "tool", "userinfo", "serverinfo",
         "networksync", "cheat", "nocheat", "init", "rom", "archive")
TYPES = {"bool": "Bool", "integer": "Int", "float": "Float", "string": "String"}
MODULES = {"engine": "Engine", "game": "BaseGame", "d3xp": "Expansion"}
# A trailing `?` marks a restart the table's authors could not trace for certain. The catalogue
# takes it as stated: telling a player to restart for nothing costs less than a setting that
# silently waits.
RESTARTS = {"": "None", "vid_restart": "VidRestart", "snd_restart": "SoundRestart",
            "restart": "GameStart", "map": "NewMap"}
# Declared but never acted on, in every build (renderer/RenderSystem_init.cpp prints
# r_useTwoSidedStencil only in gfxInfo; r_useInfiniteFarZ and the two Cg profiles are never
# read; r_vertexBufferMegs only feeds code inside `#if 0` in renderer/VertexCache.cpp).
NEVER_ACTED_ON = {"r_useTwoSidedStencil", "r_useInfiniteFarZ", "r_cgVertexProfile",
                  "r_cgFragmentProfile", "r_vertexBufferMegs"}


def fail(row, text):
    sys.exit(f"catalogue_table.py: {row}: {text}")


def cpp_string(text):
    out = []
    for c in text:
        if c in '\\"':
            out.append("\\" + c)
        elif " " <= c <= "~":
            out.append(c)
        else:
            out.append(f"\\u{ord(c):04x}")
    return 'u"' + "".join(out) + '"'


def cpp_number(text):
    value = float(text)
    return repr(value) if value != int(value) else f"{int(value)}.0"


def parse_range(row, text):
    if text == "none":
        return None
    m = re.fullmatch(r"(-?[0-9.]+)\.\.(-?[0-9.]+)", text)
    if not m:
        fail(row, f"range {text!r}")
    return (m.group(1), m.group(2))


def split_outside_quotes(text):
    parts, current, quoted = [], "", False
    for c in text:
        if c == '"':
            quoted = not quoted
        if c == ";" and not quoted:
            parts.append(current.strip())
            current = ""
        else:
            current += c
    parts.append(current.strip())
    return [p for p in parts if p]


def apply(row, facts, statement):
    """Applies one `differs` statement (type, default, range, flags, words) to one build."""
    kind, _, rest = statement.partition(" ")
    if kind == "type":
        m = re.fullmatch(r"(\w+)->(\w+)", rest)
        if not m or m.group(1) != facts["type"] or m.group(2) not in TYPES:
            fail(row, statement)
        facts["type"] = m.group(2)
    elif kind == "default":
        m = re.fullmatch(r'"(.*)"->"(.*)"', rest)
        if not m or m.group(1) != facts["default"]:
            fail(row, statement)
        facts["default"] = m.group(2)
    elif kind == "range":
        m = re.fullmatch(r"(\S+)->(\S+)", rest)
        if not m or parse_range(row, m.group(1)) != facts["range"]:
            fail(row, statement)
        facts["range"] = parse_range(row, m.group(2))
    elif kind == "flags":
        for change in rest.split():
            sign, flag = change[0], change[1:]
            if sign not in "+-" or flag not in FLAGS:
                fail(row, statement)
            if sign == "+":
                facts["flags"].add(flag)
            else:
                facts["flags"].discard(flag)
    elif kind == "words":
        for sign, word in re.findall(r"([+-])([^+-]+)", rest):
            if sign == "+":
                facts["words"].append(word)
            elif word in facts["words"]:
                facts["words"].remove(word)
            else:
                fail(row, statement)
    else:
        fail(row, statement)


SCOPES = {
    "id Linux": ("id-linux",),
    "dhewm3": ("dhewm3",),
    # Quenzar writes for the base game: the expansion's own declarations are not applied.
    "id d3xp": (),
    # The game module declares it again when it loads; the engine ORs the flags, so only
    # added flags count.
    "id game+d3xp redeclare (flags ORed on load)": ("id-win32", "id-linux"),
}
# Statements about which builds have a setting: the builds column says the same.
BUILD_STATEMENTS = {"not in dhewm3", "dhewm3 only", "id macOS build only"}


def declarations(row, columns):
    name, type_, default, low, high, words, flags = columns[:7]
    if type_ not in TYPES:
        fail(row, f"type {type_!r}")
    base = {
        "type": type_,
        "default": default,
        "range": (low, high) if low or high else None,
        "words": [w for w in words.split(",") if w],
        "flags": {f for f in flags.split(",") if f},
    }
    for f in base["flags"]:
        if f not in FLAGS:
            fail(row, f"flag {f!r}")
    facts = {b: {k: (set(v) if k == "flags" else list(v) if k == "words" else v)
                 for k, v in base.items()} for b in BUILDS}
    scope = None
    for statement in split_outside_quotes(columns[9]):
        if statement in BUILD_STATEMENTS:
            continue
        if statement == "default passed as NULL pointer (reads empty/false)":
            for b in BUILDS:
                facts[b]["default"] = ""
            continue
        m = re.fullmatch(r"(id Linux|dhewm3|id d3xp|id game\+d3xp redeclare \(flags ORed on "
                         r"load\)): (.*)", statement)
        if m:
            scope, statement = SCOPES[m.group(1)], m.group(2)
            if statement in BUILD_STATEMENTS:
                continue
        if scope is None:
            fail(row, f"statement without a build: {statement!r}")
        if scope == SCOPES["id game+d3xp redeclare (flags ORed on load)"]:
            statement = " ".join(w for w in statement.split() if not w.startswith("-"))
            if statement == "flags":
                continue
        for b in scope:
            apply(row, facts[b], statement)
    return facts


def main():
    source, output = sys.argv[1], sys.argv[2]
    rows = []
    with open(source, encoding="utf-8") as f:
        header = None
        for number, line in enumerate(f, 1):
            line = line.rstrip("\n")
            if line.startswith("#") or not line:
                continue
            columns = line.split("\t")
            if header is None:
                header = columns
                if header != ["name", "type", "default", "min", "max", "allowed_words", "flags",
                              "registered_by", "builds", "differs", "restart"]:
                    fail(number, "unknown columns")
                continue
            if len(columns) != len(header):
                fail(number, "wrong number of columns")
            rows.append((number, columns))

    words_arrays, words_index = [], {}
    settings = []
    for number, columns in rows:
        row = f"{source}:{number} ({columns[0]})"
        facts = declarations(row, columns)
        builds = [b for b in columns[8].split(",") if b]
        for b in builds:
            if b not in BUILDS:
                fail(row, f"build {b!r}")
        modules = [m for m in columns[7].split(",") if m]
        if not modules or any(m not in MODULES for m in modules):
            fail(row, f"registered_by {columns[7]!r}")
        restart = columns[10]
        uncertain = restart.endswith("?")
        restart = restart.rstrip("?")
        if restart not in RESTARTS:
            fail(row, f"restart {columns[10]!r}")
        declared = []
        for b in BUILDS:
            d = facts[b]
            key = tuple(d["words"])
            if key and key not in words_index:
                words_index[key] = len(words_arrays)
                words_arrays.append(key)
            words = f"words{words_index[key]}" if key else "noWords"
            rng = (f"Range{{{cpp_number(d['range'][0])}, {cpp_number(d['range'][1])}, true}}"
                   if d["range"] else "Range{}")
            flags = " | ".join(f"Flag::{f.capitalize()}" for f in FLAGS if f in d["flags"])
            declared.append(f"Declaration{{Type::{TYPES[d['type']]}, {cpp_string(d['default'])}, "
                            f"{rng}, {words}, {flags or '0'}}}")
        settings.append((columns[0], declared,
                         " | ".join(MODULES[m] for m in modules),
                         " | ".join({"id-win32": "Win32", "id-linux": "Linux",
                                     "dhewm3": "Dhewm3"}[b] for b in builds) or "0",
                         RESTARTS[restart], uncertain, columns[0] in NEVER_ACTED_ON))

    missing = NEVER_ACTED_ON - {s[0] for s in settings}
    if missing:
        sys.exit(f"catalogue_table.py: not in the table: {sorted(missing)}")
    folded = [s[0].lower() for s in settings]
    if len(set(folded)) != len(folded):
        sys.exit("catalogue_table.py: two names differ only in letter case")
    # Sorted as findSetting compares: ASCII letters folded to lower case.
    settings.sort(key=lambda s: s[0].lower())

    out = [f"// Made by catalogue_table.py from {source.split('/')[-1]}; do not edit.",
           "constexpr std::span<const QStringView> noWords{};"]
    for i, words in enumerate(words_arrays):
        out.append(f"constexpr QStringView words{i}Array[] = {{"
                   + ", ".join(cpp_string(w) for w in words) + "};")
        out.append(f"constexpr std::span<const QStringView> words{i}{{words{i}Array}};")
    out.append("constexpr Setting table[] = {")
    for name, declared, modules, builds, restart, uncertain, nothing in settings:
        out.append(f"    Setting{{{cpp_string(name)}, {{{', '.join(declared)}}}, {modules}, "
                   f"{builds}, Restart::{restart}, {str(uncertain).lower()}, "
                   f"{str(nothing).lower()}}},")
    out.append("};")
    text = "\n".join(out) + "\n"
    try:
        with open(output, encoding="utf-8") as f:
            if f.read() == text:
                return
    except OSError:
        pass
    with open(output, "w", encoding="utf-8") as f:
        f.write(text)


if __name__ == "__main__":
    main()
