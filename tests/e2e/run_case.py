#!/usr/bin/python3
"""Runs one end-to-end case: vxhost with the case's script, in a scratch folder with its own
module folder, then compares the transcript with the golden one and runs the case's checks.

A case folder holds:
  script.scr     the lines vxhost reads
  expected.txt   the golden transcript (scratch paths shown as <TMP>); a case whose transcript
                 cannot be the same on every run (print job numbers) has none, and its check.py
                 looks at the results
  setup.py       optional: makes input.dxf (and anything else) in the scratch folder; a file
                 service_url it leaves there names the update service (VX_UPDATE_SERVICE)
  service.py     optional: an update service run for the case; its first output line is its
                 base address, which vxhost is given (without either, the query is off)
  check.py       optional: checks the files the run left in the scratch folder (and the
                 transcript, left there as transcript.txt)
  exit_code      optional: the status vxhost must end with (default 0)
  needs          optional: names of environment variables the case needs, one a line; when one
                 is not set the case is skipped (exit status 77)
  system_printers optional: the machine's printers are listed among the plot devices (without
                 it they are left out, so that every machine lists the same devices)
An optional fifth argument labels the host (the desktop host runs the same cases): its
mismatching transcript is written as actual-LABEL.txt, so both hosts can run side by side.
On a transcript mismatch the actual one is written beside the expected one as actual.txt.
"""
import os
import shutil
import subprocess
import sys
import tempfile

SKIPPED = 77


def main():
    case, vxhost, module, templates = sys.argv[1:5]
    label = sys.argv[5] if len(sys.argv) > 5 else ""
    name = os.path.basename(case.rstrip("/"))
    if os.path.exists(os.path.join(case, "needs")):
        missing = [v for v in open(os.path.join(case, "needs")).read().split() if not os.environ.get(v)]
        if missing:
            print("skipped: %s not set" % ", ".join(missing))
            return SKIPPED
    with tempfile.TemporaryDirectory(prefix="vx-e2e-" + name + "-") as tmp:
        modules = os.path.join(tmp, "module")
        os.makedirs(modules)
        shutil.copy(module, modules)
        # The plot drivers the module installs at load travel with it, as in a real module folder.
        plotters = os.path.join(os.path.dirname(module), "plotters")
        if os.path.isdir(plotters):
            shutil.copytree(plotters, os.path.join(modules, "plotters"))
        default_att = os.path.join(os.path.dirname(module), "TKATT.ini")
        if os.path.exists(default_att):
            shutil.copy(default_att, modules)
        # The office's settings: the sample template folder and organisation code.
        with open(os.path.join(modules, "SHEETCONFIG.INI"), "w", encoding="utf-8") as f:
            f.write("[SYSEMSET]\nSHEETTEMPPATH=%s\nDEPARTCODE=CODE\n" % templates)
        env = dict(os.environ, HOME=tmp, XDG_CONFIG_HOME=os.path.join(tmp, "config"),
                   XDG_DATA_HOME=os.path.join(tmp, "data"))
        if os.path.exists(os.path.join(case, "setup.py")):
            subprocess.run(["/usr/bin/python3", os.path.join(case, "setup.py"), tmp], check=True)
        service = None
        env["VX_UPDATE_SERVICE"] = ""
        if not os.path.exists(os.path.join(case, "system_printers")):
            env["VX_PRINTERS"] = "off"
        if os.path.exists(os.path.join(case, "service.py")):
            service = subprocess.Popen(["/usr/bin/python3", os.path.join(case, "service.py"), tmp],
                                       stdout=subprocess.PIPE, stdin=subprocess.DEVNULL)
            env["VX_UPDATE_SERVICE"] = service.stdout.readline().decode().strip()
        elif os.path.exists(os.path.join(tmp, "service_url")):
            env["VX_UPDATE_SERVICE"] = open(os.path.join(tmp, "service_url")).read().strip()
        cmd = [vxhost]
        if os.path.exists(os.path.join(tmp, "input.dxf")):
            cmd.append("input.dxf")
        cmd += ["--script", os.path.join(case, "script.scr"),
                "--module", os.path.join(modules, os.path.basename(module))]
        try:
            run = subprocess.run(cmd, cwd=tmp, env=env, stdin=subprocess.DEVNULL,
                                 stdout=subprocess.PIPE, stderr=subprocess.PIPE, timeout=120)
        finally:
            if service:
                service.terminate()
                service.wait()
        actual = run.stdout.decode("utf-8", "replace").replace(tmp, "<TMP>")
        actual = actual.replace(os.path.realpath(tmp), "<TMP>")
        failed = False
        expected_path = os.path.join(case, "expected.txt")
        expected = open(expected_path, encoding="utf-8").read() if os.path.exists(expected_path) else None
        actual_path = os.path.join(case, "actual-%s.txt" % label if label else "actual.txt")
        if expected is not None and expected != actual:
            with open(actual_path, "w", encoding="utf-8") as f:
                f.write(actual)
            print("transcript differs from %s; actual output written to %s" % (expected_path, actual_path))
            failed = True
        elif os.path.exists(actual_path):
            os.remove(actual_path)
        want_rc = 0
        if os.path.exists(os.path.join(case, "exit_code")):
            want_rc = int(open(os.path.join(case, "exit_code")).read().strip())
        if run.returncode != want_rc:
            print("vxhost exited with %d, expected %d\n%s" % (run.returncode, want_rc,
                                                           run.stderr.decode("utf-8", "replace")))
            failed = True
        if os.path.exists(os.path.join(case, "check.py")):
            # The transcript is the check's too: a print job's number is only known from it.
            with open(os.path.join(tmp, "transcript.txt"), "w", encoding="utf-8") as f:
                f.write(actual)
            check = subprocess.run(["/usr/bin/python3", os.path.join(case, "check.py"), tmp])
            failed = failed or check.returncode != 0
        return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
