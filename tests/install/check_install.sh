#!/usr/bin/env bash
# Checks the staged install tree, one check per call:
#   check_install.sh files|desktop_entry|mime_type|metainfo|installed_tool|
#                    installed_program|manual_pages|completion
# The build passes where things are through the environment (ROOT, PREFIX,
# BINDIR, DATADIR, MANDIR, APP_ID, VERSION, ...). Every problem found is
# reported, then the exit status is 1; a check whose tool is missing exits
# with 77, which CTest shows as skipped.
set -uo pipefail

usr=$ROOT$PREFIX
bin=$usr/$BINDIR
share=$usr/$DATADIR
data=$share/lineara
desktop_file=$share/applications/$APP_ID.desktop
mime_file=$share/mime/packages/lineara.xml
metainfo_file=$share/metainfo/$APP_ID.metainfo.xml
completion_file=$share/bash-completion/completions/lineara-tool
sample=$data/examples/sample.ln3
tree_mime_type=application/x-lineara-tree

failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}
skip() {
    echo "SKIPPED: $*"
    exit 77
}
need() { command -v "$1" >/dev/null || skip "$1 is not installed (Debian package $2)"; }
finish() {
    if ((failures > 0)); then
        echo "$failures problem(s)" >&2
        exit 1
    fi
    echo "ok"
    exit 0
}

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

[[ -d $usr ]] || {
    echo "FAIL: nothing is installed in $usr" >&2
    exit 1
}

# The value of KEY in the [Desktop Entry] group of a desktop file.
desktop_value() {
    awk -v key="$2" '
        /^\[/ { group = $0; next }
        group == "[Desktop Entry]" && index($0, key "=") == 1 {
            print substr($0, length(key) + 2); exit
        }' "$1"
}

# Every blank, tab and line break run made one blank.
squeeze() { tr -s ' \t\n' '   '; }

# The synopses of `lineara-tool --help`, one a line, without the program name.
tool_synopses() { "$bin/lineara-tool" --help | sed -n 's/^  lineara-tool //p'; }

check_files() {
    local f
    for f in "$BINDIR/lineara" "$BINDIR/lineara-tool"; do
        [[ -f $usr/$f && -x $usr/$f ]] || fail "$f is not an installed program"
    done
    for f in "applications/$APP_ID.desktop" mime/packages/lineara.xml \
        "metainfo/$APP_ID.metainfo.xml" "icons/hicolor/scalable/apps/$APP_ID.svg" \
        bash-completion/completions/lineara-tool doc/lineara/copyright \
        lineara/examples/sample.ln3 lineara/help/index.html lineara/translations/lineara_en.qm; do
        [[ -f $share/$f ]] || fail "$DATADIR/$f is missing"
    done
    for f in lineara lineara-tool; do
        gzip -t "$usr/$MANDIR/man1/$f.1.gz" 2>/dev/null || fail "$MANDIR/man1/$f.1.gz is missing or broken"
    done

    # The installed program looks for its files from its own folder.
    [[ -f $bin/$DATA_FROM_BINDIR/help/index.html ]] ||
        fail "the help is not at $BINDIR/$DATA_FROM_BINDIR/help, where the installed program looks"
    [[ -f $bin/$DATA_FROM_BINDIR/translations/lineara_en.qm ]] ||
        fail "the English translation is not at $BINDIR/$DATA_FROM_BINDIR/translations, where the installed program looks"
    # A compiled translation, not an empty file: it starts with Qt's magic.
    [[ $(od -An -tx1 -N16 "$data/translations/lineara_en.qm" 2>/dev/null | tr -d ' \n') == 3cb86418caef9c95cd211cbf60a1bddd ]] ||
        fail "translations/lineara_en.qm is not a compiled translation"
    # Every help page and every file of the sample, as they are in the sources.
    diff -r "$SOURCE_DIR/help" "$data/help" >&2 || fail "the installed help differs from help/"
    diff -r "$SOURCE_DIR/examples" "$data/examples" >&2 ||
        fail "the installed sample differs from examples/"

    # Nothing installed may lead back into the build or the source folder.
    local leaks
    leaks=$(grep -rlI -e "$BUILD_DIR" -e "$SOURCE_DIR" "$share" 2>/dev/null)
    [[ -z $leaks ]] || fail "installed files name the build or source folder: $leaks"
    if command -v readelf >/dev/null; then
        for f in lineara lineara-tool; do
            readelf -d "$bin/$f" | grep -E 'R(UN)?PATH' | grep -q -e "$BUILD_DIR" -e "$SOURCE_DIR" &&
                fail "$f is linked with a library path into the build"
        done
    fi

    local copyright=$share/doc/lineara/copyright licence
    grep -qx 'Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/' \
        "$copyright" || fail "the copyright file is not in Debian's format"
    # Each licence a Files paragraph names has its text in a paragraph that
    # starts with it.
    for licence in $(awk -v RS= '/^Files:/' "$copyright" | sed -n 's/^License: //p' | sort -u); do
        awk -v RS= -v l="License: $licence" 'split($0, line, "\n") && line[1] == l { found = 1 }
            END { exit !found }' "$copyright" ||
            fail "the copyright file has no text for the licence $licence"
    done

    if [[ $PNG_ICONS != ON ]]; then
        finish_skip_png=1
    else
        local size png header width height
        for size in $ICON_SIZES; do
            png=$share/icons/hicolor/${size}x${size}/apps/$APP_ID.png
            if [[ ! -f $png ]]; then
                fail "the ${size} px icon is missing"
                continue
            fi
            # The PNG signature, then the IHDR chunk with the width and height.
            header=$(od -An -tx1 -N24 "$png" | tr -d ' \n')
            [[ ${header:0:16} == 89504e470d0a1a0a ]] || fail "$png is not a PNG"
            width=$((16#${header:32:8}))
            height=$((16#${header:40:8}))
            [[ $width == "$size" && $height == "$size" ]] ||
                fail "the ${size} px icon is ${width}x${height}"
        done
    fi
    if ((failures == 0)) && [[ -n ${finish_skip_png:-} ]]; then
        skip "rsvg-convert was not found when the build was configured, so there are no PNG icons (Debian package librsvg2-bin)"
    fi
    finish
}

check_desktop_entry() {
    need desktop-file-validate desktop-file-utils
    local report
    report=$(desktop-file-validate "$desktop_file" 2>&1) || fail "desktop-file-validate refuses it"
    [[ -z $report ]] || fail "desktop-file-validate: $report"

    # Exec starts the installed program by name, from the PATH, with the file.
    local exec program
    exec=$(desktop_value "$desktop_file" Exec)
    program=${exec%% *}
    [[ $program == lineara ]] || fail "Exec runs \"$program\", not the installed lineara"
    [[ -x $bin/$program ]] || fail "Exec names $program, which is not installed in $BINDIR"
    [[ " $exec " == *" %f "* || " $exec " == *" %F "* ]] || fail "Exec passes no file: $exec"

    local types
    types=$(desktop_value "$desktop_file" MimeType)
    [[ ";$types" == *";$tree_mime_type;"* ]] || fail "MimeType is \"$types\""
    local icon
    icon=$(desktop_value "$desktop_file" Icon)
    [[ -f $share/icons/hicolor/scalable/apps/$icon.svg ]] || fail "no icon installed for Icon=$icon"

    # What the package's trigger makes of it: tree files open with this entry.
    if command -v update-desktop-database >/dev/null; then
        cp -r "$share/applications" "$scratch/applications"
        update-desktop-database "$scratch/applications"
        grep -qx "$tree_mime_type=$APP_ID.desktop;" "$scratch/applications/mimeinfo.cache" ||
            fail "the desktop database does not open $tree_mime_type with $APP_ID.desktop"
    fi
    finish
}

check_mime_type() {
    need xmllint libxml2-utils
    xmllint --noout "$mime_file" || fail "the MIME package is not well-formed XML"
    local type glob comment
    type=$(xmllint --xpath "string(//*[local-name()='mime-type']/@type)" "$mime_file")
    glob=$(xmllint --xpath "string(//*[local-name()='glob']/@pattern)" "$mime_file")
    comment=$(xmllint --xpath "string(//*[local-name()='comment'])" "$mime_file")
    [[ $type == "$tree_mime_type" ]] || fail "the MIME type is \"$type\""
    [[ $glob == '*.ln3' ]] || fail "the glob is \"$glob\""
    [[ -n $comment ]] || fail "the MIME type has no comment"
    # The program registers the same type when it runs from the build folder.
    grep -q "kTreeMimeType\[\] = \"$tree_mime_type\"" \
        "$SOURCE_DIR/src/gui/platform/file_association.cpp" ||
        fail "the program's own MIME type is no longer $tree_mime_type"

    # What the package's trigger makes of it: *.ln3 files get the type.
    need update-mime-database shared-mime-info
    mkdir -p "$scratch/mime/packages"
    cp "$mime_file" "$scratch/mime/packages/"
    update-mime-database "$scratch/mime" || fail "update-mime-database refuses it"
    grep -q ":$tree_mime_type:\*\.ln3" "$scratch/mime/globs2" ||
        fail "update-mime-database did not give *.ln3 the type $tree_mime_type"
    finish
}

check_metainfo() {
    need appstreamcli appstream
    appstreamcli validate --no-net "$metainfo_file" >&2 || fail "appstreamcli validate refuses it"
    need xmllint libxml2-utils
    local -A expected=(
        [/component/id]=$APP_ID
        [/component/@type]=desktop-application
        [/component/launchable]=$APP_ID.desktop
        [/component/metadata_license]=CC0-1.0
        [/component/project_license]=GPL-3.0-or-later
        [/component/releases/release[1]/@version]=$VERSION
        [/component/releases/release[1]/@date]=$RELEASE_DATE
        [/component/provides/mediatype]=$tree_mime_type
        [/component/content_rating/@type]=oars-1.1
    )
    local path value
    for path in "${!expected[@]}"; do
        value=$(xmllint --xpath "string($path)" "$metainfo_file" 2>/dev/null)
        [[ $value == "${expected[$path]}" ]] || fail "$path is \"$value\", not \"${expected[$path]}\""
    done
    [[ -f $share/applications/$(xmllint --xpath 'string(/component/launchable)' "$metainfo_file") ]] ||
        fail "the launchable desktop entry is not installed"
    # The screenshot is a file of the repository, addressed on its main branch.
    local url
    url=$(xmllint --xpath 'string(/component/screenshots/screenshot[1]/image)' "$metainfo_file")
    [[ $url == */main/* && -f $SOURCE_DIR/${url#*/main/} ]] ||
        fail "the screenshot $url is not a file of the repository"
    [[ -n $(xmllint --xpath 'string(/component/description)' "$metainfo_file") ]] ||
        fail "there is no description"
    finish
}

check_installed_tool() {
    # From another folder, with an environment that knows nothing of the build.
    local out
    out=$(cd "$scratch" && env -i PATH=/usr/bin:/bin HOME="$scratch" \
        "$bin/lineara-tool" info "$sample" 2>&1) || fail "lineara-tool info failed: $out"
    [[ $out =~ ^records:\ [1-9][0-9]*$'\n'persons:\ [1-9][0-9]*$'\n'highest\ id:\ [0-9]+$ ]] ||
        fail "lineara-tool info printed: $out"
    # The sample's pictures and notes come along and are found from there.
    out=$(cd / && env -i PATH=/usr/bin:/bin HOME="$scratch" \
        "$bin/lineara-tool" qcheck "$sample" 2>&1)
    [[ $out == 0 ]] || fail "the installed sample misses files: $out"
    if command -v ldd >/dev/null; then
        ldd "$bin/lineara-tool" "$bin/lineara" | grep 'not found' >&2 &&
            fail "the installed programs miss libraries"
    fi
    finish
}

# Starts lineara offscreen with a home of its own until its settings file
# has the association keys, then ends it. Prints that home.
run_program_once() {
    local program=$1 home
    home=$(mktemp -d "$scratch/home.XXXXXX")
    env -i PATH=/usr/bin:/bin HOME="$home" QT_QPA_PLATFORM=offscreen \
        XDG_RUNTIME_DIR="$scratch" "$program" >/dev/null 2>&1 &
    local pid=$! i
    for ((i = 0; i < 300; i++)); do
        grep -qs lineara_file "$home/.config/lineara/registry.ini" && break
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.1
    done
    # The desktop files follow the keys at once, in the same step of the start.
    sleep 1
    kill "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
    echo "$home"
}

check_installed_program() {
    local home
    home=$(run_program_once "$bin/lineara")
    grep -qs 'lineara_file' "$home/.config/lineara/registry.ini" ||
        fail "the installed lineara did not start (no settings written)"
    [[ ! -e $home/.local/share/applications/lineara.desktop ]] ||
        fail "the installed lineara registered a desktop entry of its own"
    [[ ! -e $home/.local/share/mime/packages/lineara.xml ]] ||
        fail "the installed lineara registered a MIME type of its own"
    # Run from the build folder it still does, which is what makes this
    # check able to see the difference.
    home=$(run_program_once "$BUILD_DIR/src/lineara")
    [[ -e $home/.local/share/applications/lineara.desktop ]] ||
        fail "lineara run from the build folder no longer registers itself"
    finish
}

check_manual_pages() {
    need man man-db
    local page text warnings
    for page in lineara lineara-tool; do
        warnings=$(LC_ALL=C MANWIDTH=80 man --warnings -l "$usr/$MANDIR/man1/$page.1.gz" 2>&1 >/dev/null)
        [[ -z $warnings ]] || fail "$page(1) has roff warnings: $warnings"
        text=$(LC_ALL=C MANWIDTH=80 man -l "$usr/$MANDIR/man1/$page.1.gz" 2>/dev/null | col -b)
        grep -q "^NAME" <<<"$text" || fail "$page(1) does not render"
        grep -q "Lineara $VERSION" <<<"$text" || fail "$page(1) is not marked with version $VERSION"
    done

    # Every command's synopsis, as the tool prints it, is in the manual page
    # and in the README.
    local manual readme synopsis
    manual=$(LC_ALL=C MANWIDTH=200 man -l "$usr/$MANDIR/man1/lineara-tool.1.gz" 2>/dev/null | col -b | squeeze)
    readme=$(squeeze <"$SOURCE_DIR/README.md")
    while IFS= read -r synopsis; do
        synopsis=$(squeeze <<<"lineara-tool $synopsis")
        [[ $manual == *"$synopsis"* ]] || fail "lineara-tool(1) lacks: $synopsis"
        [[ $readme == *"$synopsis"* ]] || fail "README.md lacks: $synopsis"
    done < <(tool_synopses)
    finish
}

check_completion() {
    # The completion as bash loads it, tried on files in a folder of its own.
    cd "$scratch" || exit 1
    touch tree.ln3 other.ln3 picture.png family.ged old.ln2 older.ln notes.txt 'with blank.ln3'
    mkdir folder

    # The words typed after "lineara-tool" (the last one being completed),
    # then what is offered, a blank in a name shown as "_".
    local cases=(
        "|$(tool_synopses | cut -d' ' -f1) --help"
        "info |folder other.ln3 tree.ln3 with_blank.ln3"
        "render tree.ln3 |folder picture.png"
        "render tree.ln3 --size 800x600 |folder picture.png"
        "render tree.ln3 out.png --colour-code |gender none notes picture"
        "render tree.ln3 out.png --c|--colour-code"
        "export-gedcom tree.ln3 |family.ged folder"
        "import-legacy |folder old.ln2 older.ln"
        "organize tree.ln3 4 |compact fractal"
        "create-ancestors tree.ln3 4 3 |compact fractal"
        "print tree.ln3 out.pdf --pages 2 --por|--portrait"
        "list-persons tree.ln3 |folder notes.txt"
        "make-sample |folder"
        "standardize-date |"
        "no-such-command |"
    )
    local entry typed expected got
    for entry in "${cases[@]}"; do
        typed=${entry%%|*}
        expected=$(tr ' ' '\n' <<<"${entry#*|}" | sed '/^$/d' | LC_ALL=C sort | paste -sd' ')
        got=$(bash -c '
            source "$1"
            read -ra COMP_WORDS <<<"lineara-tool $2"
            [[ $2 == *" " || -z $2 ]] && COMP_WORDS+=("")
            COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
            _lineara_tool
            printf "%s\n" "${COMPREPLY[@]}" | tr " " _ | sed "/^$/d" | LC_ALL=C sort | paste -sd" "
        ' - "$completion_file" "$typed")
        [[ $got == "$expected" ]] ||
            fail "completing \"lineara-tool $typed\" offers \"$got\", not \"$expected\""
    done
    finish
}

case "${1:-}" in
    files | desktop_entry | mime_type | metainfo | installed_tool | installed_program | \
        manual_pages | completion)
        "check_$1"
        ;;
    *)
        echo "usage: check_install.sh CHECK" >&2
        exit 2
        ;;
esac
