#!/usr/bin/env python3
"""Fails when a text people read can't be translated, or the German translation lacks one.

The texts, in src/ui, src/delivery and src/app: a string literal that reads like words must be
inside tr(), QCoreApplication::translate(), QT_TR_NOOP() or QT_TRANSLATE_NOOP(). It reads like
words when it has a blank between two words, begins with a capital letter and a small one, or
holds "…"; placeholders (%1, %n) don't count. Literals that don't read like words are keys,
identifiers, symbol and file names, formats and style sheets ("color: %1;", "QLabel { … }"), and
stay as they are. Three exceptions, each with its reason:
  - QStringLiteral, QLatin1String and QByteArrayLiteral mark a literal as not for people (a
    settings value, a role name, a meeting title that is stored) unless it goes straight into
    one of Qt's text setters or text-taking widgets (setText, setToolTip, QLabel, addAction, …):
    shown there, it must be translated.
  - Log lines (debugLog, systemLog) and stream output (`out << "…"`, what the diagnostic modes
    print for scripts) stay English; so do object names, properties and style sheets.
  - The brand "Voxmere" and the speaker keys "You" and "Them" (data: their display names come
    from one function) are names, not texts. Two files hold tables of data: SnapshotMode.cpp's
    made-up calls and dictations, Focus.cpp's window classes and accessibility role names.

The German: lupdate is run over src/ into a copy of translations/voxmere_de.ts; the check fails
on a text without a finished translation (new English), on a translation whose text is gone
(vanished or obsolete), on a plural form left empty, and on a translation that drops or adds a
placeholder of its English (%1, %n), which would lose a name or a number. It also fails when
translations/voxmere.ts, the English texts alone, does not list exactly the texts of the sources.

Usage: check-translations.py <source root> <lupdate>
"""
import os
import re
import shutil
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ET

SCANNED = ["src/ui", "src/delivery", "src/app"]
DATA = {"src/app/SnapshotMode.cpp", "src/delivery/Focus.cpp"}
NAMES = {"Voxmere", "You", "Them"}
TRANSLATING = {"tr", "translate", "QT_TR_NOOP", "QT_TRANSLATE_NOOP", "QT_TR_N_NOOP",
               "QT_TRANSLATE_N_NOOP"}
NOT_FOR_PEOPLE = {"QStringLiteral", "QLatin1String", "QLatin1StringView", "QByteArrayLiteral"}
NEVER_SHOWN = {"debugLog", "systemLog", "qDebug", "qInfo", "qWarning", "qCritical", "qFatal",
               "setObjectName", "setProperty", "setStyleSheet", "QStyleFactory::create",
               "QDBusMessage::createMethodCall"}
SHOWN = {"setText", "setToolTip", "setWindowTitle", "setPlaceholderText", "setInformativeText",
         "setDetailedText", "setStatusTip", "setWhatsThis", "setAccessibleName",
         "setAccessibleDescription", "setTitle", "setLabelText", "setPrefix", "setSuffix",
         "setSpecialValueText", "addAction", "addMenu", "addSection", "addItem", "addItems",
         "addButton", "addTab", "insertItem", "QLabel", "QPushButton", "QToolButton",
         "QCheckBox", "QRadioButton", "QGroupBox", "QAction", "QMenu", "QMessageBox"}

TOKEN = re.compile(r'''
    (?P<comment>//[^\n]*|/\*.*?\*/)
  | (?P<directive>^[ \t]*\#[^\n]*)
  | (?P<raw>(?:u8|u|U|L)?R"(?P<delim>[^(\s]*)\((?P<rawbody>.*?)\)(?P=delim)")
  | (?P<string>(?:u8|u|U|L)?"(?P<body>(?:[^"\\\n]|\\.)*)")
  | (?P<char>'(?:[^'\\\n]|\\.)*')
  | (?P<name>[A-Za-z_]\w*(?:\s*::\s*[A-Za-z_]\w*)*)
  | (?P<shift><<)
  | (?P<open>\()
  | (?P<close>\))
  | (?P<space>[ \t\r\f\v]+|\n)
  | (?P<other>.)
''', re.VERBOSE | re.DOTALL | re.MULTILINE)

PLACEHOLDER = re.compile(r'%L?(?:\d{1,2}|n)')
STYLE = re.compile(r'[\w-]+\s*:\s*[^;]*;|\{')
KEYS = re.compile(r'^(?:(?:Ctrl|Shift|Alt|Meta)\+)+\S+$')


def reads_like_words(text):
    words = PLACEHOLDER.sub(' ', text)
    if STYLE.search(words) or KEYS.match(words):
        return False
    return bool(re.search(r'[A-Za-z]{2,}\S*\s+\S*[A-Za-z]', words)
                or re.match(r'\s*[A-Z][a-z]', words) or re.search(r'[A-Za-z]…', words))


def literals(source):
    """Yields (line, text, enclosing calls innermost first, marked not for people, streamed)."""
    calls = []
    last_name = None
    pending = None
    for m in TOKEN.finditer(source):
        kind = m.lastgroup
        if kind in ("comment", "directive", "space"):
            continue
        if kind in ("string", "raw"):
            body = m.group("body") if kind == "string" else m.group("rawbody")
            line = source.count("\n", 0, m.start()) + 1
            if pending and pending["adjacent"]:
                pending["text"] += body
            else:
                if pending:
                    yield pending
                marked = bool(calls) and calls[-1] in NOT_FOR_PEOPLE
                pending = {"line": line, "text": body, "calls": list(reversed(calls)),
                           "marked": marked, "streamed": last_name == "<<"}
            pending["adjacent"] = True
            last_name = None
            continue
        if pending:
            pending["adjacent"] = False
        if kind == "open":
            calls.append(last_name or "")
        elif kind == "close":
            if calls:
                calls.pop()
        last_name = re.sub(r'\s+', '', m.group()) if kind == "name" else (
            "<<" if kind == "shift" else None)
    if pending:
        yield pending


def untranslated(root):
    found = []
    for folder in SCANNED:
        for directory, _, files in os.walk(os.path.join(root, folder)):
            for name in sorted(files):
                if not name.endswith((".cpp", ".h")):
                    continue
                path = os.path.join(directory, name)
                relative = os.path.relpath(path, root)
                if relative in DATA:
                    continue
                with open(path, encoding="utf-8") as f:
                    source = f.read()
                for lit in literals(source):
                    text = lit["text"]
                    enclosing = {c.split("::")[-1] for c in lit["calls"]} | set(lit["calls"])
                    if PLACEHOLDER.sub("", text).strip() in NAMES or not reads_like_words(text):
                        continue
                    if enclosing & TRANSLATING or enclosing & NEVER_SHOWN or lit["streamed"]:
                        continue
                    if lit["marked"] and not enclosing & SHOWN:
                        continue
                    found.append(f"{relative}:{lit['line']}: \"{text}\" is not translatable")
    return found


def lupdate(tool, root, ts_files, keep_vanished):
    options = ["-silent", "-locations", "none", "-source-language", "en"]
    if not keep_vanished:
        options.append("-no-obsolete")
    subprocess.run([tool, *options, os.path.join(root, "src"), "-ts", *ts_files], check=True)


def messages(ts_file):
    for context in ET.parse(ts_file).getroot().iter("context"):
        for message in context.iter("message"):
            yield context.findtext("name"), message


def german_faults(root, tool):
    faults = []
    with tempfile.TemporaryDirectory() as work:
        german = os.path.join(work, "voxmere_de.ts")
        english = os.path.join(work, "voxmere.ts")
        shutil.copy(os.path.join(root, "translations", "voxmere_de.ts"), german)
        shutil.copy(os.path.join(root, "translations", "voxmere.ts"), english)
        lupdate(tool, root, [german], keep_vanished=True)
        for context, message in messages(german):
            source = message.findtext("source")
            translation = message.find("translation")
            kind = translation.get("type")
            where = f"{context}: \"{source}\""
            if kind in ("vanished", "obsolete"):
                faults.append(f"{where} is no longer in the sources (remove it)")
                continue
            forms = [f.text or "" for f in translation.iter("numerusform")] or [
                translation.text or ""]
            if kind == "unfinished" or not all(forms):
                faults.append(f"{where} has no finished German translation")
                continue
            wanted = sorted(set(PLACEHOLDER.findall(source)))
            for form in forms:
                if sorted(set(PLACEHOLDER.findall(form))) != wanted:
                    faults.append(f"{where}: \"{form}\" has other placeholders than {wanted}")
        before = {(c, m.findtext("source")) for c, m in messages(english)}
        lupdate(tool, root, [english], keep_vanished=False)
        after = {(c, m.findtext("source")) for c, m in messages(english)}
        if before != after:
            faults.append("translations/voxmere.ts is out of date: build, then commit it")
    return faults


def main():
    root, tool = sys.argv[1], sys.argv[2]
    faults = untranslated(root) + german_faults(root, tool)
    for fault in faults:
        print(fault)
    if faults:
        sys.exit(1)
    print("every text is translatable and translated into German")


if __name__ == "__main__":
    main()
