#!/usr/bin/env bash
# Copies a 1 GiB file and a 2,000-file tree to and from an sftp location on
# this machine (a private sshd on 127.0.0.1, reached through gvfs in a private
# session bus) with quil-fileop and with scp in the same run, in rounds whose
# order alternates; and reads a 10,000-entry remote folder with the list's
# reader and with gio list. A ratio is the median over the rounds of QUIL's
# time over the other tool's. Prints sftp_<workload>_vs_scp=<ratio> for
# file_up, file_down, tree_up and tree_down, sftp_list_vs_gio=<ratio>, then
# sftp_copy_vs_scp=<ratio> (the worst copy) last.
#   bench/sftp.sh        FILE_MB=1024 FILES=2000 ENTRIES=10000 ROUNDS=3
set -euo pipefail
cd "$(dirname "$0")/.."
if [ -z "${QUIL_TEST_SSH_DIR:-}" ]; then
  cmake --build build --target quil-fileop gio_list_bench >/dev/null
  exec sh tests/support/gvfs_session.sh bash "$0" "$@"
fi
file_mb=${FILE_MB:-1024} files=${FILES:-2000} entries=${ENTRIES:-10000} rounds=${ROUNDS:-3}
tool=$(realpath build/src/platform/fileop/quil-fileop)
lister=$(realpath build/bench/gio_list_bench)
ssh_dir=$QUIL_TEST_SSH_DIR
work=$(mktemp -d /tmp/quil-sftp-bench.XXXXXX)
sshd_pid=
cleanup() {
  [ -z "$sshd_pid" ] || kill "$sshd_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

ssh-keygen -q -t ed25519 -N '' -f "$ssh_dir/key"
ssh-keygen -q -t ed25519 -N '' -f "$work/host"
port=$((20000 + RANDOM % 20000))
cat >"$work/sshd_config" <<CONFIG
ListenAddress 127.0.0.1
Port $port
HostKey $work/host
AuthorizedKeysFile $ssh_dir/key.pub
PidFile none
StrictModes no
UsePAM no
Subsystem sftp internal-sftp
CONFIG
mkdir -p /run/sshd
/usr/sbin/sshd -D -e -f "$work/sshd_config" 2>"$work/sshd.log" &
sshd_pid=$!
for _ in $(seq 200); do
  grep -q "Server listening" "$work/sshd.log" && break
  sleep 0.05
done
echo "[127.0.0.1]:$port $(cut -d' ' -f1-2 "$work/host.pub")" >"$ssh_dir/known_hosts"
host=root@127.0.0.1
uri="sftp://$host:$port"
gio mount "$uri/" </dev/null
scp_options=(-q -r -P "$port" -i "$ssh_dir/key" -o IdentitiesOnly=yes -o "UserKnownHostsFile=$ssh_dir/known_hosts")

mkdir "$work/src" "$work/src/tree" "$work/list"
head -c $((file_mb * 1024 * 1024)) /dev/urandom >"$work/src/file.bin"
content=$(head -c 8000 /dev/urandom | base64 -w0)
for i in $(seq 0 $((files - 1))); do
  [ $((i % 100)) -eq 0 ] && mkdir "$work/src/tree/dir$((i / 100))"
  printf '%s' "${content:0:$((1000 + i % 9000))}" >"$work/src/tree/dir$((i / 100))/file$i.txt"
done
(cd "$work/list" && seq -f 'entry%06g' 1 "$entries" | xargs touch)

seconds() {
  local TIMEFORMAT='%R'
  { time "$@" >/dev/null; } 2>&1
}
median() { printf '%s\n' "$@" | sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

# run_workload NAME SOURCE_KIND ITEM: ITEM (file.bin or tree) up to the
# server or down from it, into a fresh folder for each tool and round.
worst=0
run_workload() {
  local name=$1 direction=$2 item=$3 ratios=() round quil scp
  for round in $(seq "$rounds"); do
    rm -rf "$work/out-q" "$work/out-s"
    mkdir "$work/out-q" "$work/out-s"
    if [ "$direction" = up ]; then
      quil_run() { "$tool" copy "$work/src/$item" --to "$uri$work/out-q/"; }
      scp_run() { scp "${scp_options[@]}" "$work/src/$item" "$host:$work/out-s/"; }
    else
      quil_run() { "$tool" copy "$uri$work/src/$item" --to "$work/out-q/"; }
      scp_run() { scp "${scp_options[@]}" "$host:$work/src/$item" "$work/out-s/"; }
    fi
    sync
    if [ $((round % 2)) -eq 1 ]; then
      quil=$(seconds quil_run)
      scp=$(seconds scp_run)
    else
      scp=$(seconds scp_run)
      quil=$(seconds quil_run)
    fi
    diff -r "$work/out-q" "$work/out-s" >/dev/null || { echo "$name: the copies differ"; exit 1; }
    echo "$name round $round: quil ${quil}s, scp ${scp}s"
    ratios+=("$(awk -v a="$quil" -v b="$scp" 'BEGIN { printf "%.3f", a / b }')")
  done
  local ratio
  ratio=$(median "${ratios[@]}")
  echo "sftp_${name}_vs_scp=$ratio"
  worst=$(awk -v a="$worst" -v b="$ratio" 'BEGIN { print (b > a) ? b : a }')
}
run_workload file_up up file.bin
run_workload file_down down file.bin
run_workload tree_up up tree
run_workload tree_down down tree

list_ratios=()
for round in $(seq "$rounds"); do
  quil=$("$lister" "$uri$work/list/" | sed 's/.*seconds=//')
  gio=$(seconds sh -c "gio list '$uri$work/list/' | wc -l")
  echo "list round $round: quil ${quil}s, gio list ${gio}s"
  list_ratios+=("$(awk -v a="$quil" -v b="$gio" 'BEGIN { printf "%.3f", a / b }')")
done
echo "sftp_list_vs_gio=$(median "${list_ratios[@]}")"
echo "sftp_copy_vs_scp=$worst"
