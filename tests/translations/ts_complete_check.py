#!/usr/bin/env python3
"""Checks that a catalogue of the program's texts is complete and current.

Usage: ts_complete_check.py LUPDATE SOURCES_LST INCLUDE_DIR CATALOGUE_TS

Runs lupdate over the sources (SOURCES_LST, one path a line, whose
includes INCLUDE_DIR resolves) into a copy of CATALOGUE_TS, as the target
update_translations does, then reads the copy:
a text new in the sources, a message left unfinished or empty, one the
sources no longer have (vanished or obsolete) and a translation that drops
or adds a %N placeholder are faults. The catalogue itself is not touched.
"""
import re
import shutil
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ET


def main(lupdate, sources, include, catalogue):
    with tempfile.TemporaryDirectory() as folder:
        copy = f"{folder}/catalogue.ts"
        shutil.copyfile(catalogue, copy)
        run = subprocess.run([lupdate, "-silent", "-locations", "none", "-I", include, f"@{sources}", "-ts", copy],
                             capture_output=True, text=True)
        if run.returncode != 0:
            print(run.stdout + run.stderr)
            return 1
        root = ET.parse(copy).getroot()

    faults = []
    count = 0
    for context in root.iter("context"):
        name = context.findtext("name")
        for message in context.iter("message"):
            count += 1
            source = message.findtext("source")
            translation = message.find("translation")
            where = f'{name} "{source}"'
            kind = translation.get("type") if translation is not None else "missing"
            if kind is not None:
                faults.append(f"{where}: {kind}")
                continue
            forms = [translation.text or ""] if message.get("numerus") != "yes" else \
                [form.text or "" for form in translation.iter("numerusform")]
            if not forms or any(not form.strip() for form in forms):
                faults.append(f"{where}: empty translation")
            for form in forms:
                if sorted(set(re.findall(r"%[\dn]", source))) != sorted(set(re.findall(r"%[\dn]", form))):
                    faults.append(f'{where}: placeholders differ in "{form}"')
    for fault in faults:
        print(fault)
    print(f"{count} messages checked, {len(faults)} faults")
    return 1 if faults or count == 0 else 0


if __name__ == "__main__":
    if len(sys.argv) != 5:
        sys.exit(__doc__)
    sys.exit(main(*sys.argv[1:]))
