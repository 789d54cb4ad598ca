#!/usr/bin/env python3
"""Checks our catalogue of Qt's own texts against Qt's.

Usage: qt_catalogue_check.py LCONVERT QT_QM OURS_TS

Every message of OURS_TS must be finished and current, once per context, keep
the source's %N placeholders and its access key (an "&"), and name a source
text that Qt itself has in that context: QT_QM is one of Qt's compiled
catalogues (qtbase_de.qm of Debian's qt6-translations-l10n), read back with
lconvert. A text that is not Qt's would never be looked up. Exits 77 (skip)
when QT_QM is not installed.
"""
import os
import re
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ET


def messages(path):
    for context in ET.parse(path).getroot().iter("context"):
        name = context.findtext("name")
        for message in context.iter("message"):
            yield name, message


def access_keys(text):
    return text.replace("&&", "").count("&")


def main(lconvert, qt_qm, ours):
    if not os.path.exists(qt_qm):
        print(f"skipped: {qt_qm} is not installed (qt6-translations-l10n)")
        return 77
    with tempfile.TemporaryDirectory() as folder:
        qt_ts = os.path.join(folder, "qt.ts")
        subprocess.run([lconvert, "-i", qt_qm, "-o", qt_ts], check=True)
        qt_texts = {(context, message.findtext("source")) for context, message in messages(qt_ts)}

    faults = []
    seen = set()
    for context, message in messages(ours):
        source = message.findtext("source")
        translation = message.find("translation")
        where = f"{context} \"{source}\""
        if translation is None or translation.get("type") is not None or not translation.text:
            kind = translation.get("type") if translation is not None else "missing"
            faults.append(f"{where}: not finished ({kind or 'empty'})")
            continue
        if (context, source) in seen:
            faults.append(f"{where}: twice")
        seen.add((context, source))
        if (context, source) not in qt_texts:
            faults.append(f"{where}: Qt has no such text in this context")
        text = translation.text
        if sorted(re.findall(r"%\d", source)) != sorted(re.findall(r"%\d", text)):
            faults.append(f"{where}: placeholders differ in \"{text}\"")
        if access_keys(source) != access_keys(text):
            faults.append(f"{where}: access keys differ in \"{text}\"")
    for fault in faults:
        print(fault)
    print(f"{len(seen)} messages checked, {len(faults)} faults")
    return 1 if faults or not seen else 0


if __name__ == "__main__":
    if len(sys.argv) != 4:
        sys.exit(__doc__)
    sys.exit(main(*sys.argv[1:]))
