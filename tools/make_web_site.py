#!/usr/bin/env python3
"""Assembles the browser game's static site: the page (web/), the WebAssembly build, the
shared assets and the rendered music, plus a service worker that caches exactly these files
under a name taken from their contents.

Usage: tools/make_web_site.py SOURCE_DIR WASM_DIR MUSIC_FILE SITE_DIR
"""

import hashlib
import json
import os
import shutil
import sys


def main():
    source, wasm, music, site = sys.argv[1:5]
    files = {}  # site path -> source path
    for name in sorted(os.listdir(os.path.join(source, "web"))):
        if name != "sw.js":
            files[name] = os.path.join(source, "web", name)
    for name in ("kestrune.mjs", "kestrune.wasm"):
        files[name] = os.path.join(wasm, name)
    files["bgm.ogg"] = music
    for name in ("Za.wav", "dom.wav", "kestrune.html", "kestrune.png", "kestrune.svg",
                 "tower.png"):
        files[name] = os.path.join(source, "assets", name)
    # The help page's pictures, beside the page as on the desktop.
    for name in sorted(os.listdir(os.path.join(source, "assets"))):
        if name.startswith("help-") and name.endswith(".png"):
            files[name] = os.path.join(source, "assets", name)
    files["icons/48/kestrune.png"] = os.path.join(source, "assets", "icons", "48", "kestrune.png")

    if os.path.isdir(site):
        shutil.rmtree(site)
    digest = hashlib.sha256()
    for path, origin in sorted(files.items()):
        target = os.path.join(site, path)
        os.makedirs(os.path.dirname(target), exist_ok=True)
        shutil.copyfile(origin, target)
        with open(origin, "rb") as f:
            digest.update(path.encode() + b"\0" + f.read())
    cached = ["./"] + sorted(files)
    with open(os.path.join(source, "web", "sw.js"), encoding="utf-8") as f:
        worker = f.read()
    worker = worker.replace("__VERSION__", digest.hexdigest()[:16])
    worker = worker.replace("__FILES__", json.dumps(cached))
    with open(os.path.join(site, "sw.js"), "w", encoding="utf-8") as f:
        f.write(worker)


if __name__ == "__main__":
    main()
