#!/usr/bin/env python3
"""The Debian packages as a user gets them: made by CPack from the build, each file where
Debian wants it, checked by desktop-file-validate, appstreamcli and lintian; the program
unpacked into a root of its own and run from there, its icon decoded, and its bash
completion driven as bash-completion's own tests drive one.

packages_e2e.py BUILD_DIR VERSION LIBDIR QT_PLUGINS_DIR QT_QML_DIR
"""

import os
import pathlib
import re
import shlex
import subprocess
import sys
import tempfile

sys.path.insert(0, str(pathlib.Path(__file__).resolve().parent.parent / "cli"))
from process_cases import Cases  # noqa: E402

BUILD, VERSION, LIBDIR, QT_PLUGINS, QT_QML = sys.argv[1:6]
cases = Cases(os.path.join(BUILD, "bin", "varnholt"))
OUT = cases.scratch / "packages"


def completions_dir():
    found = subprocess.run(["pkg-config", "--variable=completionsdir", "bash-completion"],
                           capture_output=True, text=True)
    return found.stdout.strip().lstrip("/") or "usr/share/bash-completion/completions"


# Each package and files it must hold, below the root.
PACKAGES = {
    "varnholt": [
        "usr/bin/varnholt", "usr/share/man/man1/varnholt.1.gz",
        "usr/share/applications/varnholt.desktop",
        "usr/share/metainfo/org.varnholt.varnholt.metainfo.xml",
        "usr/share/icons/hicolor/scalable/apps/varnholt.svg",
        "usr/share/icons/hicolor/48x48/apps/varnholt.png",
        "usr/share/icons/hicolor/128x128/apps/varnholt.png",
        f"{completions_dir()}/varnholt",
    ],
    "libvarnholt-dev": [
        "usr/include/varnholt/model/EAN.h", "usr/include/varnholt/render/Layout.h",
        "usr/include/varnholt/platform/qt/BarcodeWidget.h",
        f"usr/{LIBDIR}/libvarnholt-model.a", f"usr/{LIBDIR}/libvarnholt-render.a",
        f"usr/{LIBDIR}/libvarnholt-qt.a", f"usr/{LIBDIR}/cmake/Varnholt/VarnholtConfig.cmake",
        f"usr/{LIBDIR}/pkgconfig/varnholt.pc", f"usr/{LIBDIR}/pkgconfig/varnholt-render.pc",
    ],
    "varnholt-designer-plugin": [f"usr/{QT_PLUGINS}/designer/libvarnholt-designer.so"],
    "qml6-module-varnholt": [f"usr/{QT_QML}/Varnholt/qmldir",
                             f"usr/{QT_QML}/Varnholt/libvarnholt_quickplugin.so"],
}
ARCH = subprocess.run(["dpkg", "--print-architecture"], capture_output=True,
                      text=True).stdout.strip()


def deb(package):
    return OUT / f"{package}_{VERSION}_{ARCH}.deb"


def field(package, name):
    return subprocess.run(["dpkg-deb", "--field", deb(package), name], capture_output=True,
                          text=True).stdout.strip()


def contents(package):
    listing = subprocess.run(["dpkg-deb", "--contents", deb(package)], capture_output=True,
                             text=True, check=True).stdout
    return {line.split()[5].removeprefix("./") for line in listing.splitlines()
            if not line.startswith("d")}


@cases.case
def cpack_makes_the_four_packages():
    made = subprocess.run(["cpack", "--config", os.path.join(BUILD, "CPackConfig.cmake"),
                           "-B", str(OUT)], capture_output=True, text=True, timeout=600)
    assert made.returncode == 0, made.stdout[-2000:] + made.stderr[-2000:]
    names = sorted(path.name for path in OUT.glob("*.deb"))
    assert names == sorted(deb(package).name for package in PACKAGES), names


@cases.case
def each_file_is_where_debian_wants_it():
    owners = {}
    for package, wanted in PACKAGES.items():
        held = contents(package)
        assert not [path for path in wanted if path not in held], \
            (package, [path for path in wanted if path not in held])
        assert f"usr/share/doc/{package}/copyright" in held, package
        assert all(path.startswith("usr/") for path in held), (package, held)
        assert field(package, "Version") == VERSION, (package, field(package, "Version"))
        for path in held:
            assert path not in owners, f"{path} in {owners.get(path)} and {package}"
            owners[path] = package


@cases.case
def shared_library_dependencies_are_computed():
    # dpkg-shlibdeps reads them off the binaries: the C library and Qt's, with versions.
    for package in ("varnholt", "varnholt-designer-plugin", "qml6-module-varnholt"):
        depends = field(package, "Depends")
        assert re.search(r"\blibc6 \(>= [\d.]+\)", depends), (package, depends)
        assert re.search(r"\blibqt6core6 \(>= [\d.]+\)", depends), (package, depends)


@cases.case
def apt_can_install_them_together():
    # Every dependency named, typed or computed, is a package Debian has.
    planned = subprocess.run(["apt-get", "install", "--simulate", "--no-install-recommends",
                              *(str(deb(package)) for package in PACKAGES)],
                             capture_output=True, text=True, timeout=300)
    assert planned.returncode == 0, planned.stdout[-2000:] + planned.stderr
    for package in PACKAGES:
        assert re.search(rf"^Conf {re.escape(package)} \({re.escape(VERSION)} ", planned.stdout,
                         re.M), (package, planned.stdout[-2000:])


@cases.case
def lintian_finds_no_error():
    checked = subprocess.run(["lintian", "--fail-on", "error", *map(str, OUT.glob("*.deb"))],
                             capture_output=True, text=True, timeout=600)
    assert checked.returncode == 0, checked.stdout + checked.stderr


ROOT = cases.scratch / "root"


@cases.case
def the_program_runs_from_its_unpacked_package():
    subprocess.run(["dpkg-deb", "-x", deb("varnholt"), ROOT], check=True)
    program = str(ROOT / "usr/bin/varnholt")
    cases.expect(cases.run("--version", program=program), 0,
                 stdout=rf"^varnholt {re.escape(VERSION)}\n$")
    cases.expect(cases.run("check", stdin=b"4006381333931\n5400101109972\n", program=program),
                 1, stdout=r"4006381333931 +valid.*5400101109972 +invalid",
                 stderr=r"2 lines: 1 valid, 1 invalid")


@cases.case
def desktop_entry_and_appstream_data_validate():
    for command in (["desktop-file-validate", "usr/share/applications/varnholt.desktop"],
                    ["appstreamcli", "validate", "--no-net", "--pedantic",
                     "usr/share/metainfo/org.varnholt.varnholt.metainfo.xml"]):
        checked = subprocess.run(command, cwd=ROOT, capture_output=True, text=True)
        assert checked.returncode == 0 and "E:" not in checked.stdout, \
            checked.stdout + checked.stderr
    metainfo = (ROOT / "usr/share/metainfo/org.varnholt.varnholt.metainfo.xml").read_text()
    assert "<launchable type=\"desktop-id\">varnholt.desktop</launchable>" in metainfo
    assert f"<release version=\"{VERSION}\"" in metainfo


@cases.case
def icon_is_the_programs_own_symbol_in_a_square():
    icons = ROOT / "usr/share/icons/hicolor"
    for size in (48, 128):
        header = (icons / f"{size}x{size}/apps/varnholt.png").read_bytes()[:24]
        assert header[:8] == b"\x89PNG\r\n\x1a\n", header
        assert (int.from_bytes(header[16:20], "big"), int.from_bytes(header[20:24], "big")) \
            == (size, size), header
    svg = (icons / "scalable/apps/varnholt.svg").read_text()
    width, height = re.search(r'<svg[^>]* width="([\d.]+)mm" height="([\d.]+)mm"', svg).groups()
    assert width == height, (width, height)
    picture = cases.scratch / "icon.png"
    subprocess.run(["rsvg-convert", "--width", "600", "--height", "600", "--background-color",
                    "white", "-o", picture, icons / "scalable/apps/varnholt.svg"], check=True)
    decoded = subprocess.run(["zbarimg", "--quiet", "--raw", picture], capture_output=True,
                             text=True)
    assert decoded.stdout.strip() == "5400101109971", decoded.stdout + decoded.stderr


COMPLETION = ROOT / completions_dir() / "varnholt"
# Drives the completion as bash would: the function `complete -p` names for the words, the
# last being the one completed; prints the offers one per line.
DRIVER = r'''
registered=$(complete -p varnholt) || exit 3
function=${registered#*-F }; function=${function%% *}
COMP_WORDS=("$@"); COMP_CWORD=$(($# - 1)); COMP_LINE="$*"; COMP_POINT=${#COMP_LINE}
"$function" varnholt "${COMP_WORDS[COMP_CWORD]}" "${COMP_WORDS[COMP_CWORD - 1]}"
printf '%s\n' "${COMPREPLY[@]}"
'''


def complete(*words, program="varnholt", cwd=None, load=None):
    load = load or f"source {shlex.quote(str(COMPLETION))}"
    env = dict(os.environ, PATH=f"{ROOT / 'usr/bin'}:{os.environ['PATH']}",
               XDG_DATA_DIRS=f"{ROOT / 'usr/share'}:/usr/share")
    done = subprocess.run(["bash", "--norc", "--noprofile", "-c", load + "\n" + DRIVER, "bash",
                           program, *words], capture_output=True, text=True, env=env, cwd=cwd,
                          timeout=60)
    assert done.returncode == 0 and not done.stderr, (words, done.returncode, done.stderr)
    return sorted(line for line in done.stdout.splitlines() if line)


@cases.case
def completion_offers_commands_options_and_values():
    folder = cases.scratch / "files"
    folder.mkdir()
    for name in ("catalogue.txt", "cards.csv", "labels.txt"):
        (folder / name).write_text("4006381333931\n")
    table = [
        (["ren"], ["render"]),
        ([""], ["check", "help", "render", "sheets"]),
        (["render", "--form"], ["--format"]),
        (["check", "--format", ""], ["csv", "jsonl", "table", "tsv"]),
        (["check", "-f", "t"], ["table", "tsv"]),
        (["render", "--symbology", "=", "u"], ["upca", "upca,datamatrix", "upca,gs1-128",
                                                "upca,qr", "upce", "upce,datamatrix",
                                                "upce,gs1-128", "upce,qr"]),
        (["render", "-f", "svg", "5400101109971", "--format", ""], ["eps", "pdf", "png", "svg"]),
        (["help", "ch"], ["check"]),
        (["check", "-f", "csv", "ca"], ["cards.csv", "catalogue.txt"]),
        (["render", "--batch", "l"], ["labels.txt"]),
        (["render", "--dpi", ""], []),
        (["check", "--", "--q"], []),
    ]
    for words, offers in table:
        got = complete(*words, cwd=folder)
        assert got == offers, (words, got)


@cases.case
def completion_knows_every_option_the_help_lists():
    for command in ("check", "render"):
        help_text = cases.expect(cases.run("help", command), 0)[0]
        # An option stands after a blank, a comma or a bracket; ";-separated" is no option.
        listed = set(re.findall(r"(?<![^\s,\[(])(--?[a-zA-Z][\w-]*)", help_text))
        offered = set(complete(command, "-"))
        assert listed <= offered, (command, listed - offered)


@cases.case
def bash_completion_finds_it_where_it_is_installed():
    loader = "/usr/share/bash-completion/bash_completion"
    got = complete("check", "--inv", load=f"source {loader}; __load_completion varnholt")
    assert got == ["--invalid-only"], got


@cases.case
def sheet_names_are_offered_quoted_or_nothing():
    help_text = cases.expect(cases.run("help", "render"), 0)[0]
    if "--sheet" not in help_text:
        print("      (render has no --sheet yet: only the quiet case)")
    else:
        # A program whose sheets command lists two products, one with a blank.
        lister = cases.scratch / "lister"
        lister.write_text("#!/bin/sh\n[ \"$1 $2\" = 'sheets --names' ] && "
                          "printf 'Avery 5160\\nAvery L7160\\nZweckform 3474\\n'\n")
        lister.chmod(0o755)
        got = complete("render", "--sheet", "Av", program=str(lister))
        assert got == ["Avery\\ 5160", "Avery\\ L7160"], got
        assert complete("render", "--sheet", "\"Zw", program=str(lister)) == ["Zweckform 3474"]
    # A program without the command, or none at all, offers nothing and says nothing.
    for program in ("/bin/false", str(cases.scratch / "no-such-program")):
        assert complete("render", "--sheet", "", program=program) == [], program


cases.finish()
