"""The notes of a stored tree's records (line, doc, availability, methodNotes, constantNotes).

A store keeps them in a file of their own, "declarationNotes", keyed by record:
    {"classes": {"NSView@AppKit.framework/NSView.h": {"line": 80, "doc": ..., "methodNotes": {...}}}, ...}
(a category's name is "NSView(Drawing)", a function's its declaration text; a second record of a
list with the same key gets "#2"). Older stores kept them in the record dictionaries themselves:
with_notes gives each record dictionary its notes, wherever they were kept.

An availability without a message or a replacement is stored short, as a string
("macos 10.7 deprecated 10.14, ios unavailable"); with_notes gives it as the dictionary
({"macos": {"introduced": "10.7", "deprecated": "10.14"}, "ios": {"unavailable": True}}).
"""
import os
import plistlib

KINDS = {"classData": "classes", "protocolData": "protocols", "categoryData": "categories",
         "structData": "structs", "enumData": "enums", "functions": "functions"}


def _load(store, name):
    try:
        with open(os.path.join(store, name), "rb") as f:
            return plistlib.load(f)
    except Exception:
        return None


def _name(record, file_name):
    name = record.get("name") or ""
    if file_name == "categoryData":
        return f"{record.get('superName') or ''}({name})"
    return name


def availability(value):
    """A stored availability as its dictionary, whichever form it was stored in."""
    if not isinstance(value, str):
        return value
    result = {}
    for entry in value.split(","):
        words = entry.split()
        if not words:
            continue
        platform, i = {}, 1
        if i < len(words) and words[i][:1].isdigit():
            platform["introduced"], i = words[i], i + 1
        while i < len(words):
            word, i = words[i], i + 1
            if word in ("deprecated", "obsoleted"):
                platform[word] = ""
                if i < len(words) and words[i][:1].isdigit():
                    platform[word], i = words[i], i + 1
            elif word == "unavailable":
                platform["unavailable"] = True
        result[words[0]] = platform
    return result


def _long_form(notes):
    if isinstance(notes, dict):
        if "availability" in notes:
            notes["availability"] = availability(notes["availability"])
        for side in ("methodNotes", "constantNotes"):
            for note in (notes.get(side) or {}).values() if isinstance(notes.get(side), dict) else ():
                _long_form(note)
    return notes


def with_notes(store, file_name, records):
    """records (the dictionaries of file_name) with the notes the notes file holds for them."""
    notes = _load(store, "declarationNotes")
    kind = notes.get(KINDS.get(file_name, ""), {}) if isinstance(notes, dict) else {}
    if not isinstance(kind, dict) or not kind:
        return records
    seen = {}
    for record in records:
        key = f"{_name(record, file_name)}@{record.get('fwName') or ''}/{record.get('headerName') or ''}"
        seen[key] = seen.get(key, 0) + 1
        if seen[key] > 1:
            key += f"#{seen[key]}"
        entry = _long_form(kind.get(key))
        if isinstance(entry, dict):
            for k, v in entry.items():
                record.setdefault(k, v)
    return records
