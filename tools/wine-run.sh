#!/usr/bin/env bash
# Runs a Windows program under 64-bit Wine on behalf of CTest.
#
# Wine starts helper processes (its desktop, its services) that live on after
# the program and inherit its output. Written to a file first, that output
# never keeps CTest's pipe open; it is shown once the program has ended.
log=$(mktemp)
/usr/lib/wine/wine64 "$@" >"$log" 2>&1 </dev/null
status=$?
cat "$log"
rm -f "$log"
exit $status
