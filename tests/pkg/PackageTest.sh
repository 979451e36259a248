#!/usr/bin/env bash
# Installs this build folder (without rebuilding) into a temporary root as the package lays
# it out, lists it and uses it from there as a user would: dpmtool through its link in
# usr/bin, the program started offscreen with its folder read-only, the desktop files through
# their validators, the file type through the MIME database, the manual pages through man and
# the completion through bash.
#
# Usage: PackageTest.sh files|settings BUILD_DIR PROGRAM_DRIVER MIMECHECK
#   files     the installed files and the command-line tool
#   settings  the program's settings with its folder read-only: written to the user's file,
#             the shipped file untouched, read back at the next start
set -euo pipefail
mode=$1 build=$2 driver=$3 mimecheck=$4
app_id=org.dromelpgm.DromelPgm

work=$(mktemp -d)
trap 'chmod -R u+w "$work" 2>/dev/null; rm -rf "$work"' EXIT
chmod 755 "$work"
failures=0
fail() {
    echo "FAILED: $*" >&2
    failures=$((failures + 1))
}
section() { echo "--- $*"; }

# The program is run by a user who cannot write its folder: an unprivileged account when the
# test runs as root (root writes everywhere), else the user running the test.
as_user=()
if [ "$(id -u)" -eq 0 ]; then
    as_user=(setpriv --reuid=65534 --regid=65534 --clear-groups --)
fi
user_dir() { # a folder of the user's own
    mkdir -p "$1"
    [ "$(id -u)" -eq 0 ] && chown 65534:65534 "$1"
    return 0
}

# run_user COMMAND...: runs as the user, with a clean environment and the home folder $home.
run_user() {
    "${as_user[@]}" env -i PATH=/usr/bin:/bin HOME="$home" XDG_CONFIG_HOME="$home/.config" \
        XDG_RUNTIME_DIR="$work/runtime" LANG=C.UTF-8 QT_QPA_PLATFORM=offscreen \
        ASAN_OPTIONS="${ASAN_OPTIONS:-}" UBSAN_OPTIONS="${UBSAN_OPTIONS:-}" "$@"
}
listing() { (cd "$folder" && ls -la --time-style=+%s .); }
# lang_key FILE SECTION KEY: a value of a language file.
lang_key() {
    awk -F= -v section="[$2]" -v key="$3" '
        { sub(/\r$/, "") }
        /^\[/ { in_section = ($0 == section); next }
        in_section && $1 == key { sub(/^[^=]*=/, ""); print; exit }' "$1"
}

# start_program REPORT [COMMAND_IDS [FILE]]: one offscreen run that ends by itself.
start_program() {
    rm -f "$1"
    run_user timeout 120 env LD_PRELOAD="$work/driver.so" DROMEL_DRIVE_REPORT="$1" \
        DROMEL_DRIVE_PRESS="${2:-}" "$root/usr/bin/DromelPgm" ${3:+"$3"} ||
        fail "the program did not end by itself (status $?)"
    cat "$1" 2>/dev/null || fail "the program wrote no report"
}

# The build folder installed into a temporary root under the prefix /usr, as the package
# installs it (the package itself is checked by DebTest.sh).
install_tree() {
    section "install (cmake --install, DESTDIR)"
    root=$work/root
    if ! DESTDIR=$root cmake --install "$build" --prefix /usr >"$work/install.log" 2>&1; then
        cat "$work/install.log" >&2
        echo "FAILED: cmake --install" >&2
        exit 1
    fi
    folder=$root/usr/lib/dromelpgm
}

# The installed files: type, mode and "path" or "path -> target" per entry.
check_files() {
    section "files"
    (cd "$root" && find . -mindepth 1 -printf '%y %m %p -> %l\n' | sort -k3) >"$work/contents"
    cat "$work/contents"
    awk '{ p = $3; if ($1 == "l") p = p " -> " $5; print p }' "$work/contents" >"$work/paths"
    expected=(
        ./usr/lib/dromelpgm/DromelPgm ./usr/lib/dromelpgm/dpmtool ./usr/lib/dromelpgm/radiosim
        ./usr/lib/dromelpgm/dpmtool-print ./usr/lib/dromelpgm/lang_en.lng ./usr/lib/dromelpgm/lang_cn.lng
        "./usr/bin/DromelPgm -> ../lib/dromelpgm/DromelPgm"
        "./usr/bin/dpmtool -> ../lib/dromelpgm/dpmtool"
        "./usr/bin/radiosim -> ../lib/dromelpgm/radiosim"
        ./usr/share/applications/$app_id.desktop
        ./usr/share/metainfo/$app_id.metainfo.xml
        ./usr/share/mime/packages/$app_id.xml
        ./usr/share/icons/hicolor/scalable/apps/$app_id.svg
        ./usr/share/man/man1/DromelPgm.1.gz ./usr/share/man/man1/dpmtool.1.gz
        ./usr/share/man/man1/radiosim.1.gz
        ./usr/share/bash-completion/completions/dpmtool
        ./usr/share/doc/dromelpgm/examples/70-dromelpgm-cable.rules
        ./usr/share/dromelpgm/help/lang_en/index.html ./usr/share/dromelpgm/help/lang_cn/index.html
        ./usr/share/dromelpgm/help/lang_en/style.css
    )
    for size in 16 32 48 64 128 256; do
        expected+=("./usr/share/icons/hicolor/${size}x${size}/apps/$app_id.png")
    done
    # Whatever help files the build made travel with the program.
    for qch in "$build"/bin/*.qch; do
        [ -e "$qch" ] && expected+=("./usr/lib/dromelpgm/$(basename "$qch")")
    done
    for path in "${expected[@]}"; do
        grep -qxF -- "$path" "$work/paths" || fail "the installation lacks $path"
    done
    for program in DromelPgm dpmtool dpmtool-print radiosim; do
        grep -qxF "f 755 ./usr/lib/dromelpgm/$program -> " "$work/contents" ||
            fail "$program is not installed as an executable"
    done
    if grep -qE '^d [0-9]+ \./usr/lib/dromelpgm/' "$work/contents"; then
        fail "the program folder has subfolders"
    fi
    if grep -qE ' \./(usr/)?lib/udev/rules\.d/' "$work/contents"; then
        fail "udev rules are installed active"
    fi
    # The site's settings: a file outside the program folder, found through a link beside the
    # program that stays inside the installed tree.
    local settings
    settings=$(readlink -f "$folder/setting.ini")
    [ -L "$folder/setting.ini" ] || fail "setting.ini in the program folder is not a link"
    [[ $settings == "$root"/*/dromelpgm/setting.ini && $settings != "$folder"/* ]] ||
        fail "the settings link points to $settings"
    [ -f "$settings" ] || fail "the settings link leads to no file"
}

# Icons, desktop entry, AppStream data, file type, manual pages, completion.
check_desktop_files() {
    for png in "$root"/usr/share/icons/hicolor/*x*/apps/$app_id.png; do
        size=$(basename "$(dirname "$(dirname "$png")")")
        file -b "$png" | grep -q "PNG image data, ${size/x/ x }," || fail "$png is not a $size PNG"
    done

    section "desktop files"
    desktop-file-validate "$root/usr/share/applications/$app_id.desktop" ||
        fail "desktop-file-validate"
    grep -qx 'Exec=DromelPgm %f' "$root/usr/share/applications/$app_id.desktop" ||
        fail "the desktop entry does not pass the file to the program"
    appstreamcli validate --no-net "$root/usr/share/metainfo/$app_id.metainfo.xml" ||
        fail "appstreamcli validate"
    xmllint --noout "$root/usr/share/mime/packages/$app_id.xml" || fail "xmllint on the MIME type"

    section "file type"
    XDG_DATA_DIRS="$root/usr/share:/usr/share" update-mime-database "$root/usr/share/mime" ||
        fail "update-mime-database"
    samples=$work/samples
    user_dir "$samples"
    "${as_user[@]}" "$root/usr/bin/dpmtool" new "$samples/radio.dpm" || fail "dpmtool new for the samples"
    # dpmtool print hands the drawing to dpmtool-print in the program's folder.
    "${as_user[@]}" "$root/usr/bin/dpmtool" print "$samples/radio.dpm" "$samples/radio.pdf" ||
        fail "dpmtool print through the link in bin/"
    [ "$(head -c 5 "$samples/radio.pdf")" = "%PDF-" ] || fail "dpmtool print wrote no PDF"
    cp "$samples/radio.dpm" "$samples/radio-without-extension"
    head -c 1072 /dev/zero >"$samples/zeros.bin"
    types=$(XDG_DATA_DIRS="$root/usr/share:/usr/share" XDG_DATA_HOME="$work/no-data-home" \
        "$mimecheck" "$samples/radio.dpm" "$samples/radio-without-extension" "$samples/zeros.bin" |
        paste -sd ' ')
    echo "types: $types"
    [ "$types" = "application/x-dromelpgm-data application/x-dromelpgm-data application/octet-stream" ] ||
        fail "the file type is not found by name and by signature: $types"

    section "manual pages and completion"
    for page in DromelPgm dpmtool radiosim; do
        warnings=$(MANWIDTH=80 man --warnings -l "$root/usr/share/man/man1/$page.1.gz" 2>&1 >/dev/null)
        [ -z "$warnings" ] || fail "man $page: $warnings"
        MANWIDTH=80 man -l "$root/usr/share/man/man1/$page.1.gz" 2>/dev/null | grep -q "^NAME" ||
            fail "man $page shows no page"
    done
    # Every command and option dpmtool lists in its help is completed and in its manual page.
    local help commands
    help=$("$root/usr/bin/dpmtool" --help)
    commands=$(sed -nE 's/^  ([a-z]+) .*/\1/p' <<<"$help")
    local queries=("dpmtool " "dpmtool s" "dpmtool set a.dpm ch16.b" "dpmtool set a.dpm ch1.band="
        "dpmtool set a.dpm sq" "dpmtool read a.dpm --port ")
    for command in $commands; do
        queries+=("dpmtool $command a.dpm --")
    done
    completions=$(printf '%s\n' "${queries[@]}" | bash -c '
        source /usr/share/bash-completion/bash_completion
        source "$1"
        while IFS= read -r line; do
            COMP_LINE=$line COMP_POINT=${#line}
            read -ra COMP_WORDS <<<"$line"
            [[ $line == *" " ]] && COMP_WORDS+=("")
            COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
            COMPREPLY=()
            # (compopt complains outside a real completion; what it sets is not looked at here)
            _dpmtool dpmtool "${COMP_WORDS[COMP_CWORD]}" "${COMP_WORDS[COMP_CWORD - 1]}" 2>/dev/null
            echo "$line => ${COMPREPLY[*]}"
        done
    ' completion "$root/usr/share/bash-completion/completions/dpmtool" 2>&1)
    echo "$completions"
    for want in "dpmtool s => set show" \
        "dpmtool set a.dpm ch16.b => ch16.band=" \
        "dpmtool set a.dpm ch1.band= => wide narrow" \
        "dpmtool set a.dpm sq => squelch=" \
        "dpmtool read a.dpm --port  => 1 2 3 4 5 6 7 8"; do
        grep -qxF -- "$want" <<<"$completions" || fail "completion: expected $want"
    done
    local page option offered
    page=$(zcat "$root/usr/share/man/man1/dpmtool.1.gz")
    for command in $commands; do
        grep -qE "^dpmtool  => .*\b$command\b" <<<"$completions" || fail "completion lacks $command"
        grep -qx ".B dpmtool $command" <<<"$page" || fail "the manual page lacks $command"
        offered=$(grep -F "dpmtool $command a.dpm -- => " <<<"$completions")
        for option in $(grep -E "^  $command " <<<"$help" | grep -oE -- '--[a-z-]+'); do
            [[ " ${offered#*=> } " == *" $option "* ]] || fail "completion of $command lacks $option"
            grep -qF -- "\\-\\-${option#--}" <<<"$page" || fail "the manual page lacks $option"
        done
    done
}

# The program folder read-only; a user with a home of its own.
prepare_user() {
    section "programs from the installed tree, program folder and site settings read-only"
    chmod -R a-w "$folder" "$(dirname "$(readlink -f "$folder/setting.ini")")"
    home=$work/home
    user_dir "$home"
    user_dir "$work/runtime"
    chmod 700 "$work/runtime"
    if run_user test -w "$folder"; then
        fail "the test could not make the program folder read-only for the user"
    fi
    shipped_sum=$(sha256sum <"$folder/setting.ini")
    shipped_listing=$(listing)
}

# dpmtool through its link in usr/bin finds its files in usr/lib/dromelpgm.
check_dpmtool() {
    data=$work/data
    user_dir "$data"
    run_user "$root/usr/bin/dpmtool" new "$data/mine.dpm" || fail "dpmtool new"
    [ "$(stat -c %s "$data/mine.dpm" 2>/dev/null)" = 1072 ] || fail "dpmtool new wrote no 1072-byte file"
    run_user "$root/usr/bin/dpmtool" set "$data/mine.dpm" ch1.rx=446.00625 ch1.rxtone=67.0 \
        ch1.band=narrow squelch=5 || fail "dpmtool set"
    show=$(run_user "$root/usr/bin/dpmtool" show "$data/mine.dpm") || fail "dpmtool show"
    echo "$show" | head -20
    grep -qE '^1 +446\.00625 +67\.0' <<<"$show" || fail "dpmtool show lacks channel 1 as set"
    grep -qE '^squelch +5' <<<"$show" || fail "dpmtool show lacks squelch 5"
}

# The program started offscreen by two users: one who wrote settings of their own by hand,
# and a new one who switches the language in the program; dpmtool after each.
check_user_settings() {
    local chinese_menu chinese_column user_ini fresh_home=$home
    chinese_menu=$(lang_key "$folder/lang_cn.lng" String MENU_FILE)
    chinese_column=$(lang_key "$folder/lang_cn.lng" Face IDS_COL1)
    cp "$driver" "$work/driver.so"
    chmod 755 "$work/driver.so"
    user_dir "$work/reports"

    # The user's own keys come before the shipped ones.
    home=$work/edited-home
    user_dir "$home"
    run_user mkdir -p "$home/.config/DromelPgm"
    printf '[setup]\r\nlanguage=lang_cn\r\ncom=3\r\n' |
        run_user tee "$home/.config/DromelPgm/setting.ini" >/dev/null
    start_program "$work/reports/edited"
    grep -q "^menus=$chinese_menu|" "$work/reports/edited" ||
        fail "the program does not take the language from the user's settings"
    grep -qxF "port=COM3" "$work/reports/edited" ||
        fail "the program does not take the port from the user's settings"
    run_user "$root/usr/bin/dpmtool" show "$data/mine.dpm" | grep -qF -- "$chinese_column" ||
        fail "dpmtool does not take the language from the user's settings"

    # A new user: English by the locale, then the toolbar's next-language button switches to
    # Chinese and stores the choice in the user's file, created for it; the file given on the
    # command line goes to the list of recent files. The new folders are the user's alone.
    home=$fresh_home
    start_program "$work/reports/first" 32778 "$data/mine.dpm"
    local folder_mode
    while IFS= read -r folder_mode; do
        [[ $folder_mode == 700\ * ]] || fail "a new settings folder is not private: $folder_mode"
    done < <(find "$home/.config" -type d -printf '%m %p\n')
    [ "$(find "$home/.config" -type f -name '*.conf' | wc -l)" -eq 1 ] ||
        fail "the list of recent files was not stored"
    grep -qxF "port=COM1" "$work/reports/first" || fail "the first start does not show COM1"
    grep -q "^menus=$chinese_menu|" "$work/reports/first" ||
        fail "the next-language button did not switch the menus to Chinese"
    user_ini=$home/.config/DromelPgm/setting.ini
    if [ -f "$user_ini" ]; then
        tr -d '\r' <"$user_ini" | grep -qx 'language=lang_cn' ||
            fail "the user's settings lack language=lang_cn"
    else
        fail "the language was not written to $user_ini"
    fi
    [ "$(sha256sum <"$folder/setting.ini")" = "$shipped_sum" ] || fail "the shipped setting.ini changed"
    [ "$(listing)" = "$shipped_listing" ] || fail "the program folder changed"

    # The second start reads the user's language back, and so does dpmtool.
    start_program "$work/reports/second"
    grep -q "^menus=$chinese_menu|" "$work/reports/second" ||
        fail "the second start does not read the user's language back"
    run_user "$root/usr/bin/dpmtool" show "$data/mine.dpm" | grep -qF -- "$chinese_column" ||
        fail "dpmtool does not follow the user's language"
    [ "$(sha256sum <"$folder/setting.ini")" = "$shipped_sum" ] || fail "the shipped setting.ini changed"
}

install_tree
case $mode in
    files)
        check_files
        check_desktop_files
        prepare_user
        check_dpmtool
        ;;
    settings)
        prepare_user
        check_dpmtool
        check_user_settings
        ;;
    *)
        echo "usage: PackageTest.sh files|settings BUILD_DIR PROGRAM_DRIVER MIMECHECK" >&2
        exit 1
        ;;
esac

if [ "$failures" -ne 0 ]; then
    echo "$failures check(s) failed" >&2
    exit 1
fi
echo "package test ($mode) passed"
