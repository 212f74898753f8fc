#!/usr/bin/env python3
"""Writes commands/line/LineGuidanceTexts.cpp: the prompts, hints, macro step prompts and the
rubber-band message of the line command, taken from the Markdown text in which the command's
guidance was written down, so that no text is typed twice.

    scripts/make_line_texts.py TEXT.md [OUT.cpp [LOOP_OUT.cpp]]

TEXT.md holds the sections headed "Line command guidance", "Line command rubber band",
"Macro step prompts of the line command" and "Loop command guidance and macro step prompts"; the
last gives the loop command's texts, written to commands/line/LoopGuidanceTexts.cpp. Every text is copied byte for byte from there; only
the default macro prompts that the text gives by their words are composed, blank-separated.
"""

import re
import sys

from make_circle_texts import line_starting, section


def quotes(text):
    return re.findall(r'"([^"]*)"', text)


def table_after(lines, prefix):
    """The data rows of the first table after the line beginning with prefix."""
    rows, found, seen = [], False, False
    for line in lines:
        if not found:
            found = line.strip().startswith(prefix)
            continue
        if line.startswith("|"):
            seen = True
            if re.match(r"^\|[-| ]+\|$", line.strip()):
                continue
            rows.append(line.rstrip("\n"))
        elif seen:
            break
    if not found:
        sys.exit("no table after " + prefix)
    return rows[1:]  # without the header


def split_cells(line):
    """Cells of a table row; a '|' inside quotes belongs to the text."""
    out, cur, quoted = [], "", False
    body = line.strip()[1:-1]
    for ch in body:
        if ch == '"':
            quoted = not quoted
        if ch == "|" and not quoted:
            out.append(cur.strip())
            cur = ""
        else:
            cur += ch
    out.append(cur.strip())
    return out


START_PROMPT, START_HINT, CONTINUOUS = "\x02S", "\x02H", "\x02C"


def text_of(part, refs):
    part = part.strip().rstrip(";").strip()
    q = quotes(part)
    if q:
        return q[0]
    for name, value in refs.items():
        if part.startswith(name):
            return value
    sys.exit("no text in " + part)


def menu_and_all(cell, refs):
    """(menu text, all-patterns text or None, the all text needs the flag)."""
    m = re.match(r'^(.*?);\s*all(, only with the flag)?:\s*(.*)$', cell)
    if not m:
        return text_of(cell, refs), None, 0
    return text_of(m.group(1), refs), text_of(m.group(3), refs), 1 if m.group(2) else 0


def guidance(g):
    out = {}
    q = quotes(line_starting(g, "- All-lines pair:"))
    out["all_lines"] = (q[0], q[1])
    q = quotes(line_starting(g, "- Start-line pair:"))
    out["start_line"] = (q[0], q[1])
    para = line_starting(g, 'With the mode pattern "LP" the continuous pair')
    q = quotes(para[para.index("filled as well"):])
    out["continuous"] = (q[0], q[1])

    modes = []
    for row in table_after(g, "1. Build the work pairs"):
        c = split_cells(row)
        if c[0] == "any other":
            continue
        q = quotes(c[1])
        if c[2] == "the all-lines pair":
            kind = "L"
        elif c[2] == "the same":
            kind = "S"
        elif c[2].startswith("the same, except"):
            kind = "X"
        else:
            sys.exit("mode row " + row)
        modes.append((quotes(c[0])[0], q[0], q[1], kind))
    out["modes"] = modes

    q = quotes(line_starting(g, "- All-patterns guidance, whatever the mode pattern:"))
    out["lead_all"] = (q[0], q[1])
    lead = []
    for row in table_after(g, "- Menu guidance, by mode pattern:"):
        c = split_cells(row)
        if c[0] == "any other":
            continue
        lead.append((quotes(c[0])[0], quotes(c[1])[0], quotes(c[2])[0]))
    out["lead"] = lead

    para = line_starting(g, "Edit-step rows")
    cut_hint = quotes(para[para.index("cut hint H"):])[0]
    steps = []
    for row in table_after(g, "Edit-step rows"):
        c = split_cells(row)
        hint = cut_hint if c[3] == "H" else quotes(c[3])[0]
        steps.append((quotes(c[0])[0], quotes(c[1])[0], quotes(c[2])[0], hint))
    out["edit_steps"] = steps
    para = line_starting(g, 'The "#E" row tests')
    out["edit_cleared"] = quotes(para[para.index("The complete edit patterns"):])

    para = line_starting(g, "Token strings that take the mode pair")
    out["mode_tokens"] = quotes(para[para.index(":"):])
    para = line_starting(g, "Token strings that take the continuous pair")
    out["continuous_tokens"] = quotes(para[para.index(":"):])

    refs = {"the start-line prompt": START_PROMPT, "the start-line hint": START_HINT,
            "the continuous pair": CONTINUOUS}
    rows = []
    for row in table_after(g, "Construction rows"):
        c = split_cells(row)
        cond = c[1]
        mm = re.search(r'mode "([^"]*)"', cond)
        mode = mm.group(1) if mm else ""
        if "flag off" in cond:
            flag = 2
        elif "without the flag" in cond or "flag not needed" in cond or cond == "always" or "flag" not in cond:
            flag = 0
        else:
            flag = 1
        prompt, all_prompt, p_needs = menu_and_all(c[2], refs)
        hint, all_hint, h_needs = menu_and_all(c[3], refs)
        for tokens in quotes(c[0]):
            rows.append((tokens, mode, flag, p_needs or h_needs, prompt, all_prompt, hint, all_hint))
    out["rows"] = rows
    return out


def macro(m):
    rows = []

    def regular(prefix, edit):
        for row in table_after(m, prefix):
            c = split_cells(row)
            name, words = c[1], c[2].split()
            texts = []
            for i in range(len(words)):
                shown = list(words)
                if edit and i == 0:
                    shown[0] = "【編集線分ダブルクリック】"
                else:
                    shown[i] = "【" + words[i] + "】"
                texts.append("Macro[" + name + "] " + " ".join(shown))
            for pattern in quotes(c[0]):
                rows.append((pattern, edit, texts))

    regular("Creation rows that follow the regular rule", 0)
    regular("Edit rows that follow the regular rule", 1)
    found = False
    for line in m:
        if line.startswith("Rows given in full"):
            found = True
            continue
        if found and line.startswith("- "):
            mm = re.match(r'- "([^"]*)": (.*)$', line.rstrip())
            pattern, rest = mm.group(1), mm.group(2)
            rest = rest.split("; the row has no text")[0]
            texts = []
            for piece in re.finditer(r'"([^"]*)"( for steps 0 and 1)?', rest):
                texts.append(piece.group(1))
                if piece.group(2):
                    texts.append(piece.group(1))
            rows.append((pattern, 1 if pattern.startswith("#") else 0, texts))
        elif found and line.strip() and not line.startswith("- "):
            break
    return rows


def lit(s):
    if s is None:
        return "nullptr"
    out = '"'
    for ch in s:
        if ch == "\x02":
            out += '\\x02" "'
        elif ch in '"\\':
            out += "\\" + ch
        else:
            out += ch
    return out + '"'


def loop_texts(lp):
    """Named texts of the loop command, in the order LoopGuidanceTexts.h declares them."""
    out = []

    def take(prefix, start=0, count=2):
        q = quotes(line_starting(lp, prefix))
        out.extend(q[start:start + count])

    take("- Join prompt M:")
    take("- Start prompt G:")
    take("- Join prompt G:")
    q = quotes(line_starting(lp, "- Arc-curve prompt, first part:"))
    out.extend(q[0:6])      # first parts of cases 2 and 3, the two second parts with their hints
    take("- token string empty, not extracting:")
    para = line_starting(lp, '- "OAP", "OD", "OQ" or "OLQ" (after an operation)')
    out.extend(quotes(para[para.index("otherwise"):]))
    take('- "O": "{', 1)
    take('- "OA": "[', 1)
    para = line_starting(lp, "3. Otherwise, when the loop multi-command flag is on.")
    out.extend(quotes(para))
    take('- token string empty: mode pattern "AV"', 1, 2)
    para = line_starting(lp, '- "O": mode "OAP"')
    q = quotes(para)
    out.extend([q[2], q[3], q[5], q[6], q[8], q[9]])
    take('- "OA": mode "OAP"', 2, 2)
    macros = []
    for pattern in ("OAP", "OD", "OQ", "OLQ"):
        line = line_starting(lp, '- "%s": 0 "' % pattern)
        macros.append((pattern, quotes(line)[1:]))
    return out, macros


LOOP_NAMES = [
    "kJoinPromptM", "kJoinHintM", "kStartPromptG", "kStartHintG", "kJoinPromptG", "kJoinHintG",
    "kArcCurveFirstMulti", "kArcCurveFirstFlag", "kArcCurveBefore", "kArcCurveBeforeHint",
    "kArcCurveWhile", "kArcCurveWhileHint", "kMultiStartPrompt", "kMultiStartHint",
    "kMultiAfterPrompt", "kMultiAfterHint", "kMultiOPrompt", "kMultiOHint", "kMultiOAPrompt",
    "kMultiOAHint", "kPopupPromptTail", "kPopupHintTail", "kArcModePrompt", "kArcModeHint",
    "kHatchOPrompt", "kHatchOHint", "kOffsetOPrompt", "kOffsetOHint", "kComputeOPrompt",
    "kComputeOHint", "kHatchOAPrompt", "kHatchOAHint",
]


def write_loop(src, target):
    texts, macros = loop_texts(section(src, "Loop command guidance and macro step prompts"))
    if len(texts) != len(LOOP_NAMES):
        sys.exit("loop texts: %d, names: %d" % (len(texts), len(LOOP_NAMES)))
    w = ["// Generated by scripts/make_line_texts.py: the loop command's texts. Do not edit; run the",
         "// script again instead.",
         '#include "commands/line/LoopGuidanceTexts.h"', "", "namespace LoopTexts {", ""]
    for name, text in zip(LOOP_NAMES, texts):
        w.append("const char* const %s =\n    %s;" % (name, lit(text)))
    w.append("")
    w.append("const CLoopMacroRow kMacroRows[] = {")
    for pattern, steps in macros:
        cellz = [lit(t) for t in steps] + ["nullptr"] * (3 - len(steps))
        w.append("    { %s, {\n      %s } }," % (lit(pattern), ",\n      ".join(cellz)))
    w.append("};")
    w.append("const int kMacroRowCount = %d;" % len(macros))
    w.append("")
    w.append("} // namespace LoopTexts")
    open(target, "w", encoding="utf-8").write("\n".join(w) + "\n")


def main():
    src = open(sys.argv[1], encoding="utf-8").read().split("\n")
    target = sys.argv[2] if len(sys.argv) > 2 else "commands/line/LineGuidanceTexts.cpp"
    g = guidance(section(src, "Line command guidance"))
    rb = section(src, "Line command rubber band")
    cut_message = quotes(line_starting(rb, '| "#p", "#l", "#c"'))[3]
    macros = macro(section(src, "Macro step prompts of the line command"))

    w = ["// Generated by scripts/make_line_texts.py: the line command's texts. Do not edit; run the",
         "// script again instead.",
         '#include "commands/line/LineGuidanceTexts.h"', "", "namespace LineTexts {", ""]
    for name, key in (("kAllLines", "all_lines"), ("kStartLine", "start_line"), ("kContinuous", "continuous"),
                      ("kEditLeadAll", "lead_all")):
        w.append("const CLineTextPair %s = {\n    %s,\n    %s };" % (name, lit(g[key][0]), lit(g[key][1])))
    w.append("")
    w.append("const CLineModePairRow kModePairs[] = {")
    for x in g["modes"]:
        w.append("    { %s, '%s',\n      %s,\n      %s }," % (lit(x[0]), x[3], lit(x[1]), lit(x[2])))
    w.append("};")
    w.append("const int kModePairCount = %d;" % len(g["modes"]))
    w.append("")
    for name, table in (("kEditLeadRows", [("#", x[0], x[1], x[2]) for x in g["lead"]]),
                        ("kEditStepRows", g["edit_steps"])):
        w.append("const CLineEditRow %s[] = {" % name)
        for x in table:
            w.append("    { %s, %s,\n      %s,\n      %s }," % (lit(x[0]), lit(x[1]), lit(x[2]), lit(x[3])))
        w.append("};")
        w.append("const int %sCount = %d;" % (name.replace("Rows", "Row"), len(table)))
        w.append("")
    for name, items in (("kEditClearedPatterns", g["edit_cleared"]), ("kModePairTokens", g["mode_tokens"]),
                        ("kContinuousTokens", g["continuous_tokens"])):
        w.append("const char* const %s[] = { %s };" % (name, ", ".join(lit(x) for x in items)))
        w.append("const int %sCount = %d;" % (name[:-1] if name.endswith("s") else name, len(items)))
        w.append("")
    w.append("const CLineStepRow kStepRows[] = {")
    for x in g["rows"]:
        w.append("    { %s, %s, %d, %d,\n      %s,\n      %s,\n      %s,\n      %s }," % (
            lit(x[0]), lit(x[1]), x[2], x[3], lit(x[4]), lit(x[5]), lit(x[6]), lit(x[7])))
    w.append("};")
    w.append("const int kStepRowCount = %d;" % len(g["rows"]))
    w.append("")
    w.append("const CLineMacroRow kMacroRows[] = {")
    for pattern, edit, texts in macros:
        assert len(texts) <= 5
        cellz = [lit(t) for t in texts] + ["nullptr"] * (5 - len(texts))
        w.append("    { %s, %d, {\n      %s } }," % (lit(pattern), edit, ",\n      ".join(cellz)))
    w.append("};")
    w.append("const int kMacroRowCount = %d;" % len(macros))
    w.append("")
    w.append("const char* const kCutModeMessage = %s;" % lit(cut_message))
    w.append("")
    w.append("} // namespace LineTexts")
    open(target, "w", encoding="utf-8").write("\n".join(w) + "\n")
    write_loop(src, sys.argv[3] if len(sys.argv) > 3 else "commands/line/LoopGuidanceTexts.cpp")


if __name__ == "__main__":
    main()
