#!/bin/sh
# check_layers.sh FOLDER ALLOWED...: fails when a source of src/FOLDER
# includes a header of another folder of src/ that ALLOWED does not name.
folder=$1
shift
status=0
for used in $(grep -rhoE '^#include "[a-z]+/' "src/$folder" | sed 's/^#include "//; s#/$##' | sort -u); do
  [ "$used" = "$folder" ] && continue
  case " $* " in *" $used "*) continue ;; esac
  echo "src/$folder may not include src/$used:"
  grep -rn "^#include \"$used/" "src/$folder"
  status=1
done
exit $status
