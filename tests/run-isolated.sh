#!/bin/sh
# Runs one test with its own empty XDG_DATA_HOME, removed afterwards.
home=$(mktemp -d)
XDG_DATA_HOME="$home" "$@"
status=$?
rm -rf "$home"
exit $status
