#!/usr/bin/env bash
# Installs what the reliability checks need beyond scripts/install-deps.sh:
# clang with its libFuzzer and sanitizer runtimes, and valgrind.
# As root it runs apt-get; otherwise it prints the one apt-get line to run.
set -euo pipefail

wanted=(clang libclang-rt-14-dev valgrind)
missing=()
for package in "${wanted[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
  [[ "$status" == "install ok installed" ]] || missing+=("$package")
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

if [[ $(id -u) -eq 0 ]]; then
  echo "Installing missing packages: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
else
  echo "The fuzzing and memory checks need packages that are missing. Install them with:" >&2
  echo "    sudo apt-get install ${missing[*]}" >&2
  exit 1
fi
