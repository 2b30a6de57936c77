#!/bin/sh
# Fails when the tests left anything in their temporary folder ($1) and names what they left.
# Qt's stand-in for the user's runtime folder (runtime-USER) is the user's, not a test's.
# Usage: left_files_check.sh FOLDER
left=$(ls -A "$1" 2>/dev/null | grep -v '^runtime-')
if [ -n "$left" ]; then
  echo "The tests left these in $1:"
  echo "$left"
  exit 1
fi
