#!/bin/sh
# Starts (or stops) a print server with a PDF queue for the printer test.
# usage: cups-fixture.sh start|stop STATE_DIR
# A server that is already running is used as it is and left running; a queue that
# already exists is left in place. Only what this script started or added is undone.
# When no server can be started the state folder says "unavailable" and the test skips.
set -u
action=$1
state=$2
queue=VorlanePDF
mkdir -p "$state"

running() { lpstat -r 2>/dev/null | grep -q 'is running'; }

case "$action" in
start)
    rm -f "$state"/*
    if ! command -v lpadmin >/dev/null 2>&1 || [ ! -x /usr/sbin/cupsd ]; then
        echo "cups is not installed" > "$state/unavailable"; exit 0
    fi
    if ! running; then
        if [ "$(id -u)" -ne 0 ]; then
            echo "no print server and not allowed to start one" > "$state/unavailable"; exit 0
        fi
        /usr/sbin/cupsd -f >/dev/null 2>&1 &
        echo $! > "$state/pid"
        i=0
        while ! running && [ $i -lt 50 ]; do sleep 0.2; i=$((i + 1)); done
        if ! running; then
            echo "cupsd did not start" > "$state/unavailable"; exit 0
        fi
    fi
    if ! lpstat -p "$queue" >/dev/null 2>&1; then
        if lpadmin -p "$queue" -v cups-pdf:/ -E -m lsb/usr/cups-pdf/CUPS-PDF_opt.ppd 2>"$state/lpadmin.log"; then
            touch "$state/added-queue"
        else
            echo "cannot add the PDF queue" > "$state/unavailable"; exit 0
        fi
    fi
    echo "$queue" > "$state/queue"
    ;;
stop)
    [ -f "$state/added-queue" ] && lpadmin -x "$queue" 2>/dev/null
    if [ -f "$state/pid" ]; then
        kill "$(cat "$state/pid")" 2>/dev/null
    fi
    rm -f "$state"/*
    ;;
esac
exit 0
