#!/usr/bin/env bash
# Installs the build tree into a temporary folder with DESTDIR and checks the
# installed tree (see check_installed_tree.sh).
#
# usage: install_test.sh BUILD_DIR PREFIX VERSION [--gui] [--tovani]
set -u
build=$1 prefix=$2
shift
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
if ! output=$(DESTDIR=$root/destdir cmake --install "$build" 2>&1); then
  echo "$output"
  exit 1
fi
bash "$(dirname "${BASH_SOURCE[0]}")/check_installed_tree.sh" "$root/destdir$prefix" "$@"
