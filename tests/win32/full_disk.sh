#!/bin/sh
# A project saved by the Win32 window onto a disk that fills up: mounts a file system of
# 128 KiB of its own under /tmp, hands its folder to the test program under wine as a
# path on drive Z:, and unmounts it again. Only root may mount one: skipped (77) otherwise.
# Usage: full_disk.sh WINE TEST_PROGRAM
set -u
[ "$(id -u)" -eq 0 ] || { echo "mounting the small file system needs root: skipped"; exit 77; }
wine=$1 program=$2
dir=$(mktemp -d /tmp/kneebrace-small-disk.XXXXXX) || exit 1
if ! mount -t tmpfs -o size=128k tmpfs "$dir"; then
  rmdir "$dir"
  echo "this machine lets no file system be mounted here: skipped"
  exit 77
fi
# Windows takes forward slashes in a path as well; Z: is wine's drive for the root.
KNEEBRACE_SMALL_DISK="Z:$dir" \
  "$wine" "$program" --gtest_filter=Win32ProjectMenu.FullDiskKeepsTheOldProject </dev/null
status=$?
if ! umount "$dir" || ! rmdir "$dir"; then status=1; fi
exit "$status"
