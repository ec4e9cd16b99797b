# Shared by the install checks: failure reporting and the expected layout.

failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}
finish() {
    if ((failures > 0)); then
        echo "$failures check(s) failed" >&2
        exit 1
    fi
    echo "all checks passed"
}

app_id=io.github.zentavo.Zentavo
icon_sizes=(16 22 24 32 48 64 128 256)

# The value of KEY in the [Desktop Entry] group of a desktop file.
desktop_value() {
    awk -F= -v key="$2" '
        /^\[/ { in_entry = ($0 == "[Desktop Entry]") }
        in_entry && $1 == key { sub(/^[^=]*=/, ""); print; exit }' "$1"
}

# Checks an installed tree under PREFIX_ROOT (e.g. scratch/usr): program,
# launcher, metainfo and icons, and runs both validators.
check_installed_files() {
    local usr=$1
    local desktop=$usr/share/applications/$app_id.desktop
    local metainfo=$usr/share/metainfo/$app_id.metainfo.xml

    [[ -x $usr/bin/zentavo ]] || fail "no program at $usr/bin/zentavo"
    [[ -x $usr/bin/zentavo-sheets ]] || fail "no program at $usr/bin/zentavo-sheets"
    [[ -f $desktop ]] || { fail "no launcher $desktop"; return; }
    [[ -f $metainfo ]] || { fail "no metainfo $metainfo"; return; }
    [[ -f $usr/share/doc/zentavo/copyright ]] || fail "no licence in share/doc/zentavo"

    desktop-file-validate "$desktop" || fail "desktop-file-validate rejects $desktop"
    appstreamcli validate --no-net "$metainfo" || fail "appstreamcli validate rejects $metainfo"

    [[ $(desktop_value "$desktop" Name) == Zentavo ]] || fail "launcher Name is not Zentavo"
    [[ -n $(desktop_value "$desktop" 'Name[ja]') ]] || fail "launcher has no Japanese name"
    [[ $(desktop_value "$desktop" Categories) == *Education\;*Math\;* ]] ||
        fail "launcher is not in Education;Math"

    # The launcher starts an installed program and shows an installed icon.
    local exec icon
    exec=$(desktop_value "$desktop" Exec)
    [[ -x $usr/bin/${exec%% *} ]] || fail "Exec=$exec is not an installed program"
    icon=$(desktop_value "$desktop" Icon)
    local theme=$usr/share/icons/hicolor
    [[ -f $theme/scalable/apps/$icon.svg ]] || fail "no scalable icon $icon.svg"
    local size
    for size in "${icon_sizes[@]}"; do
        local png=$theme/${size}x${size}/apps/$icon.png
        if [[ ! -f $png ]]; then
            fail "no ${size}x${size} icon"
        elif [[ $(identify -format '%wx%h' "$png") != "${size}x${size}" ]]; then
            fail "$png is $(identify -format '%wx%h' "$png"), not ${size}x${size}"
        fi
    done

    # The metainfo names this launcher and shows a screenshot.
    grep -q "<launchable type=\"desktop-id\">$app_id.desktop</launchable>" "$metainfo" ||
        fail "metainfo does not launch $app_id.desktop"
    grep -q '<screenshot' "$metainfo" || fail "metainfo has no screenshot"
    grep -q '<content_rating' "$metainfo" || fail "metainfo has no content rating"
}
