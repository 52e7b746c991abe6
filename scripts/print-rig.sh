#!/usr/bin/env bash
# The printing rig: a real cupsd with two queues the printing tests and benchmarks print to.
#   Vantric_IPP  a driverless queue on an IPP Everywhere printer (ippeveprinter on a loopback port) whose
#                print command records every job it receives: its IPP attributes and its document
#   PDF          a cups-pdf queue, for a PDF to look at
#   Vantric_Reject  a second queue on the same printer, that tests make refuse jobs while one is being made
#   Vantric_Dead    a queue whose printer never answers (nothing listens on its port)
#
#   scripts/print-rig.sh start    start what is not running (idempotent, quick when all runs)
#   scripts/print-rig.sh stop     stop what this script started and remove its queues
#   scripts/print-rig.sh reset    stop, forget every recorded job, start again
#   scripts/print-rig.sh status   exit 0 when the rig answers
#
# State lives in $VANTRIC_RIG_DIR (default: .rig/ at the top of the tree):
#   jobs/job-<n>.env   the IPP_* variables the printer gave the print command (written last)
#   jobs/job-<n>.doc   the document the printer received
#   spool/             ippeveprinter's spool folder; *.pid and *.log of what this script started
#
# "start" never fails the caller: a machine without the rig's packages or rights gets a warning, and the
# tests that need the rig skip.
set -uo pipefail

top="$(cd "$(dirname "$0")/.." && pwd)"
rig="${VANTRIC_RIG_DIR:-$top/.rig}"
port="${VANTRIC_RIG_PORT:-8632}"
queue="Vantric_IPP"
uri="ipp://localhost:$port/ipp/print"

warn() { echo "print-rig: $*" >&2; }

running_pid() {   # running_pid FILE: the pid in FILE when that process still runs
  local pid
  [ -f "$1" ] || return 1
  pid="$(cat "$1" 2>/dev/null)"
  [ -n "$pid" ] && kill -0 "$pid" 2>/dev/null && echo "$pid"
}

printer_answers() {
  ipptool -q -T 2 "$uri" /usr/share/cups/ipptool/get-printer-attributes.test >/dev/null 2>&1
}

scheduler_runs() { lpstat -r 2>/dev/null | grep -q 'is running'; }

write_recorder() {
  mkdir -p "$rig/jobs" "$rig/spool"
  cat >"$rig/record-job.sh" <<EOF
#!/bin/sh
# Print command of the rig's IPP printer: keeps the document and the job's attributes.
jobs="$rig/jobs"
n="\${IPP_JOB_ID:-\$\$}"
cp "\$1" "\$jobs/job-\$n.doc"
env | grep -E '^(IPP_|CONTENT_TYPE|PRINTER_)' | sort >"\$jobs/job-\$n.env.tmp"
mv "\$jobs/job-\$n.env.tmp" "\$jobs/job-\$n.env"
# Only the last 40 jobs are kept.
ls -t "\$jobs"/job-*.env 2>/dev/null | tail -n +41 | while read -r old; do rm -f "\$old" "\${old%.env}.doc"; done
EOF
  chmod 755 "$rig/record-job.sh"
}

start_dbus() {
  if [ -S /run/dbus/system_bus_socket ] && dbus-send --system --dest=org.freedesktop.DBus --print-reply \
       /org/freedesktop/DBus org.freedesktop.DBus.GetId >/dev/null 2>&1; then
    return 0
  fi
  mkdir -p /run/dbus
  rm -f /run/dbus/pid
  dbus-daemon --system --fork --print-pid >"$rig/dbus.pid" 2>>"$rig/dbus.log" || warn "dbus-daemon did not start"
}

start_avahi() {
  if avahi-daemon --check 2>/dev/null; then return 0; fi
  avahi-daemon --daemonize --no-drop-root 2>>"$rig/avahi.log" || { warn "avahi-daemon did not start"; return 0; }
  touch "$rig/avahi.started"
}

start_cupsd() {
  if scheduler_runs; then return 0; fi
  cupsd 2>>"$rig/cupsd.log" || { warn "cupsd did not start"; return 1; }
  touch "$rig/cupsd.started"
  for _ in $(seq 1 50); do scheduler_runs && return 0; sleep 0.1; done
  warn "cupsd does not answer"
  return 1
}

start_printer() {
  if running_pid "$rig/ippeveprinter.pid" >/dev/null && printer_answers; then return 0; fi
  write_recorder
  # -2: two-sided support; -s with a colour speed: a colour printer; -c records each job.
  nohup ippeveprinter -p "$port" -n localhost -d "$rig/spool" -c "$rig/record-job.sh" -2 \
    -f application/pdf,image/pwg-raster,image/jpeg -s 10,10 -M Vantric -m "Rig Printer" "Vantric Rig" \
    >>"$rig/ippeveprinter.log" 2>&1 &
  echo $! >"$rig/ippeveprinter.pid"
  for _ in $(seq 1 100); do printer_answers && return 0; sleep 0.1; done
  warn "ippeveprinter does not answer on port $port (see $rig/ippeveprinter.log)"
  return 1
}

add_queues() {
  # The driverless queue is made only once the printer answers: CUPS builds its description from the
  # printer's attributes then, and rejects IPP media names without it.
  if ! lpstat -p "$queue" >/dev/null 2>&1; then
    lpadmin -p "$queue" -v "$uri" -m everywhere -E 2>>"$rig/lpadmin.log" || warn "cannot add $queue"
  fi
  if [ -f /usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd ] && ! lpstat -p PDF >/dev/null 2>&1; then
    lpadmin -p PDF -v cups-pdf:/ -E -P /usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd 2>>"$rig/lpadmin.log" \
      || warn "cannot add the PDF queue"
  fi
  if ! lpstat -p Vantric_Reject >/dev/null 2>&1; then
    lpadmin -p Vantric_Reject -v "$uri" -m everywhere -E 2>>"$rig/lpadmin.log" || warn "cannot add Vantric_Reject"
  fi
  if ! lpstat -p Vantric_Dead >/dev/null 2>&1; then
    lpadmin -p Vantric_Dead -v ipp://127.0.0.1:9/ipp/print -E 2>>"$rig/lpadmin.log" || warn "cannot add Vantric_Dead"
  fi
  # Jobs that fail must not stop the queues for the jobs after them.
  for q in "$queue" Vantric_Reject; do
    lpadmin -p "$q" -o printer-error-policy=abort-job >/dev/null 2>&1 || true
    cupsenable "$q" >/dev/null 2>&1 || true
    cupsaccept "$q" >/dev/null 2>&1 || true
  done
}

start() {
  for tool in cupsd lpadmin ippeveprinter ipptool avahi-daemon dbus-daemon; do
    command -v "$tool" >/dev/null 2>&1 || { warn "$tool is missing (scripts/setup.sh installs it); rig not started"; return 0; }
  done
  if [ "$(id -u)" -ne 0 ]; then
    warn "the rig needs root to start daemons and add queues; rig not started"
    return 0
  fi
  mkdir -p "$rig/jobs" "$rig/spool"
  start_dbus
  start_avahi
  start_cupsd || return 0
  start_printer || return 0
  add_queues
}

wait_gone() {   # wait_gone PID...: until those processes have ended (at most 3 s)
  local p
  for _ in $(seq 1 30); do
    for p in "$@"; do kill -0 "$p" 2>/dev/null && break; p=""; done
    [ -z "$p" ] && return 0
    sleep 0.1
  done
}

stop() {
  local pid gone=()
  lpadmin -x "$queue" >/dev/null 2>&1 || true
  lpadmin -x PDF >/dev/null 2>&1 || true
  lpadmin -x Vantric_Reject >/dev/null 2>&1 || true
  lpadmin -x Vantric_Dead >/dev/null 2>&1 || true
  if pid="$(running_pid "$rig/ippeveprinter.pid")"; then kill "$pid" 2>/dev/null; gone+=("$pid"); fi
  rm -f "$rig/ippeveprinter.pid"
  if [ -f "$rig/cupsd.started" ] && pid="$(running_pid /run/cups/cupsd.pid)"; then
    kill "$pid" 2>/dev/null; gone+=("$pid")
  fi
  rm -f "$rig/cupsd.started"
  if [ -f "$rig/avahi.started" ] && pid="$(running_pid /run/avahi-daemon/pid)"; then
    kill "$pid" 2>/dev/null; gone+=("$pid")
  fi
  rm -f "$rig/avahi.started"
  if pid="$(running_pid "$rig/dbus.pid")"; then kill "$pid" 2>/dev/null; gone+=("$pid"); fi
  rm -f "$rig/dbus.pid"
  [ ${#gone[@]} -eq 0 ] || wait_gone "${gone[@]}"
}

status() {
  scheduler_runs && printer_answers && lpstat -p "$queue" >/dev/null 2>&1
}

case "${1:-}" in
  start) start ;;
  stop) stop ;;
  reset) stop; rm -rf "$rig/jobs" "$rig/spool" "$rig"/*.log; start ;;
  status) status ;;
  *) echo "usage: $0 start|stop|reset|status" >&2; exit 2 ;;
esac
