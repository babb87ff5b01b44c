#!/usr/bin/env bash
# Starts or stops a print system for the printing tests: CUPS with the cups-pdf virtual printer
# "PDF" as the default printer. A job printed there lands as a PDF file in the printing user's
# ~/PDF (see /etc/cups/cups-pdf.conf).
#
#   scripts/cups-pdf-printer.sh start   exit 0 when the printer takes jobs, non-zero otherwise
#   scripts/cups-pdf-printer.sh stop    stops the daemon that "start" started, by its pid
#
# Needs root (the daemon, lpadmin) and the packages cups, cups-client and
# printer-driver-cups-pdf. A scheduler that was already running is used and left running.
set -euo pipefail

state_dir="${ZEB_CUPS_STATE_DIR:-/tmp/zeb-cups-pdf}"
pid_file="$state_dir/cupsd.pid"
log_file="$state_dir/cupsd.log"
ppd="lsb/usr/cups-pdf/CUPS-PDF_opt.ppd"

say() { echo "cups-pdf-printer: $*" >&2; }

scheduler_running() { lpstat -r 2>/dev/null | grep -q "is running"; }

start() {
    if [ "$(id -u)" -ne 0 ]; then
        say "root is needed to start the print system"
        return 1
    fi
    for tool in cupsd lpadmin lpoptions lpstat; do
        command -v "$tool" >/dev/null || { say "$tool is not installed"; return 1; }
    done
    if [ ! -x /usr/lib/cups/backend/cups-pdf ]; then
        say "the cups-pdf backend is not installed (printer-driver-cups-pdf)"
        return 1
    fi
    mkdir -p "$state_dir"
    if scheduler_running; then
        say "a scheduler is already running; using it"
    else
        # In the foreground of its own session, so that its pid is the one recorded here.
        setsid cupsd -f >"$log_file" 2>&1 </dev/null &
        echo $! >"$pid_file"
        for _ in $(seq 1 100); do
            scheduler_running && break
            sleep 0.1
        done
        if ! scheduler_running; then
            say "cupsd did not start (see $log_file)"
            stop
            return 1
        fi
    fi
    # Drivers are deprecated in CUPS 2.4 and it says so; cups-pdf still comes as one.
    lpadmin -p PDF -v cups-pdf:/ -E -m "$ppd" 2>/dev/null
    # The job's PDF passes through PostScript on its way to cups-pdf. Poppler's converter keeps
    # the faces as fonts; Ghostscript's would turn them into glyph drawings (Type 3) and leave
    # nothing of the fonts to check.
    lpadmin -p PDF -o pdftops-renderer-default=pdftops
    # The default printer is a setting of the whole machine: the one there was comes back on stop.
    local previous
    previous="$(lpstat -d 2>/dev/null | sed -n 's/^system default destination: //p')"
    if [ -n "$previous" ] && [ "$previous" != "PDF" ]; then
        echo "$previous" >"$state_dir/previous-default"
    fi
    lpoptions -d PDF >/dev/null
    cupsenable PDF 2>/dev/null || true
    cupsaccept PDF 2>/dev/null || true
    if ! lpstat -d 2>/dev/null | grep -q ": PDF$"; then
        say "the printer PDF is not the default printer"
        return 1
    fi
    say "printer PDF ready; documents land in ~/PDF"
}

stop() {
    if [ -f "$state_dir/previous-default" ]; then
        lpoptions -d "$(cat "$state_dir/previous-default")" >/dev/null ||
            say "could not make $(cat "$state_dir/previous-default") the default printer again"
        rm -f "$state_dir/previous-default"
    fi
    if [ ! -f "$pid_file" ]; then
        return 0
    fi
    local pid
    pid="$(cat "$pid_file")"
    rm -f "$pid_file"
    # Only the daemon this script started, and only while it is still cupsd.
    if [ -n "$pid" ] && [ "$(cat "/proc/$pid/comm" 2>/dev/null)" = "cupsd" ]; then
        kill "$pid"
        for _ in $(seq 1 50); do
            kill -0 "$pid" 2>/dev/null || return 0
            sleep 0.1
        done
        say "cupsd ($pid) did not stop"
        return 1
    fi
}

case "${1:-}" in
start) start ;;
stop) stop ;;
*)
    echo "usage: $0 start|stop" >&2
    exit 2
    ;;
esac
