"""The notes of a stored tree's records (line, doc, availability, methodNotes, constantNotes).

A store keeps them in a file of their own, "declarationNotes", keyed by record:
    {"classes": {"NSView@AppKit.framework/NSView.h": {"line": 80, "doc": ..., "methodNotes": {...}}}, ...}
(a category's name is "NSView(Drawing)", a function's its declaration text; a second record of a
list with the same key gets "#2"). Older stores kept them in the record dictionaries themselves:
with_notes gives each record dictionary its notes, wherever they were kept.
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
        entry = kind.get(key)
        if isinstance(entry, dict):
            for k, v in entry.items():
                record.setdefault(k, v)
    return records
