#!/usr/bin/env bash
# impresora.sh start|stop [DIR]: a CUPS server of the tests' own, kept in
# DIR (default /tmp/tessera-impresora), with one PDF printer, TesseraPDF,
# its default, which writes each job into DIR/pdf. Programs reach it with
# CUPS_SERVER=DIR/cups.sock; the system's own CUPS is neither used nor
# changed. stop ends the server by the PID start kept and removes DIR and
# the printer's settings file.
#
# Runs as root (the PDF backend only runs under a root server). Needs cups,
# cups-client, cups-bsd and printer-driver-cups-pdf. Where AppArmor enforces
# the PDF backend's profile, that backend may read and write only the
# system's own places, and no page comes out here.
set -eu
accion=${1:-}
dir=${2:-/tmp/tessera-impresora}
cola=TesseraPDF
# The PDF backend reads its settings only from /etc/cups, from the file
# named after the part of the printer's URI after "cups-pdf:/".
instancia=tessera-$(printf '%s' "$dir" | md5sum | cut -c1-8)
ajustes=/etc/cups/cups-pdf-$instancia.conf
socket=$dir/cups.sock
# Marks DIR as this script's own: nothing else is ever removed.
marca=$dir/.tessera-impresora

parar() {
  rm -f "$ajustes"
  [ -f "$marca" ] || return 0
  if [ -f "$dir/cupsd.pid" ]; then
    pid=$(cat "$dir/cupsd.pid")
    # Only the server started here, should the number have been reused.
    if tr '\0' ' ' <"/proc/$pid/cmdline" 2>/dev/null | grep -qF -- "$dir/etc/cupsd.conf" && kill "$pid" 2>/dev/null; then
      for _ in $(seq 100); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
      kill -KILL "$pid" 2>/dev/null || true
    fi
  fi
  rm -rf "$dir"
}

case "$accion" in
  start)
    [ "$(id -u)" -eq 0 ] || { echo "impresora.sh: needs root" >&2; exit 1; }
    [ -x /usr/sbin/cupsd ] && [ -x /usr/lib/cups/backend/cups-pdf ] ||
      { echo "impresora.sh: CUPS or its PDF printer is missing (scripts/install-deps.sh)" >&2; exit 1; }
    # A socket path must stay under 108 bytes.
    [ ${#socket} -lt 100 ] || { echo "impresora.sh: $dir is too long a path" >&2; exit 1; }
    parar
    if [ -e "$dir" ] && [ -n "$(ls -A "$dir")" ]; then
      echo "impresora.sh: $dir holds files of its own" >&2
      exit 1
    fi
    mkdir -p "$dir"/{etc,spool,tmp,cache,run,log,pdf}
    touch "$marca"
    chmod 0755 "$dir" "$dir/pdf"
    chmod 1777 "$dir/tmp"
    cat >"$dir/etc/cups-files.conf" <<FIN
ServerRoot $dir/etc
RequestRoot $dir/spool
TempDir $dir/tmp
CacheDir $dir/cache
StateDir $dir/run
ErrorLog $dir/log/error_log
AccessLog $dir/log/access_log
PageLog $dir/log/page_log
SystemGroup root
Sandboxing Relaxed
FIN
    cat >"$dir/etc/cupsd.conf" <<FIN
Listen $socket
Browsing No
WebInterface No
LogLevel warn
<Location />
  Order allow,deny
  Allow all
</Location>
<Policy default>
  JobPrivateAccess default
  JobPrivateValues default
  SubscriptionPrivateAccess default
  SubscriptionPrivateValues default
  <Limit All>
    Order deny,allow
  </Limit>
</Policy>
FIN
    cat >"$ajustes" <<FIN
Out $dir/pdf
AnonDirName $dir/pdf
Spool $dir/spool/pdf
Log $dir/log
Grp root
Label 2
GSTmp $dir/tmp
FIN
    setsid /usr/sbin/cupsd -f -c "$dir/etc/cupsd.conf" -s "$dir/etc/cups-files.conf" \
      </dev/null >>"$dir/log/cupsd.out" 2>&1 &
    echo $! >"$dir/cupsd.pid"
    # lpstat -r exits 0 whether or not the scheduler answers: read what it says.
    en_marcha() {
      [ -S "$socket" ] && LC_ALL=C lpstat -h "$socket" -r 2>/dev/null | grep -qx 'scheduler is running'
    }
    for _ in $(seq 300); do
      en_marcha && break
      kill -0 "$(cat "$dir/cupsd.pid")" 2>/dev/null || break
      sleep 0.1
    done
    en_marcha || { echo "impresora.sh: the CUPS server did not start" >&2; cat "$dir/log/"* >&2; parar; exit 1; }
    # lpadmin warns that printer drivers are deprecated: shown only on failure.
    if ! salida=$(lpadmin -h "$socket" -p "$cola" -E -v "cups-pdf:/$instancia" \
        -P /usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd 2>&1 && lpadmin -h "$socket" -d "$cola" 2>&1); then
      echo "$salida" >&2
      parar
      exit 1
    fi
    echo "impresora.sh: $cola ready; CUPS_SERVER=$socket, PDFs in $dir/pdf"
    ;;
  stop)
    parar
    ;;
  *)
    echo "usage: impresora.sh start|stop [DIR]" >&2
    exit 2
    ;;
esac
