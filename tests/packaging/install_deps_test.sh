#!/bin/sh
# scripts/install-deps while another package manager holds the package lock, against stand-ins
# for apt-get, dpkg-query and sudo: it waits for the lock and installs, or gives up with a
# message that says why; apt's other failures come through at once.
# Usage: install_deps_test.sh INSTALL_DEPS
set -u
script=$1
work=$(mktemp -d) || exit 1
trap 'rm -rf "$work"' EXIT
mkdir "$work/bin"
failures=0

fail() {
  echo "FAILED: $*"
  failures=$((failures + 1))
}

# No package is installed; sudo runs the command as it is; the test locale is there.
printf '#!/bin/sh\nexit 1\n' >"$work/bin/dpkg-query"
printf '#!/bin/sh\nexec "$@"\n' >"$work/bin/sudo"
printf '#!/bin/sh\necho de_DE.utf8\n' >"$work/bin/locale"
# apt-get update finds the package lists locked (or fails otherwise) for its first $BUSY tries;
# apt-get install records its arguments.
cat >"$work/bin/apt-get" <<'STUB'
#!/bin/sh
for word; do
  case $word in
  update)
    n=$(($(cat "$WORK/updates" 2>/dev/null || echo 0) + 1))
    echo "$n" >"$WORK/updates"
    [ "$n" -gt "$BUSY" ] && exit 0
    echo "E: $PROBLEM" >&2
    exit 100 ;;
  install)
    echo "$*" >"$WORK/install"
    exit 0 ;;
  esac
done
exit 100
STUB
chmod +x "$work/bin/"*

# run BUSY LOCK_SECONDS [PROBLEM]: install-deps with the lists locked for BUSY tries.
run() {
  rm -f "$work/updates" "$work/install"
  PATH="$work/bin:$PATH" WORK="$work" BUSY=$1 LOCK_SECONDS=$2 LOCK_POLL_SECONDS=1 \
    PROBLEM="${3:-Could not get lock /var/lib/apt/lists/lock. It is held by process 7 (apt-get)}" \
    sh "$script" >"$work/out" 2>"$work/err"
  status=$?
}

run 2 300
[ "$status" -eq 0 ] || fail "a lock held for two tries: status $status; $(cat "$work/err")"
[ "$(cat "$work/updates")" = 3 ] || fail "a lock held for two tries: $(cat "$work/updates") updates"
grep -q "waiting for another package manager" "$work/out" || fail "no word of the wait"
grep -q -- "-o DPkg::Lock::Timeout=300 install" "$work/install" 2>/dev/null ||
  fail "install does not wait for the dpkg lock: $(cat "$work/install" 2>/dev/null)"

run 1000 2
[ "$status" -eq 1 ] || fail "a lock never let go: status $status"
grep -q "another package manager still holds the package lock after 2 seconds" "$work/err" ||
  fail "a lock never let go: $(cat "$work/err")"
[ ! -e "$work/install" ] || fail "a lock never let go: install was tried"

run 1 300 "Unable to fetch some archives"
[ "$status" -eq 1 ] || fail "another failure: status $status"
[ "$(cat "$work/updates")" = 1 ] || fail "another failure was tried again"
grep -q "Unable to fetch some archives" "$work/err" || fail "apt's message is lost"

[ "$failures" -eq 0 ] || exit 1
echo "install-deps waits for the package lock"
