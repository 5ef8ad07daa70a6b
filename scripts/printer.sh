#!/usr/bin/env bash
# Sets up, idempotently, the printer the print tests use: a CUPS queue "PDF"
# with the cups-pdf back end, started and made the default. Its jobs end as
# PDF files in the folder printed on stdout (one per job, named with the job
# number). Wine reads the printer list once per wineserver lifetime, so run
# this before the wineserver starts.
set -euo pipefail
out=/var/spool/cups-pdf/snapora
queue=PDF
ppd=/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd

sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then sudo_cmd=(sudo); fi

if ! lpstat -r 2>/dev/null | grep -q 'is running'; then
  "${sudo_cmd[@]}" mkdir -p /run/cups
  "${sudo_cmd[@]}" cupsd
  for _ in $(seq 1 50); do
    lpstat -r 2>/dev/null | grep -q 'is running' && break
    sleep 0.1
  done
fi

# A configuration of its own (the device URI names it), so the system's
# default cups-pdf settings stay as they are. Label 1 gives every job its
# own file name.
conf=/etc/cups/cups-pdf-snapora.conf
wanted="$(printf 'Out %s\nLabel 1\n' "$out")"
if [ "$(cat "$conf" 2>/dev/null || true)" != "$wanted" ]; then
  printf '%s\n' "$wanted" | "${sudo_cmd[@]}" tee "$conf" >/dev/null
fi

if ! lpstat -v "$queue" 2>/dev/null | grep -q 'cups-pdf:/snapora'; then
  # "Printer drivers are deprecated" is only a warning.
  "${sudo_cmd[@]}" lpadmin -p "$queue" -E -v cups-pdf:/snapora -P "$ppd" 2>/dev/null
fi
"${sudo_cmd[@]}" cupsenable "$queue"
"${sudo_cmd[@]}" cupsaccept "$queue"
if ! lpstat -d 2>/dev/null | grep -q ": $queue\$"; then
  "${sudo_cmd[@]}" lpadmin -d "$queue"
fi
"${sudo_cmd[@]}" mkdir -p "$out"
echo "$out"
