#!/usr/bin/env python3
"""Kestrune's text catalogue: the Japanese texts of the code and their translations in po/*.po.

Every text a player reads is written once, in Japanese, as the argument of text::Tr("…") (or
ui::QTr("…") in the windows), text::Trf("…", {…}) (a whole message with {0}, {1} …
placeholders), text::TrMark("…") (a table entry translated where it is shown) or
text::TrfIn("context", "…", {…}) (the same Japanese text where another language words it
differently: gettext's msgctxt). The Japanese text is the msgid of a gettext catalogue, so
translators work in their usual tools (Poedit, Lokalize, msgmerge).

  make_catalogue.py --po po/en.po --header OUT.h [--msgfmt msgfmt]
      compiles the catalogue into a C++ table for the core (the build runs this);
  make_catalogue.py --check [--msgfmt msgfmt]
      fails when a text of the code has no translation, a translation's placeholders differ
      from its source, a translation holds Japanese (but the language item 日本語) or a line
      ending in a space, a Japanese literal is shown without the catalogue, an entry is no
      longer used, or po/kestrune.pot is out of date;
  make_catalogue.py --update-pot
      rewrites po/kestrune.pot from the code; then `msgmerge --update po/en.po po/kestrune.pot`
      brings new texts into the catalogue for translation.
"""

import argparse
import pathlib
import re
import subprocess
import sys

ROOT = pathlib.Path(__file__).resolve().parent.parent
MARKERS = ("Tr", "Trf", "TrMark", "QTr", "TrfIn")
PLACEHOLDER = re.compile(r"\{([0-9])\}")
# A message in a context is keyed as gettext keys it: the context, EOT, the Japanese text.
CONTEXT_SEPARATOR = "\x04"
# Japanese script: kana, CJK ideographs and punctuation, full-width forms.
JAPANESE = re.compile("[\u3000-\u30ff\u3400-\u4dbf\u4e00-\u9fff\uff00-\uffef]")
# The one Japanese text an English message may hold: the language menu's own item.
JAPANESE_ALLOWED_IN_ENGLISH = "日本語"

# Japanese literals that are shown as they are, in every language.
UNTRANSLATED = {
    "ＭＳ Ｐゴシック": "a font family name, not a text",
    "日本語": "the language's own name in the language menu",
    "60：00": "ranking design caption, replaced by the stored time before the window shows",
    "β": "the About box's beta mark, a symbol",
    "↑": "an arrow key's symbol",
    "↓": "an arrow key's symbol",
    "←": "an arrow key's symbol",
    "→": "an arrow key's symbol",
}

POT_HEADER = """\
# Kestrune's texts. The Japanese text of the game is the source of every message.
# Placeholders {0}, {1} … stand for numbers or names and may move within a translation.
# The English names of the directions and turns: the glossary at the top of po/en.po.
msgid ""
msgstr ""
"Project-Id-Version: Kestrune\\n"
"Report-Msgid-Bugs-To: \\n"
"POT-Creation-Date: 2026-12-07 00:00+0000\\n"
"PO-Revision-Date: YEAR-MO-DA HO:MI+ZONE\\n"
"Last-Translator: \\n"
"Language-Team: \\n"
"Language: \\n"
"MIME-Version: 1.0\\n"
"Content-Type: text/plain; charset=UTF-8\\n"
"Content-Transfer-Encoding: 8bit\\n"
"""


class CatalogueError(Exception):
    pass


# --- Reading C++ ---------------------------------------------------------------------------

SIMPLE_ESCAPES = {"n": "\n", "r": "\r", "t": "\t", '"': '"', "\\": "\\", "'": "'", "0": "\0"}


def cxx_tokens(text, path):
    """Identifiers, string literals (decoded) and single punctuation characters of a C++
    source, without comments and character literals. Yields (kind, value, line)."""
    i, line, n = 0, 1, len(text)
    while i < n:
        c = text[i]
        if c == "\n":
            line += 1
            i += 1
        elif c.isspace():
            i += 1
        elif text.startswith("//", i):
            i = text.find("\n", i)
            i = n if i < 0 else i
        elif text.startswith("/*", i):
            end = text.find("*/", i + 2)
            if end < 0:
                raise CatalogueError(f"{path}:{line}: unterminated comment")
            line += text.count("\n", i, end)
            i = end + 2
        elif c == "R" and text.startswith('R"', i):
            open_paren = text.find("(", i + 2)
            delim = text[i + 2 : open_paren]
            end = text.find(")" + delim + '"', open_paren)
            if open_paren < 0 or end < 0:
                raise CatalogueError(f"{path}:{line}: unterminated raw string")
            yield ("string", text[open_paren + 1 : end], line)
            line += text.count("\n", i, end)
            i = end + len(delim) + 2
        elif c == '"' or c == "'":
            j, value = i + 1, []
            while j < n and text[j] != c:
                if text[j] == "\\":
                    esc = text[j + 1]
                    if esc == "x":  # bytes such as a byte-order mark: never catalogue texts
                        k = j + 2
                        while k < n and text[k] in "0123456789abcdefABCDEF":
                            k += 1
                        value.append(text[j:k])
                        j = k
                        continue
                    if esc not in SIMPLE_ESCAPES:
                        raise CatalogueError(f"{path}:{line}: escape \\{esc} is not understood here")
                    value.append(SIMPLE_ESCAPES[esc])
                    j += 2
                elif text[j] == "\n":
                    raise CatalogueError(f"{path}:{line}: unterminated literal")
                else:
                    value.append(text[j])
                    j += 1
            if c == '"':
                yield ("string", "".join(value), line)
            i = j + 1
        elif c.isalpha() or c == "_":
            j = i
            while j < n and (text[j].isalnum() or text[j] == "_"):
                j += 1
            yield ("ident", text[i:j], line)
            i = j
        else:
            yield ("punct", c, line)
            i += 1


def scan_sources(src):
    """The catalogue texts of the code, in order of first use: {msgid: {"files", "marker"}},
    and the problems found (texts shown outside the catalogue, misused markers)."""
    used, problems = {}, []
    for path in sorted(p for p in src.rglob("*") if p.suffix in (".cpp", ".h")):
        rel = path.relative_to(ROOT).as_posix()
        tokens = list(cxx_tokens(path.read_text(encoding="utf-8"), rel))
        consumed = set()
        for k, (kind, value, line) in enumerate(tokens):
            if kind != "ident" or value not in MARKERS:
                continue
            if k + 2 >= len(tokens) or tokens[k + 1][1] != "(" or tokens[k + 2][0] != "string":
                continue
            first, context = k + 2, ""
            if value == "TrfIn":
                if first + 2 >= len(tokens) or tokens[first + 1][1] != ",":
                    problems.append(f"{rel}:{line}: TrfIn needs a context and a text")
                    continue
                context = tokens[first][1]
                consumed.add(first)
                first += 2
            # Adjacent literals form one text.
            j, parts = first, []
            while j < len(tokens) and tokens[j][0] == "string":
                parts.append(tokens[j][1])
                consumed.add(j)
                j += 1
            msgid = "".join(parts)
            has_placeholder = bool(PLACEHOLDER.search(msgid))
            if not msgid:
                problems.append(f"{rel}:{line}: {value}(\"\") has no text to translate")
            elif value in ("Trf", "TrfIn") and not has_placeholder:
                problems.append(f"{rel}:{line}: Trf text without a placeholder: use Tr")
            elif value not in ("Trf", "TrfIn") and has_placeholder:
                problems.append(f"{rel}:{line}: a text with placeholders needs Trf")
            if context:
                msgid = context + CONTEXT_SEPARATOR + msgid
            entry = used.setdefault(msgid, {"files": [], "line": line})
            if rel not in entry["files"]:
                entry["files"].append(rel)
        for k, (kind, value, line) in enumerate(tokens):
            if kind == "string" and k not in consumed and not value.isascii():
                if value not in UNTRANSLATED:
                    problems.append(f"{rel}:{line}: Japanese text outside the catalogue: {value!r}")
    return used, problems


# --- Reading and writing PO ----------------------------------------------------------------

PO_ESCAPES = {"n": "\n", "r": "\r", "t": "\t", '"': '"', "\\": "\\"}


def po_unquote(token, where):
    if not (len(token) >= 2 and token[0] == '"' and token[-1] == '"'):
        raise CatalogueError(f"{where}: expected a quoted string, found {token!r}")
    out, i, body = [], 0, token[1:-1]
    while i < len(body):
        if body[i] == "\\":
            if i + 1 >= len(body) or body[i + 1] not in PO_ESCAPES:
                raise CatalogueError(f"{where}: unknown escape in {token!r}")
            out.append(PO_ESCAPES[body[i + 1]])
            i += 2
        else:
            out.append(body[i])
            i += 1
    return "".join(out)


def parse_po(path):
    """Entries of a PO file in order: dicts with msgid, msgstr, fuzzy, comments."""
    entries, current, field = [], None, None

    def finish():
        if current is not None and "msgid" in current:
            if "msgctxt" in current:
                current["msgid"] = current.pop("msgctxt") + CONTEXT_SEPARATOR + current["msgid"]
            entries.append(current)

    for number, raw in enumerate(path.read_text(encoding="utf-8").splitlines(), 1):
        where = f"{path.name}:{number}"
        line = raw.strip()
        if not line:
            continue
        if line.startswith("#~"):
            continue  # an obsolete entry kept by msgmerge
        if line.startswith("#"):
            if current is not None and "msgstr" in current:
                finish()
                current = None
            if current is None:
                current = {"fuzzy": False, "comments": []}
            if line.startswith("#,") and "fuzzy" in line:
                current["fuzzy"] = True
            current["comments"].append(raw)
            continue
        keyword, _, rest = line.partition(" ")
        if keyword in ("msgctxt", "msgid", "msgstr"):
            if keyword in ("msgctxt", "msgid") and current is not None and "msgstr" in current:
                finish()
                current = None
            if current is None:
                current = {"fuzzy": False, "comments": []}
            if keyword in current:
                raise CatalogueError(f"{where}: {keyword} given twice")
            current[keyword] = po_unquote(rest.strip(), where)
            field = keyword
        elif keyword == "msgid_plural" or keyword.startswith("msgstr["):
            raise CatalogueError(f"{where}: {keyword} is not used by this game's catalogue")
        elif line.startswith('"'):
            if current is None or field not in current:
                raise CatalogueError(f"{where}: continuation without a msgid or msgstr")
            current[field] += po_unquote(line, where)
        else:
            raise CatalogueError(f"{where}: cannot read {line!r}")
    finish()
    for e in entries:
        if "msgstr" not in e:
            raise CatalogueError(f"{path.name}: {e['msgid']!r} has no msgstr")
    seen = set()
    for e in entries:
        if e["msgid"] in seen:
            raise CatalogueError(f"{path.name}: {e['msgid']!r} appears twice")
        seen.add(e["msgid"])
    return [e for e in entries if e["msgid"] != ""]


def po_quote(text):
    out = text.replace("\\", "\\\\").replace('"', '\\"').replace("\t", "\\t")
    return '"' + out.replace("\r", "\\r").replace("\n", "\\n") + '"'


def po_field(keyword, text):
    # A text with line breaks is written one line per break, as gettext's tools do.
    pieces = re.split(r"(?<=\n)", text)
    pieces = [p for p in pieces if p]
    if len(pieces) <= 1:
        return f"{keyword} {po_quote(text)}\n"
    return f'{keyword} ""\n' + "".join(po_quote(p) + "\n" for p in pieces)


def make_pot(used):
    out = [POT_HEADER]
    for msgid, info in used.items():
        out.append("\n#: " + " ".join(info["files"]) + "\n")
        context, separator, text = msgid.rpartition(CONTEXT_SEPARATOR)
        if separator:
            out.append(po_field("msgctxt", context))
        out.append(po_field("msgid", text))
        out.append('msgstr ""\n')
    return "".join(out)


# --- The C++ table -------------------------------------------------------------------------


def cxx_quote(text):
    out = text.replace("\\", "\\\\").replace('"', '\\"')
    out = out.replace("\r", "\\r").replace("\n", "\\n").replace("\t", "\\t")
    return '"' + out.replace(CONTEXT_SEPARATOR, "\\004") + '"'


def make_header(entries, po_name):
    # Sorted by the bytes of the Japanese text, which is how std::string_view compares.
    rows = sorted(
        ((e["msgid"], e["msgstr"]) for e in entries if e["msgstr"] and not e["fuzzy"]),
        key=lambda row: row[0].encode("utf-8"),
    )
    lines = [
        f"// Generated by tools/make_catalogue.py from po/{po_name}: edit the catalogue, not this file.",
        "#pragma once",
        "",
        "#include <string_view>",
        "",
        "namespace kestrune::text::generated {",
        "",
        "struct Entry {",
        "    std::string_view source;",
        "    std::string_view translation;",
        "};",
        "",
        "inline constexpr Entry kEnglish[] = {",
    ]
    lines += [f"    {{{cxx_quote(s)}, {cxx_quote(t)}}}," for s, t in rows]
    lines += ["};", "", "}  // namespace kestrune::text::generated", ""]
    return "\n".join(lines)


def run_msgfmt(msgfmt, po):
    result = subprocess.run(
        [msgfmt, "--check", "-o", "/dev/null", str(po)], capture_output=True, text=True
    )
    if result.returncode != 0:
        raise CatalogueError(f"msgfmt --check {po.name} failed:\n{result.stderr}")


def placeholders(text):
    return sorted(set(PLACEHOLDER.findall(text)))


def wording_problems(translation):
    """What a reader of the translation would stumble on: Japanese left in it, a line that
    ends in a space."""
    problems = []
    leftover = JAPANESE.findall(translation.replace(JAPANESE_ALLOWED_IN_ENGLISH, ""))
    if leftover:
        problems.append(f"the translation holds Japanese {''.join(leftover)!r}")
    if any(line != line.rstrip(" \t\u3000") for line in re.split(r"\r\n|\r|\n", translation)):
        problems.append("a line of the translation ends in a space")
    return problems


def check(po, pot, src, msgfmt):
    problems = []
    used, scan_problems = scan_sources(src)
    problems += scan_problems
    entries = {e["msgid"]: e for e in parse_po(po)}
    for msgid, info in used.items():
        where = info["files"][0]
        entry = entries.get(msgid)
        if entry is None:
            problems.append(f"{where}: no entry in {po.name} for {msgid!r}")
        elif entry["fuzzy"] or not entry["msgstr"]:
            problems.append(f"{po.name}: {msgid!r} is not translated (empty or fuzzy)")
        elif placeholders(entry["msgstr"]) != placeholders(msgid):
            problems.append(
                f"{po.name}: {msgid!r} has placeholders {placeholders(msgid)}, "
                f"its translation {entry['msgstr']!r} has {placeholders(entry['msgstr'])}"
            )
        else:
            problems += [f"{po.name}: {msgid!r}: {p}" for p in wording_problems(entry["msgstr"])]
    for msgid in entries:
        if msgid not in used:
            problems.append(f"{po.name}: {msgid!r} is no longer used by the code")
    if pot.read_text(encoding="utf-8") != make_pot(used):
        problems.append(f"{pot.name} is out of date: run tools/make_catalogue.py --update-pot")
    if msgfmt:
        for path in (po, pot):
            try:
                run_msgfmt(msgfmt, path)
            except CatalogueError as error:
                problems.append(str(error))
    return used, problems


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--po", type=pathlib.Path, default=ROOT / "po" / "en.po")
    parser.add_argument("--pot", type=pathlib.Path, default=ROOT / "po" / "kestrune.pot")
    parser.add_argument("--src", type=pathlib.Path, default=ROOT / "src")
    parser.add_argument("--msgfmt", help="validate the catalogue with this msgfmt")
    action = parser.add_mutually_exclusive_group(required=True)
    action.add_argument("--header", type=pathlib.Path, help="write the C++ table here")
    action.add_argument("--check", action="store_true")
    action.add_argument("--update-pot", action="store_true")
    args = parser.parse_args()
    try:
        if args.header:
            if args.msgfmt:
                run_msgfmt(args.msgfmt, args.po)
            text = make_header(parse_po(args.po), args.po.name)
            args.header.parent.mkdir(parents=True, exist_ok=True)
            args.header.write_text(text, encoding="utf-8")
        elif args.update_pot:
            used, problems = scan_sources(args.src)
            for problem in problems:
                print(problem, file=sys.stderr)
            args.pot.write_text(make_pot(used), encoding="utf-8")
        else:
            used, problems = check(args.po, args.pot, args.src, args.msgfmt)
            for problem in problems:
                print(problem, file=sys.stderr)
            if problems:
                return 1
            print(f"catalogue: {len(used)} texts, all translated in {args.po.name}")
    except CatalogueError as error:
        print(f"make_catalogue: {error}", file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
