#!/usr/bin/env python3
"""Sorts the window system's units into one folder per layer and points every include at them.

Re-runnable: units already in their folder are left alone, and includes that still name a
flat path ("platform/Region.h") are rewritten to the folder path ("platform/gdi/Region.h") in
every source of the tree. Run it again after merging work that was written against the flat
layout; it moves new flat files whose unit is listed below and reports any it does not know.

    python3 scripts/dev/split-platform.py            # from anywhere inside the repository
    python3 scripts/dev/split-platform.py --dry-run  # print what would happen

Not part of the build.
"""
import argparse
import pathlib
import re
import subprocess
import sys

# Unit (file name without extension) -> folder. The one table the layout is made of; a new
# unit of the window system gets its line here.
FOLDER_OF = {}
LAYERS = {
    "core": """WinTypes WinConst Handles Errors StrUtils TextCodec FileSystem""",
    "gdi": """Bitmap Region GdiObjects DeviceContext Gdi GdiBlt GdiIcons GdiRaster GdiShapes
              GradientFill FillRoundRect SysColors SystemIcons""",
    "text": """FontEngine Text""",
    "image": """BmpFile JpegFile PngFile""",
    "window": """Backend WindowSystem WindowInternal WindowObject WindowPaint ScreenOverlay MessageLoop
                 ModalLoop DefWindowProc SystemMetrics ScrollBars OwnerDraw Locale Clipboard""",
    "menus": """Menu MenuInternal MenuNonClient MenuTracker PopupMenuWindow""",
    "controls": """ControlSupport ClassicEdges CustomDraw Button Static Edit ListBox ComboBox
                   UpDown TreeView StatusBar ToolBar CoolBar TabControl HintWindow""",
    "dialogs": """Dialog MessageBox PrintDialog StandardClasses""",
    "backends": """HeadlessBackend SdlBackend""",
}
for folder, units in LAYERS.items():
    for unit in units.split():
        FOLDER_OF[unit] = folder
# Tests named after something that is not a unit of its own.
TEST_FOLDER_OF = {"GdiClip": "gdi", "MenuBarBand": "menus", "ScreenDrawing": "window"}

SOURCE_DIRS = ["src", "apps", "tests", "bench", "fuzz", "tools", "skins"]
SOURCE_SUFFIXES = {".h", ".hpp", ".cpp", ".cc", ".c", ".inl"}
INCLUDE = re.compile(r'(#\s*include\s*["<])platform/([A-Za-z0-9_]+)(\.h[">])')


def git(root, *args, dry):
    print("git", " ".join(args))
    if not dry:
        subprocess.run(["git", *args], cwd=root, check=True)


def move_units(root, dry):
    unknown = []
    for path in sorted((root / "src/platform").glob("*")):
        if path.is_dir() or path.name == "CMakeLists.txt":
            continue
        folder = FOLDER_OF.get(path.stem)
        if folder is None:
            unknown.append(path)
            continue
        git(root, "mv", str(path.relative_to(root)), f"src/platform/{folder}/{path.name}", dry=dry)
    for path in sorted((root / "tests/platform").glob("*Test.cpp")):
        unit = path.name[: -len("Test.cpp")]
        folder = FOLDER_OF.get(unit) or TEST_FOLDER_OF.get(unit)
        if folder is None:
            unknown.append(path)
            continue
        git(root, "mv", str(path.relative_to(root)), f"tests/platform/{folder}/{path.name}", dry=dry)
    return unknown


def make_dirs(root, dry):
    for folder in LAYERS:
        for base in ("src/platform", "tests/platform"):
            if not dry:
                (root / base / folder).mkdir(parents=True, exist_ok=True)


def rewrite_includes(root, dry):
    changed = 0
    for top in SOURCE_DIRS:
        for path in (root / top).rglob("*"):
            if path.suffix not in SOURCE_SUFFIXES or not path.is_file():
                continue
            text = path.read_text(encoding="utf-8")

            def repl(m):
                folder = FOLDER_OF.get(m.group(2))
                if folder is None:
                    return m.group(0)  # shared test helpers and the like keep their path
                return f"{m.group(1)}platform/{folder}/{m.group(2)}{m.group(3)}"

            new = INCLUDE.sub(repl, text)
            if new != text:
                changed += 1
                print("rewrote includes in", path.relative_to(root))
                if not dry:
                    path.write_text(new, encoding="utf-8")
    return changed


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--dry-run", action="store_true")
    args = parser.parse_args()
    root = pathlib.Path(
        subprocess.run(["git", "rev-parse", "--show-toplevel"], capture_output=True, text=True,
                       check=True, cwd=pathlib.Path(__file__).parent).stdout.strip())
    make_dirs(root, args.dry_run)
    unknown = move_units(root, args.dry_run)
    rewrite_includes(root, args.dry_run)
    if unknown:
        print("\nNot moved, no folder in the table (add a line to LAYERS or TEST_FOLDER_OF):")
        for path in unknown:
            print("   ", path.relative_to(root))
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
