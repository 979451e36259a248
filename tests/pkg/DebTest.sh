#!/usr/bin/env bash
# Checks a built Debian package with dpkg-deb: its dependencies and owners, the site's settings
# file is a conffile and the program finds it through its link, the binaries carry the
# hardening flags, and postinst tells about dialout once. Exits 77 (skipped) when no package is given; under ctest the
# package comes from DROMEL_DEB (scripts/package runs this on the packages it built).
#
# Usage: DebTest.sh [PACKAGE.deb]
set -euo pipefail
deb=${1:-${DROMEL_DEB:-}}
if [ -z "$deb" ]; then
    echo "no package given (DROMEL_DEB): skipped"
    exit 77
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() {
    echo "FAILED: $*" >&2
    failures=$((failures + 1))
}

dpkg-deb -e "$deb" "$work/control"
conffiles=$(cat "$work/control/conffiles" 2>/dev/null || true)
echo "conffiles: $conffiles"
grep -qx /etc/dromelpgm/setting.ini <<<"$conffiles" || fail "setting.ini is not a conffile"

depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
for dep in libc6 libstdc++6 libqt6core6 libqt6gui6 libqt6widgets6 fonts-liberation \
    fonts-wqy-microhei; do
    [[ ", $depends," == *", $dep"[\ ,]* ]] || fail "Depends lacks $dep"
done

dpkg-deb -c "$deb" >"$work/contents"
strangers=$(awk '$2 != "root/root" { print $2, $6 }' "$work/contents")
[ -z "$strangers" ] || fail "entries not owned by root: $strangers"
grep -qE ' \./usr/lib/dromelpgm/setting\.ini -> /etc/dromelpgm/setting\.ini$' "$work/contents" ||
    fail "the program folder has no link to /etc/dromelpgm/setting.ini"
grep -qE '^-rw-r--r-- .* \./etc/dromelpgm/setting\.ini$' "$work/contents" ||
    fail "/etc/dromelpgm/setting.ini is not a plain file"
grep -qE ' \./usr/share/doc/dromelpgm/examples/70-dromelpgm-cable\.rules$' "$work/contents" ||
    fail "the example udev rules are missing"
if grep -qE ' \./(usr/)?lib/udev/rules\.d/' "$work/contents"; then
    fail "udev rules are installed active"
fi

# Full RELRO with BIND_NOW, a position-independent executable, the stack protector and
# the fortified functions.
dpkg-deb -x "$deb" "$work/root"
for program in DromelPgm dpmtool dpmtool-print radiosim; do
    binary=$work/root/usr/lib/dromelpgm/$program
    dynamic=$(readelf -d "$binary")
    grep -q 'BIND_NOW' <<<"$dynamic" || fail "$program lacks BIND_NOW"
    readelf -lW "$binary" | grep -q GNU_RELRO || fail "$program lacks RELRO"
    readelf -hW "$binary" | grep -q 'DYN (' || fail "$program is not position-independent"
    symbols=$(readelf --dyn-syms -W "$binary")
    grep -q '__stack_chk_fail' <<<"$symbols" || fail "$program lacks the stack protector"
    grep -qE '__[a-z]+_chk@' <<<"$symbols" || fail "$program lacks fortified functions"
done

# The dialout note: on the first installation, not on an upgrade.
grep -q 'usermod -aG dialout' "$work/control/postinst" || fail "postinst does not mention dialout"
first=$(sh "$work/control/postinst" configure "")
again=$(sh "$work/control/postinst" configure 0.9)
[[ $first == *dialout* ]] || fail "the first installation does not tell about dialout"
[ -z "$again" ] || fail "an upgrade repeats the dialout message"

if [ "$failures" -ne 0 ]; then
    echo "$failures check(s) failed" >&2
    exit 1
fi
echo "package check passed: $(basename "$deb")"
