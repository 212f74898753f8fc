#!/usr/bin/env python3
"""Writes commands/circle/CircleGuidanceTexts.cpp: the prompts, hints, macro step prompts and
rubber-band messages of the circle and arc command, taken from the Markdown text in which the
command's guidance was written down, so that no text is typed twice.

    scripts/make_circle_texts.py TEXT.md [OUT.cpp]

TEXT.md holds the sections headed "Guidance of the circle and arc command", "Guidance texts of
the circle and arc construction steps", "Macro step prompts of the circle and arc command" and
"Rubber-band preview of the circle and arc command". Every text is copied byte for byte from
there; only the rows that the text describes by their words (the default macro prompts that are
not written out) are composed, blank-separated.
"""

import re
import sys

RADIUS = "\x01"


def section(lines, title):
    start = None
    for i, line in enumerate(lines):
        if line.startswith("# ") and line.rstrip().endswith(": " + title):
            start = i + 1
        elif start is not None and line.startswith("# "):
            return lines[start:i]
    if start is None:
        sys.exit("no section " + title)
    return lines[start:]


EXPR = re.compile(r'"([^"]*)"((?:\s*\+\s*radius text\s*\+\s*"[^"]*")*)')


def quotes(text):
    """The quoted texts in order; a text joined with the radius text holds RADIUS there."""
    out = []
    for m in EXPR.finditer(text):
        value = m.group(1)
        for part in re.findall(r'\+\s*radius text\s*\+\s*"([^"]*)"', m.group(2)):
            value += RADIUS + part
        out.append(value)
    return out


def bullets_after(lines, prefix):
    """The bullet lines that follow the first line beginning with prefix."""
    out = []
    found = False
    for line in lines:
        if not found:
            found = line.startswith(prefix)
            continue
        if line.startswith("- "):
            out.append(line.rstrip())
        elif out and line.strip():
            break
    if not found:
        sys.exit("no paragraph " + prefix)
    return out


def line_starting(lines, prefix):
    for line in lines:
        if line.strip().startswith(prefix):
            return line.strip()
    sys.exit("no line " + prefix)


def head_key(bullet):
    m = re.match(r'- "([^"]*)":\s*(.*)$', bullet)
    return (m.group(1), m.group(2)) if m else (None, bullet[2:])


def ends_in(prompt, ending):
    """A prompt that "ends in" another text instead: its tail from where that text's first
    character stands is replaced."""
    at = prompt.rfind(RADIUS)
    at = prompt.index(ending[0], at if at >= 0 else 0)
    return prompt[:at] + ending


def split_top(text, sep):
    """Splits at sep outside parentheses and quotes."""
    out, depth, quoted, cur, i = [], 0, False, "", 0
    while i < len(text):
        if text.startswith(sep, i) and depth == 0 and not quoted:
            out.append(cur)
            cur = ""
            i += len(sep)
            continue
        ch = text[i]
        if ch == '"':
            quoted = not quoted
        elif not quoted and ch == "(":
            depth += 1
        elif not quoted and ch == ")":
            depth -= 1
        cur += ch
        i += 1
    out.append(cur)
    return out


# ---- pairs of a mode pattern as a whole --------------------------------------------------------

MENU, ALL, ANYG = 1, 2, 0
CIRCLE, ARC, ANYO = 1, 0, 2


def edit_pair_rows(rest, obj, lead):
    rows = []
    all_at = rest.find("ll-patterns")
    q = quotes(rest[all_at:])
    rows.append(("E", lead, obj, ALL, 0, q[0], q[1]))
    for key, p, h in re.findall(r'"([%#][^"]+)" "([^"]*)" / "([^"]*)"', rest):
        rows.append(("E", key, obj, MENU, 0, p, h))
    return rows


def start_rows(bullets, obj, add):
    """The pairs of the modes that start a construction: "PP" names the all-patterns prompt,
    "BB" pairs it with its own hint, and the modes "as for BB" take that pair."""
    q = quotes(bullets["PP"])
    add("M", "PP", obj, MENU, q[0], q[1])
    add("M", "PP", obj, ALL, q[2], q[3])
    all_prompt = q[2]
    q = quotes(bullets["BB"])
    add("M", "BB", obj, MENU, q[0], q[1])
    add("M", "BB", obj, ALL, all_prompt, q[2])
    as_bb = (all_prompt, q[2])
    for mode in ("APP", "LLL"):
        if 'as for "BB"' in bullets[mode]:
            q = quotes(bullets[mode])
            add("M", mode, obj, MENU, q[0], q[1])
            add("M", mode, obj, ALL, *as_bb)


def mode_pair_rows(g):
    rows = []
    algorithm = line_starting(g, "1. Build the work pairs.")
    q = quotes(algorithm)
    rows.append(("A", "", ARC, ANYG, 0, q[0], q[1]))
    empty = line_starting(g, "5. Otherwise (empty token string)")
    q = quotes(empty)
    rows.append(("N", q[0], ANYO, MENU, 0, q[1], q[2]))

    circle = dict(head_key(b) for b in bullets_after(g, "Work pairs of a circle object"))
    arc = dict(head_key(b) for b in bullets_after(g, "Work pairs of an arc object"))

    def add(pair, mode, obj, guidance, prompt, hint):
        rows.append((pair, mode, obj, guidance, 0, prompt, hint))

    # circle object
    start_rows(circle, CIRCLE, add)
    q = quotes(circle["DP"])
    add("M", "DP", CIRCLE, MENU, q[0], q[1])
    add("R", "DP", CIRCLE, MENU, q[2], q[3])
    add("R", "DP", CIRCLE, ALL, q[4], q[5])
    q = quotes(circle["DLL"])
    add("M", "DLL", CIRCLE, MENU, q[0], q[1])
    add("R", "DLL", CIRCLE, MENU, q[2], q[3])
    add("R", "DLL", CIRCLE, ALL, ends_in(q[2], q[4]), q[3])
    q = quotes(circle["DNP"])
    add("M", "DNP", CIRCLE, MENU, q[0], q[1])
    add("R", "DNP", CIRCLE, MENU, q[2], q[3])
    add("M", "DNP", CIRCLE, ALL, q[4], q[1])
    add("R", "DNP", CIRCLE, ALL, q[5], q[3])
    edit = [b for b in bullets_after(g, "Work pairs of a circle object") if 'begins with "%"' in b][0]
    rows += edit_pair_rows(edit, CIRCLE, "%")

    # arc object
    start_rows(arc, ARC, add)
    q = quotes(arc["DP"])
    add("R", "DP", ARC, MENU, q[0], q[1])
    add("R", "DP", ARC, ALL, q[2], q[3])
    q = quotes(arc["DLL"])
    add("M", "DLL", ARC, MENU, q[0], q[1])
    add("R", "DLL", ARC, MENU, q[2], q[3])
    add("M", "DLL", ARC, ALL, q[4], q[1])
    add("R", "DLL", ARC, ALL, ends_in(q[2], q[5]), q[3])
    if 'as for "BB"' not in arc["LLL"]:
        q = quotes(arc["LLL"])
        add("M", "LLL", ARC, MENU, q[0], q[1])
        add("M", "LLL", ARC, ALL, q[2], q[3])
    q = quotes(arc["DNP"])
    add("M", "DNP", ARC, MENU, q[0], q[2])
    add("M", "DNP", ARC, ALL, q[1], q[2])
    add("R", "DNP", ARC, ANYG, q[3], q[4])
    edit = [b for b in bullets_after(g, "Work pairs of an arc object") if 'begins with "#"' in b][0]
    rows += edit_pair_rows(edit, ARC, "#")

    # the polygon mode pair
    for b in bullets_after(g, "Polygon mode pair"):
        guidance = MENU if b.startswith("- Menu") else ALL
        sign = 1 if "n > 0" in b.split(":")[0] else 2
        q = quotes(b)
        if len(q) == 1:
            hint = [r[6] for r in rows if r[0] == "G" and r[4] == sign and r[3] == MENU][0]
            rows.append(("G", "NPP", ANYO, guidance, sign, q[0], hint))
        else:
            rows.append(("G", "NPP", ANYO, guidance, sign, q[0], q[1]))

    # the continuous-polygon pairs
    q = quotes(line_starting(g, "Continuous-polygon pairs"))
    assert q[0] == "DNP"
    for pair, p, h in (("O", q[1], q[2]), ("I", q[3], q[4])):
        rows.append((pair, "DNP", ANYO, MENU, 0, p, h))
        rows.append((pair, "DNP", ANYO, ALL, 0, p + q[5], h))
    return rows


def edit_rows(g):
    tails = []
    for b in bullets_after(g, "Tail rows"):
        if "the edit pair" in b:
            tails.append((quotes(b)[0], "", "E", 0, "", ""))
        elif "(mode " in b:
            q = quotes(b)
            for tail, mode in re.findall(r'"(%[^"]*)" \(mode "([^"]*)"\)', b):
                tails.append((tail, mode, "T", 1, q[-2], q[-1]))
        elif "complete circle-edit patterns" in b:
            for tail in quotes(b):
                if tail.startswith("%"):
                    tails.append((tail, "", "C", 0, "", ""))
    arcs = []
    for b in bullets_after(g, "Arc-edit rows"):
        q = quotes(b)
        if b.startswith("- Pair cleared"):
            arcs += [(t, "", "X", 0, "", "") for t in q]
        elif "the edit pair" in b:
            arcs.append((q[0], "", "E", 1, "", ""))
        elif "the same prompt with the hint" in b:
            keys = re.findall(r'"(#[^"]*)"(?: and|\s\(mode)', b)
            mode = re.search(r'\(mode "([^"]*)"\)', b).group(1)
            prompt = arcs[-1][4]
            for k in keys:
                arcs.append((k, mode, "T", 1, prompt, q[-1]))
        elif "(mode " in b:
            m = re.match(r'- "([^"]*)" \(mode "([^"]*)"\)', b)
            arcs.append((m.group(1), m.group(2), "T", 1, q[-2], q[-1]))
        elif "always" in b:
            arcs.append((q[0], "", "T", 0, q[1], q[2]))
    return tails, arcs


# ---- construction steps ------------------------------------------------------------------------

def step_kinds(s):
    out = []
    for b in bullets_after(s, "The token strings by first letter"):
        key, rest = head_key(b)
        if key is None:
            continue
        for seg in split_top(rest, "; "):
            seg = seg.split(", each only")[0]
            keys = quotes(seg)
            if seg.startswith("text row"):
                kind = "T"
            elif seg.startswith("mode-pair rows for circle objects only"):
                kind = "m"
            elif seg.startswith("mode-pair row"):
                kind = "M"
            elif seg.startswith("radius-pair rows for circle objects only"):
                kind = "R"
            elif seg.startswith("radius-pair rows for both"):
                kind = "r"
            elif seg.startswith("polygon-pair rows"):
                kind = "P"
            elif "is cleared when the kind flag is on" in seg:
                kind = "L"
            else:
                sys.exit("unknown kind: " + seg)
            out += [(k, kind) for k in keys]
    return out


def read_pair(text, i):
    """A text pair "p" / "h" from position i: (prompt, hint, end)."""
    m = re.compile(r'\s*' + EXPR.pattern + r'\s*/\s*' + EXPR.pattern).match(text, i)
    if not m:
        sys.exit("no pair at: " + text[i:i + 60])
    both = quotes(m.group(0))
    return both[0], both[1], m.end()


def step_rows(s):
    rows = []
    for b in bullets_after(s, "Text rows, with the texts"):
        m = re.match(r'- "([^"]*)" \(([^)]*)\):\s*', b)
        tokens, where = m.group(1), m.group(2)
        rest = b[m.end():]
        if where.startswith("mode "):
            mode = quotes(where)[0]
        else:
            assert "any mode" in where
            mode = ""
        if rest.startswith('"'):
            p, h, _ = read_pair(rest, 0)
            rows.append((tokens, mode, ANYO, ANYG, 0, 0, 0, p, h))
            continue
        i = 0
        while i < len(rest):
            colon = rest.index(":", i)
            label = rest[i:colon].strip(" ;.")
            j = colon + 1
            obj = ANYO if label.startswith("circle and arc") else CIRCLE if label.startswith("circle") else ARC
            guidance = MENU if "menu guidance" in label else ALL if "all-patterns" in label else ANYG
            concentric = 1 if "concentric flag on" in label else 2 if "concentric flag off" in label else 0
            sign = 1 if "n > 0" in label else 2 if "n <= 0" in label else 0
            if rest[j:].lstrip().startswith("pair cleared"):
                rows.append((tokens, mode, obj, guidance, concentric, sign, 1, "", ""))
                i = rest.index("pair cleared", j) + len("pair cleared")
            else:
                p, h, i = read_pair(rest, j)
                rows.append((tokens, mode, obj, guidance, concentric, sign, 0, p, h))
            while i < len(rest) and rest[i] in "; .":
                i += 1
    return rows


# ---- macro step prompts -----------------------------------------------------------------------

def letter_words(words, pattern, first):
    """The words of a pattern's inputs from a list of words, "W for X" entries and
    "W for the final P" entries: an entry for a letter applies where that letter stands."""
    mapped = [w for w in words if " for " in w]
    out = []
    if len(mapped) == len(words):
        table = {}
        for w in words:
            word, letters = w.split(" for ", 1)
            exception = re.search(r'\((\S+) in "([^"]*)"\)', letters)
            letters = re.sub(r"\s*\(.*\)", "", letters)
            if exception and exception.group(2) == pattern:
                word = exception.group(1)
            if letters == "the final P":
                table["P$"] = word
            elif letters.startswith("the P before"):
                table["P"] = word
            else:
                for letter in re.split(r" and |, ", letters):
                    table[letter.strip()] = word
        for i, letter in enumerate(pattern):
            if i < first:
                continue
            if letter == "P" and i == len(pattern) - 1 and "P$" in table:
                out.append(table["P$"])
            else:
                out.append(table[letter])
        return out
    i = first
    for w in words:
        if i >= len(pattern):
            break
        if " for " in w:
            word, letter = w.split(" for ", 1)
            if pattern[i] != letter:
                continue
            w = word
        out.append(w)
        i += 1
    return out


def macro_text(name, words, step):
    return "Macro[" + name + "] " + " ".join("【" + w + "】" if i == step else w for i, w in enumerate(words))


def creation_macro_rows(bullets):
    rows = {}
    for b in bullets:
        if b.startswith("- Arc edits") or b.startswith("- Circle edits"):
            continue
        for part in re.split(r"\.\s+(?=\")", b[2:].rstrip(".")):
            m = re.match(r'"([^"]*)"(?: / "([^"]*)")?\s*(\(([^)]*)\))?\s*:\s*(.*)$', part)
            circle_name, arc_name, note, body = m.group(1), m.group(2), m.group(4) or "", m.group(5)
            objects = []
            if arc_name:
                objects = [(CIRCLE, circle_name), (ARC, arc_name)]
            elif "circle objects only" in note:
                objects = [(CIRCLE, circle_name)]
            else:
                objects = [(ANYO, circle_name)]
            first_arc = re.search(r'first step on arc objects reads "([^"]*)"', note)
            for group in split_top(body, "; "):
                head, words = group.split(" — ")
                words = re.sub(r'\s*\(for "[^)]*\)$', "", words)
                words = split_top(words, ", ")
                for pattern in quotes(head):
                    for obj, name in objects:
                        ws = letter_words(words, pattern, 0)
                        texts = [macro_text(name, ws, i) for i in range(len(pattern))]
                        if obj == ARC and first_arc:
                            texts[0] = macro_text(first_arc.group(1), ws, 0)
                        rows[(pattern, obj, 0)] = texts
    return rows


def opening(text):
    """Where the parenthesis that closes text opens."""
    depth = 0
    for i in range(len(text) - 1, -1, -1):
        if text[i] == ")":
            depth += 1
        elif text[i] == "(":
            depth -= 1
            if depth == 0:
                return i
    sys.exit("no parenthesis: " + text)


def edit_macro_rows(bullet, part):
    rows = {}
    body = bullet[bullet.index("): ") + 3:].rstrip(".")
    previous = None
    words_of = {}
    for group in split_top(body, "; "):
        carry = re.match(r'((?:"[^"]*",? ?(?:and )?)+) carry the words of ((?:"[^"]*",? ?(?:and )?)+)$', group)
        if carry:
            for a, b in zip(quotes(carry.group(1)), quotes(carry.group(2))):
                words_of[a] = words_of[b]
            continue
        if " — " in group:
            head, words = group.split(" — ")
        else:
            at = opening(group)
            head, words = group[:at], group[at + 1:-1]
        carry_note = re.search(r'\s*\(((?:"[^"]*",? ?(?:and )?)+) carry the words of "([^"]*)"\)$', words)
        if carry_note:
            words = words[:carry_note.start()]
        head = re.sub(r"\(([^)]*)\)", r"\1", head)
        names = [q for q in quotes(head) if q[0] not in "#%"]
        patterns = [q for q in quotes(head) if q[0] in "#%"]
        if words == "the same words":
            names_words = previous[1]
        else:
            names_words = split_top(words, ", ")
        previous = (names, names_words)
        edit_word = names_words[0]
        for k, pattern in enumerate(patterns):
            name = names[k] if len(names) == len(patterns) else names[0]
            ws = [edit_word]
            rest = names_words[1:]
            if rest and rest[0].startswith("then ") and not rest[0].startswith("then the start"):
                if len(rest) == len(patterns) and all(" or " not in w for w in rest):
                    rest = [rest[k]]
            rest = [w[5:] if w.startswith("then ") and not w.startswith("then the start") else w for w in rest]
            letters = pattern[1:]
            if rest and all(" for " in w for w in rest):
                table = {}
                for w in rest:
                    word, letter = w.split(" for ")
                    table[letter] = word
                ws += [table[ch.lower()] for ch in letters]
            else:
                for i, w in enumerate(rest):
                    w = re.sub(r"^(then the start and the end: |and )", "", w)
                    if " or " in w:
                        alternatives = w.split(" or ")
                        if len(alternatives) == len(patterns):
                            w = alternatives[k]
                        else:
                            w = alternatives["PALC".index(letters[i].upper())]
                    ws.append(w)
            words_of[pattern] = (name, ws)
        if carry_note:
            for a in quotes(carry_note.group(1)):
                words_of[a] = words_of[carry_note.group(2)]
    for pattern, (name, ws) in words_of.items():
        texts = []
        for i in range(len(pattern)):
            shown = list(ws)
            shown[0] = "【" + ws[0] + "ダブルクリック】" if i == 0 else ws[0]
            texts.append("Macro[" + name + "] " + " ".join(
                "【" + w + "】" if j == i and i > 0 else w for j, w in enumerate(shown)))
        rows[(pattern, ANYO, part)] = texts
    return rows


def quoted_macro_rows(bullets, rows):
    for b in bullets:
        m = re.match(r'- ((?:"[^"]*"(?:,? and |, )?)+)(, )?([^:"]*):\s*(.*)$', b)
        patterns = quotes(m.group(1))
        label = m.group(3)
        body = m.group(4).rstrip(".")
        for seg in split_top(body, "; "):
            seg = seg.strip()
            same = re.match(r'(?:the )?arc object (?:has )?the same (?:texts )?with "(\[[^\]]*\])"', seg)
            if same:
                for pattern in patterns:
                    circle = rows[(pattern, CIRCLE, 0)]
                    old = re.match(r"Macro(\[[^\]]*\])", circle[0]).group(1)
                    rows[(pattern, ARC, 0)] = [t.replace(old, same.group(1), 1) for t in circle]
                continue
            lm = re.match(r"(circle object|arc object|both objects):\s*", seg)
            texts = quotes(seg)
            where = lm.group(1) if lm else (label or "both objects")
            for pattern in patterns:
                part = 1 if pattern[0] == "#" else 2 if pattern[0] == "%" else 0
                if part:
                    rows[(pattern, ANYO, part)] = texts
                elif where == "circle object":
                    rows[(pattern, CIRCLE, 0)] = texts
                elif where == "arc object":
                    rows[(pattern, ARC, 0)] = texts
                else:
                    assert (pattern, ANYO, 0) in rows, pattern
                    rows[(pattern, ANYO, 0)] = texts


def macro_rows(m):
    by_construction = bullets_after(m, "Rows, by construction")
    rows = creation_macro_rows(by_construction)
    for b in by_construction:
        if b.startswith("- Arc edits"):
            rows.update(edit_macro_rows(b, 1))
        elif b.startswith("- Circle edits"):
            rows.update(edit_macro_rows(b, 2))
    quoted_macro_rows(bullets_after(m, "Rows given in full"), rows)
    return rows


def rubber_messages(r):
    out = []
    for line in r:
        for q in quotes(line):
            if q.endswith("表示しました") and q not in out:
                out.append(q)
    return out


# ---- output ------------------------------------------------------------------------------------

def lit(s):
    if s is None:
        return "nullptr"
    assert '"' not in s and "\\" not in s
    return '"' + s.replace(RADIUS, '" "\\x01" "') + '"'


def main():
    source = sys.argv[1]
    out = sys.argv[2] if len(sys.argv) > 2 else "commands/circle/CircleGuidanceTexts.cpp"
    lines = open(source, encoding="utf-8").read().split("\n")
    g = section(lines, "Guidance of the circle and arc command")
    s = section(lines, "Guidance texts of the circle and arc construction steps")
    m = section(lines, "Macro step prompts of the circle and arc command")
    r = section(lines, "Rubber-band preview of the circle and arc command")

    pairs = mode_pair_rows(g)
    tails, arcs = edit_rows(g)
    kinds = step_kinds(s)
    steps = step_rows(s)
    macros = macro_rows(m)
    messages = rubber_messages(r)

    w = []
    w.append("// Generated by scripts/make_circle_texts.py: the circle and arc command's texts. Do not edit;")
    w.append("// run the script again instead.")
    w.append('#include "commands/circle/CircleGuidanceTexts.h"')
    w.append("")
    w.append("namespace CircleTexts {")
    w.append("")
    w.append("const CCircleModePairRow kModePairs[] = {")
    for p in pairs:
        w.append("    { '%s', %s, %d, %d, %d,\n      %s,\n      %s }," % (p[0], lit(p[1]), p[2], p[3], p[4], lit(p[5]), lit(p[6])))
    w.append("};")
    w.append("const int kModePairCount = %d;" % len(pairs))
    w.append("")
    w.append("const CCircleStepKind kStepKinds[] = {")
    for k in kinds:
        w.append("    { %s, '%s' }," % (lit(k[0]), k[1]))
    w.append("};")
    w.append("const int kStepKindCount = %d;" % len(kinds))
    w.append("")
    w.append("const CCircleStepRow kStepRows[] = {")
    for x in steps:
        w.append("    { %s, %s, %d, %d, %d, %d, %d,\n      %s,\n      %s }," % (
            lit(x[0]), lit(x[1]), x[2], x[3], x[4], x[5], x[6], lit(x[7]), lit(x[8])))
    w.append("};")
    w.append("const int kStepRowCount = %d;" % len(steps))
    w.append("")
    for name, table in (("kTailRows", tails), ("kArcEditRows", arcs)):
        w.append("const CCircleEditRow %s[] = {" % name)
        for x in table:
            w.append("    { %s, %s, '%s', %d,\n      %s,\n      %s }," % (lit(x[0]), lit(x[1]), x[2], x[3], lit(x[4]), lit(x[5])))
        w.append("};")
        w.append("const int %sCount = %d;" % (name.replace("Rows", "Row"), len(table)))
        w.append("")
    w.append("const CCircleMacroRow kMacroRows[] = {")
    for (pattern, obj, part), texts in macros.items():
        cells = [lit(t) for t in texts] + ["nullptr"] * (4 - len(texts))
        assert len(texts) <= 4
        w.append("    { %s, %d, %d, {\n      %s } }," % (lit(pattern), obj, part, ",\n      ".join(cells)))
    w.append("};")
    w.append("const int kMacroRowCount = %d;" % len(macros))
    w.append("")
    w.append("const char* const kRubberBandMessages[] = {")
    for x in messages:
        w.append("    %s," % lit(x))
    w.append("};")
    w.append("const int kRubberBandMessageCount = %d;" % len(messages))
    w.append("")
    w.append("} // namespace CircleTexts")
    open(out, "w", encoding="utf-8").write("\n".join(w) + "\n")


if __name__ == "__main__":
    main()
