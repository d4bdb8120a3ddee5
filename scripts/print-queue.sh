# Sourced by .ci/run and scripts/test.sh: a real CUPS print queue for the printing tests.
#
# print_queue_start makes sure a CUPS scheduler runs (a container has no init to start one, so
# cupsd is started in the foreground as a background process of the calling shell), adds the
# cups-pdf queue VXPDF-<pid> and names it and its output folder to the tests (VX_TEST_CUPS_QUEUE,
# VX_TEST_CUPS_PDF_DIR). print_queue_stop removes the queue, and the scheduler when it started
# one and no other run's queue is left on it (two test runs on one machine must not pull the
# queue or the daemon from under each other); print_queue_on_exit has it run when the calling shell ends, by a failure or a signal too,
# so that no run leaves a queue or a daemon behind.
# Without root or without CUPS it says why and returns 1: the printing tests then skip loudly.

print_queue_name=VXPDF-$$
print_queue_cupsd_pid=
print_queue_added=

# lpstat's exit status is 0 whether or not a scheduler answers; only its words tell.
print_queue_scheduler_running() { [ "$(LC_ALL=C lpstat -r 2>/dev/null)" = "scheduler is running" ]; }

print_queue_start() {
  command -v cupsd >/dev/null && command -v lpadmin >/dev/null || { echo "print queue: CUPS is not installed"; return 1; }
  [ "$(id -u)" -eq 0 ] || { echo "print queue: not root, no print queue can be added"; return 1; }
  if ! print_queue_scheduler_running; then
    mkdir -p /run/cups
    /usr/sbin/cupsd -f &
    print_queue_cupsd_pid=$!
    for _ in $(seq 1 40); do print_queue_scheduler_running && break; sleep 0.25; done
    print_queue_scheduler_running || { echo "print queue: the CUPS scheduler did not start"; return 1; }
  fi
  local ppd=/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd
  [ -f "$ppd" ] || { echo "print queue: printer-driver-cups-pdf is not installed"; return 1; }
  # lpadmin warns on stderr that PPD drivers are deprecated; only its status says it failed.
  local why
  why=$(lpadmin -p "$print_queue_name" -v cups-pdf:/ -P "$ppd" -E 2>&1) ||
    { echo "print queue: $print_queue_name could not be added: $why"; return 1; }
  print_queue_added=1
  # cups-pdf writes into the printing user's home as the password database has it
  # (/etc/cups/cups-pdf.conf: Out ${HOME}/PDF), whatever HOME the tests set.
  local home
  home=$(getent passwd "$(id -un)" | cut -d: -f6)
  export VX_TEST_CUPS_QUEUE="$print_queue_name"
  export VX_TEST_CUPS_PDF_DIR="${home:-$HOME}/PDF"
  echo "print queue: printing to the CUPS queue $print_queue_name (output in $VX_TEST_CUPS_PDF_DIR)"
}

print_queue_stop() {
  if [ -n "$print_queue_added" ]; then lpadmin -x "$print_queue_name" 2>/dev/null || true; fi
  if [ -n "$print_queue_cupsd_pid" ] && ! LC_ALL=C lpstat -v 2>/dev/null | grep -q "device for VXPDF-"; then
    kill "$print_queue_cupsd_pid" 2>/dev/null || true
    wait "$print_queue_cupsd_pid" 2>/dev/null || true
  fi
  print_queue_added=
  print_queue_cupsd_pid=
}

print_queue_on_exit() {
  trap print_queue_stop EXIT
  trap 'exit 130' INT
  trap 'exit 143' TERM
}
