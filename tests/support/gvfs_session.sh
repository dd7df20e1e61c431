#!/bin/sh
# gvfs_session.sh PROGRAM [ARGS...]: runs a test inside a private session bus,
# where gvfs serves network folders, the trash and archives, with a scratch
# home, runtime folder and trash. The ssh that gvfs starts keeps its known
# hosts and key in $QUIL_TEST_SSH_DIR, never in the user's ~/.ssh. Exit 77
# (skipped) where gvfs or dbus-run-session is missing.
set -eu
if ! command -v dbus-run-session >/dev/null || [ ! -x /usr/libexec/gvfsd ]; then
  echo "gvfs or dbus-run-session is not installed"
  exit 77
fi
work=$(mktemp -d /tmp/quil-gvfs.XXXXXX)
# gvfs's daemons end when the bus goes away, and may write their last
# metadata as they do: the scratch folder goes once none of them is left.
session_left() { grep -lqsz "^QUIL_GVFS_SESSION=$work\$" /proc/[0-9]*/environ; }
cleanup() {
  # gvfs's FUSE daemon, when it starts as the bus goes, outlives the bus with
  # its mount: taking the mount away ends it, and the removal never crosses
  # into a mount.
  for _ in $(seq 50); do
    if grep -qs " $work/run/gvfs " /proc/mounts; then
      fusermount3 -u -z "$work/run/gvfs" 2>/dev/null || umount -l "$work/run/gvfs" 2>/dev/null || true
    fi
    session_left || break
    sleep 0.1
  done
  rm -rf --one-file-system "$work"
}
trap cleanup EXIT
mkdir -m 700 "$work/run" "$work/home" "$work/bin" "$work/ssh"
cat >"$work/bin/ssh" <<EOF
#!/bin/sh
exec /usr/bin/ssh -o UserKnownHostsFile=$work/ssh/known_hosts -o NoHostAuthenticationForLocalhost=no \
  -o IdentitiesOnly=yes -i $work/ssh/key "\$@"
EOF
chmod +x "$work/bin/ssh"
export HOME="$work/home" XDG_RUNTIME_DIR="$work/run" XDG_DATA_HOME="$work/home/.local/share"
export QUIL_TEST_SSH_DIR="$work/ssh" PATH="$work/bin:$PATH"
status=0
QUIL_GVFS_SESSION="$work" dbus-run-session -- "$@" || status=$?
exit $status
