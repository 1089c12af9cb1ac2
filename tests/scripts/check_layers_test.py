#!/usr/bin/env python3
"""The layering check fails where it should: it runs scripts/check-layers on
small trees laid out like the client's and expects each breach to be named."""
import pathlib
import subprocess
import sys
import tempfile

CHECK = pathlib.Path(sys.argv[1])
FEATURES = ["toolkit", "server", "registers", "energy", "control", "app"]
SOUND_DEPS = {
    "toolkit": "",
    "server": "CORE_DEPS toolkit_core",
    "registers": "UI_DEPS server",
    "energy": "",
    "control": "",
    "app": "UI_DEPS registers",
}


def tree(root, deps, files):
    for f in FEATURES:
        (root / f / "core").mkdir(parents=True, exist_ok=True)
        (root / f / "ui").mkdir(parents=True, exist_ok=True)
        (root / f / "CMakeLists.txt").write_text(f"izleme_feature({f} {deps.get(f, SOUND_DEPS[f])})\n")
    sound = {
        "server/core/A.cpp": '#include "toolkit/core/B.h"\n',
        "registers/ui/C.cpp": '#include "server/ui/D.h"\n#include "registers/core/E.h"\n',
        "app/ui/F.cpp": '#include "registers/ui/G.h"\n',
    }
    sound.update(files)
    for path, text in sound.items():
        (root / path).write_text(text)


def run(deps, files):
    with tempfile.TemporaryDirectory() as d:
        root = pathlib.Path(d)
        tree(root, deps, files)
        done = subprocess.run([sys.executable, str(CHECK), str(root)], capture_output=True, text=True)
        return done.returncode, done.stdout


CASES = [
    ("a sound tree passes", {}, {}, 0, "layers:"),
    ("server includes registers", {}, {"server/ui/X.cpp": '#include "registers/core/T.h"\n'}, 1,
     "not below server"),
    ("energy includes control", {"energy": "UI_DEPS control"}, {"energy/ui/X.cpp": '#include "control/ui/P.h"\n'}, 1,
     "not below energy"),
    ("a core includes Qt", {}, {"toolkit/core/Y.cpp": "#include <QString>\n"}, 1, "includes Qt"),
    ("a core includes a ui", {"server": "CORE_DEPS toolkit"}, {"server/core/Z.cpp": '#include "toolkit/ui/W.h"\n'}, 1,
     "a core file includes toolkit/ui"),
    ("declared but not included", {"app": "UI_DEPS registers control"}, {}, 1, "declares control"),
    ("included but not declared", {"app": ""}, {}, 1, "without declaring it"),
]

failures = 0
for name, deps, files, want_code, want_text in CASES:
    code, out = run(deps, files)
    if code != want_code or want_text not in out:
        failures += 1
        print(f"FAIL {name}: exit {code}, output:\n{out}")
    else:
        print(f"ok   {name}")
print(f"{len(CASES) - failures} passed, {failures} failed")
sys.exit(1 if failures else 0)
