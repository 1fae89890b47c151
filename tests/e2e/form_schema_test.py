#!/usr/bin/env python3
"""Validates projects in the JSON form against the schema `qxed-cli schema` prints, with an independent
validator: the example projects, the dump of the example project file, and the dump of a project made with
an element of every kind. The schema must also refuse what the editor's ranges refuse, or it would pass
anything."""
import base64
import json
import os
import struct
import subprocess
import sys
import tempfile

import jsonschema

CLI, EXAMPLES, EXAMPLE_QX2 = sys.argv[1:4]


def run(*args):
    result = subprocess.run([CLI, *args], capture_output=True, text=True)
    if result.returncode != 0:
        sys.exit(f"qxed-cli {' '.join(args)} failed: {result.stderr}")
    return result.stdout


def mono_bmp(width, height):
    """A 1-bit BMP file with every other dot set."""
    stride = ((width + 31) // 32) * 4
    pixels = b"".join(bytes([0xAA] * stride) for _ in range(height))
    offset = 14 + 40 + 8
    header = struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 1, 0, len(pixels), 2835, 2835, 2, 2)
    return header + info + b"\x00\x00\x00\x00\xff\xff\xff\x00" + pixels


def every_kind():
    """A QX223 project with one element of each kind, its alarm texts and its global keys."""
    font = {"Name": "DejaVu Sans", "Size": 9}
    return {
        "settings": {"PlcType": 0, "CurrentModel": 6, "ScreenSaveTime": 4},
        "pages": [
            {"Number": 1, "Title": "all kinds", "elements": [
                {"Kind": "Text", "X": 0, "Y": 0, "Content": "ABC"},
                {"Kind": "Reg", "X": 0, "Y": 36, "Digits": 6, "DecimalDigits": 2},
                {"Kind": "Lamp", "X": 200, "Y": 36, "LampType": 1},
                {"Kind": "FuncKey", "X": 240, "Y": 36, "Action": {"Key": 22, "Function": 1, "PageNo": 2}},
                {"Kind": "Trend", "X": 0, "Y": 72, "Width": 72, "Height": 54},
                {"Kind": "Bar", "X": 100, "Y": 72, "Direct": 2, "Width": 54, "Height": 18},
                {"Kind": "Pic", "X": 180, "Y": 72,
                 "Bitmap": base64.b64encode(mono_bmp(16, 8)).decode()},
                {"Kind": "VarText", "X": 0, "Y": 108, "Texts": ["off", "on"]},
                {"Kind": "FontText", "X": 100, "Y": 108, "Content": "font", "Font": font},
                {"Kind": "TouchKey", "X": 200, "Y": 108, "Content": "go", "Font": font,
                 "Action": {"Function": 0}, "Indicate": 1},
                {"Kind": "VarFontText", "X": 300, "Y": 108, "Texts": ["a", {"hex": "4243"}], "Font": font},
                {"Kind": "ASCIIText", "X": 300, "Y": 0, "Num": 2, "CharNum": 4},
            ]},
            {"Number": 2},
        ],
        "AlarmTexts": ["hot", "cold"],
        "GlobalKeyCount": 2,
        "GlobalKeys": [{"Key": 22, "Function": 3}, {"Key": 23, "Function": 1, "PageNo": 1}],
    }


def main():
    schema = json.loads(run("schema"))
    jsonschema.Draft202012Validator.check_schema(schema)
    validator = jsonschema.Draft202012Validator(schema)
    failures = []

    def expect_valid(name, document):
        errors = sorted(validator.iter_errors(document), key=lambda e: list(e.path))
        for error in errors[:5]:
            failures.append(f"{name}: {'/'.join(map(str, error.path))}: {error.message[:300]}")

    with tempfile.TemporaryDirectory() as folder:
        for name in ("demo.json", "demo-en.json"):
            with open(os.path.join(EXAMPLES, name), encoding="utf-8") as source:
                expect_valid(name, json.load(source))
        expect_valid("dump of demo.qx2", json.loads(run("dump", EXAMPLE_QX2)))

        made_json = os.path.join(folder, "every-kind.json")
        made_qx2 = os.path.join(folder, "every-kind.qx2")
        with open(made_json, "w", encoding="utf-8") as out:
            json.dump(every_kind(), out)
        run("make", made_json, "-o", made_qx2)
        dump = json.loads(run("dump", made_qx2))
        kinds = {element["Kind"] for element in dump["pages"][0]["elements"]}
        if len(kinds) != 12:
            failures.append(f"the made project holds the kinds {sorted(kinds)}, not all twelve")
        expect_valid("dump of every kind", dump)

        # What the ranges and the key lists refuse, the schema refuses too.
        refused = {
            "Digits beyond 10": lambda d: d["pages"][0]["elements"][1].update(Digits=11),
            "an unknown key": lambda d: d["pages"][0]["elements"][0].update(Colour=1),
            "a LampType outside its codes": lambda d: d["pages"][0]["elements"][2].update(LampType=2),
            "a key code beyond 41": lambda d: d["GlobalKeys"][0].update(Key=42),
            "an unknown settings field": lambda d: d["settings"].update(Model=3),
            "a bad hex text": lambda d: d["pages"][0]["elements"][0].update(Content={"hex": "4"}),
        }
        for name, change in refused.items():
            document = json.loads(json.dumps(dump))
            change(document)
            if validator.is_valid(document):
                failures.append(f"the schema accepts {name}")

    if failures:
        sys.exit("\n".join(failures))
    print("schema: examples, dumps and refusals as expected")


main()
