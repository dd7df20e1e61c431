# Sourced by the file-operation benchmarks: make_work_folder PREFIX SIZE [MKFS_ARGS...]
# sets $work to a fresh folder and removes it (and its image) on exit. Where it
# can mount (root, mkfs.ext4, no BENCH_DIR), the folder is a fresh ext4 image of
# SIZE bytes: a shared /tmp carries other programs' churn of created and
# deleted files, and ext4's inode allocation cost then varies threefold
# between identical runs.
make_work_folder() {
  local prefix=$1 size=$2
  shift 2
  work=$(mktemp -d "${BENCH_DIR:-/tmp}/$prefix-XXXXXX")
  image=
  trap cleanup_work_folder EXIT
  if [ -z "${BENCH_DIR:-}" ] && [ "$(id -u)" -eq 0 ] && command -v mkfs.ext4 >/dev/null; then
    image=$(mktemp "/tmp/$prefix-XXXXXX.img")
    truncate -s "$size" "$image"
    if mkfs.ext4 -q -F "$@" "$image" && mount -o loop "$image" "$work"; then
      echo "working on a fresh ext4 at $work"
    else
      rm -f "$image"
      image=
    fi
  fi
}

cleanup_work_folder() {
  if mountpoint -q "$work"; then umount "$work"; fi
  rm -rf "$work" "${image:-}"
}
