#!/bin/sh
# Starts orvane.exe under Wine in place of the POSIX program, for the
# end-to-end tests: run_under_wine.sh WINE64 PREFIX PROGRAM [STARTER]. With a
# STARTER (hand_back_probe.exe), that program starts it, as a shell would. The
# folder it runs in is the test run's own; MessageBeep calls go to beeps.log
# there, since Wine rings no terminal bell for them.
wine64=$1
prefix=$2
program=$3
starter=$4
# Ctrl+C in the pane interrupts every process of its group, this script too:
# it must outlive the program to report the program's status, not its own.
trap : INT
WINEPREFIX=$prefix WINEDEBUG=-all,+relay WINEDLLOVERRIDES=mscoree,mshtml= \
  "$wine64" ${starter:+"$starter"} "$program" 2>beeps.log
status=$?
# Ctrl+C or Ctrl+Break ends a Windows program with STATUS_CONTROL_C_EXIT
# (0xC000013A), of which Wine passes on the low byte, 58; the tests expect what
# a POSIX shell reports for an interrupt, 130.
if [ $status -eq 58 ]; then
  status=130
fi
# Wine's console host hands the terminal back a moment after the program has
# ended; give it up to two seconds before the test looks.
tries=0
while [ $tries -lt 40 ] && ! stty -a | grep -q -- ' icanon'; do
  sleep 0.05
  tries=$((tries + 1))
done
exit $status
