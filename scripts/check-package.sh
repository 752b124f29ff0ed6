#!/usr/bin/env bash
# Builds the Debian package (scripts/package.sh) and checks it: its control fields and files, the
# menu entry's command and icon against the unpacked files, and starts of the unpacked program
# from another working directory, from a writable and from a read-only install. As root it also
# installs the package with dpkg, starts the installed program as root and as an unprivileged
# user, purges it and checks that nothing of it is left behind.
# Usage: bash scripts/check-package.sh [build folder]   (default build/package)
set -euo pipefail
cd "$(dirname "$0")/.."

build=${1:-build/package}
bash scripts/package.sh "$build"
deb=$(realpath "$(ls "$build"/tieba-search_*.deb)")

scratch=$(mktemp -d)
chmod 755 "$scratch" # an unprivileged user runs the unpacked program from in here
root="$scratch/root"
elsewhere="$scratch/elsewhere"
mkdir -p "$root" "$elsewhere"
mkdir -m 700 "$scratch/runtime"
running=""
installed=""
system_copy=/usr/bin/SkinH_EL.dll
system_copy_ours="" # set once it is known that the check, not someone else, would make it

cleanup() {
  if [[ -n "$running" ]]; then
    kill "$running" 2>/dev/null || true
    wait "$running" 2>/dev/null || true
  fi
  if [[ -n "$installed" ]]; then
    dpkg --purge tieba-search >/dev/null 2>&1 || true
  fi
  if [[ -n "$system_copy_ours" ]]; then
    rm -f "$system_copy"
  fi
  chmod -R u+w "$scratch" 2>/dev/null || true
  rm -rf "$scratch"
}
trap cleanup EXIT

fail() {
  echo "check-package: $*" >&2
  exit 1
}

# The value of a key in the entry's [Desktop Entry] group: "Exec=tieba-search %U" => "tieba-search %U"
entry_key() {
  awk -v key="$2" '
    /^\[/ { group = $0; next }
    group == "[Desktop Entry]" && index($0, key "=") == 1 { print substr($0, length(key) + 2); exit }
  ' "$1"
}

# "NxN" of a PNG file, read from its header.
png_size() {
  local -a bytes
  read -r -a bytes < <(od -An -tu1 -j16 -N8 "$1")
  echo "$(((bytes[0] << 24) + (bytes[1] << 16) + (bytes[2] << 8) + bytes[3]))x$(((bytes[4] << 24) + (bytes[5] << 16) + (bytes[6] << 8) + bytes[7]))"
}

# Starts a command in `dir` under a headless Qt, lets it run for a moment (until it has loaded a
# skin library, at most three seconds) and stops it. Fails when it ended by itself. Leaves the
# skin libraries it had mapped, one a line, in $scratch/mapped.
start_briefly() {
  local dir=$1
  shift
  (cd "$dir" && exec env QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR="$scratch/runtime" "$@") \
    >"$scratch/out" 2>"$scratch/err" &
  running=$!
  : >"$scratch/mapped"
  for tick in $(seq 30); do
    sleep 0.1
    if ! kill -0 "$running" 2>/dev/null; then
      wait "$running" || true
      running=""
      cat "$scratch/err" >&2
      fail "$* ended by itself, run from $dir"
    fi
    grep -o '/[^ ]*SkinH_EL\.dll$' "/proc/$running/maps" 2>/dev/null | sort -u >"$scratch/mapped" || true
    if ((tick >= 10)) && [[ -s "$scratch/mapped" ]]; then
      break
    fi
  done
  kill "$running"
  wait "$running" 2>/dev/null || true
  running=""
}

# An unprivileged user, with a home of its own in the scratch folder; empty when there is none.
as_user=()
if ((EUID == 0)) && id nobody >/dev/null 2>&1; then
  home="$scratch/home"
  mkdir -m 700 "$home"
  chown nobody "$home"
  as_user=(setpriv --reuid=nobody --regid="$(id -g nobody)" --clear-groups
    env HOME="$home" XDG_RUNTIME_DIR="$home")
fi

# --- The package's control fields and files.
[[ $(dpkg-deb -f "$deb" Package) == tieba-search ]] || fail "package name is not tieba-search"
depends=$(dpkg-deb -f "$deb" Depends)
for needed in libqt6widgets6 libqt6gui6 libqt6core6 qt6-qpa-plugins libcurl4 libicu72 \
  libpcre2-16-0 'fonts-noto-cjk | fonts-arphic-ukai'; do
  [[ ", $depends," == *", $needed"[\ ,]* ]] || fail "Depends lacks $needed: $depends"
done
if dpkg-deb -c "$deb" | awk '{print $6}' | grep -v '^\./usr/' | grep -q .; then
  fail "files outside /usr: $(dpkg-deb -c "$deb" | awk '{print $6}' | grep -v '^\./usr/')"
fi

dpkg-deb -x "$deb" "$root"
library=$(cd "$root" && find usr -name SkinH_EL.dll)
[[ -n "$library" ]] || fail "no SkinH_EL.dll in the package"
library_dir="/$(dirname "$library")"
[[ $(stat -c %s "$root/$library") == 88576 ]] || fail "SkinH_EL.dll is not 88,576 bytes"
# The program looks for the packaged copy in the directory it was built for.
grep -qaF "$library_dir" "$root/usr/bin/tieba-search" ||
  fail "the program does not look in $library_dir, where the package puts SkinH_EL.dll"
if ldd "$root/usr/bin/tieba-search" | grep 'not found'; then
  fail "the program misses libraries"
fi

# --- The menu entry names a command on the PATH and an icon of the hicolor theme.
entry="$root/usr/share/applications/tieba-search.desktop"
[[ -f "$entry" ]] || fail "no menu entry"
if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$entry" || fail "the menu entry does not validate"
fi
exec_key=$(entry_key "$entry" Exec)
command=${exec_key%% *}
[[ "$command" != */* && -x "$root/usr/bin/$command" ]] ||
  fail "Exec=$exec_key is not a program in /usr/bin"
icon=$(entry_key "$entry" Icon)
[[ "$icon" != */* ]] || fail "Icon=$icon is a path, not a theme icon name"
for size in 16 24 32 48 64 128 256; do
  png="$root/usr/share/icons/hicolor/${size}x${size}/apps/$icon.png"
  [[ -f "$png" ]] || fail "no ${size}x${size} icon $icon.png"
  [[ $(png_size "$png") == "${size}x${size}" ]] || fail "$png is $(png_size "$png")"
done
for key in Name 'Name[zh_CN]' Comment 'Comment[zh_CN]'; do
  [[ -n $(entry_key "$entry" "$key") ]] || fail "the menu entry has no $key"
done
[[ $(entry_key "$entry" Categories) == *Network\;* ]] || fail "the menu entry is not in Network"

# --- The unpacked program from another working directory: a writable install gets the skin
# library beside the program, a read-only one is left as it is and the program starts anyway.
copy="$root/usr/bin/SkinH_EL.dll"
start_briefly "$elsewhere" "$root/usr/bin/$command"
cmp -s "$copy" "$root/$library" || fail "the program did not place its skin library beside itself"
grep -qxF "$copy" "$scratch/mapped" || fail "the program did not load $copy"
rm -f "$copy"

chmod -R a-w "$root"
if ((EUID != 0)); then
  start_briefly "$elsewhere" "$root/usr/bin/$command"
elif ((${#as_user[@]})); then
  start_briefly "$home" "${as_user[@]}" "$root/usr/bin/$command"
fi
[[ ! -e "$copy" ]] || fail "the program wrote into a read-only install"

# --- As root: the real install, both starts, and a purge that leaves nothing behind.
if ((EUID != 0)); then
  echo "check-package: $deb checked unpacked (the install with dpkg needs root)"
  exit 0
fi
if dpkg-query -W -f='${Status}' tieba-search 2>/dev/null | grep -q 'installed'; then
  echo "check-package: $deb checked unpacked; tieba-search is installed here already and left alone"
  exit 0
fi

# Paths of ours only: other packages may come and go meanwhile.
ours() {
  find /usr /etc /opt /var/lib -xdev \( -path /var/lib/dpkg -o -path /var/lib/apt \) -prune -o \
    -print 2>/dev/null | grep -iE 'tieba|skinh' | sort || true
}
ours >"$scratch/before"
[[ ! -e "$system_copy" ]] || fail "$system_copy exists before the install"
system_copy_ours=yes

installed=yes
dpkg -i "$deb" >/dev/null
dpkg -L tieba-search >"$scratch/files"

program=$(PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin command -v "$command") ||
  fail "Exec=$command is not on the PATH after the install"
[[ "$program" == /usr/bin/tieba-search ]] || fail "Exec=$command runs $program"
[[ -f "/usr/share/icons/hicolor/48x48/apps/$icon.png" ]] || fail "Icon=$icon is not installed"

if ((${#as_user[@]})); then
  start_briefly "$home" "${as_user[@]}" "$program"
  [[ ! -e "$system_copy" ]] || fail "an unprivileged start wrote $system_copy"
  grep -qxF "$library_dir/SkinH_EL.dll" "$scratch/mapped" ||
    fail "an unprivileged start did not load the packaged skin library"
fi
start_briefly "$elsewhere" "$program"
cmp -s "$system_copy" "$library_dir/SkinH_EL.dll" || fail "a start as root placed no $system_copy"

dpkg --purge tieba-search >/dev/null
installed=""
while read -r path; do
  [[ ! -f "$path" ]] || fail "$path is left after the purge"
done <"$scratch/files"
[[ ! -e "$system_copy" ]] || fail "$system_copy is left after the purge"
ours >"$scratch/after"
if ! diff "$scratch/before" "$scratch/after"; then
  fail "the purge left the paths above"
fi

echo "check-package: $deb installed, started, purged clean"
