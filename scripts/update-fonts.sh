#!/usr/bin/env bash
# Refreshes data/fonts from Debian's font packages. The fonts are kept in git
# (so a build never depends on where a package puts its files); run this only to
# change or update them. Each font gets its licence file in data/fonts/licenses.
set -euo pipefail
cd "$(dirname "$0")/.."

# target name | Debian package | file in the package | licence texts to append
FONTS=(
    "bluehigh.ttf|fonts-open-sans|/usr/share/fonts/truetype/open-sans/OpenSans-Regular.ttf|Apache-2.0"
    "augie___.ttf|fonts-dkg-handwriting|/usr/share/fonts/truetype/fifthhorseman/dkg.ttf|GPL-3"
    "vollkorn.ttf|fonts-vollkorn|/usr/share/fonts/truetype/vollkorn/Vollkorn-Regular.ttf|"
    "dejavusans.ttf|fonts-dejavu-core|/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf|"
    "klaudia.ttf|fonts-klaudia-berenika|/usr/share/fonts/truetype/klaudia-berenika/Klaudia.ttf|"
    "rufscript.ttf|fonts-rufscript|/usr/share/fonts/truetype/rufscript/Rufscript010.ttf|GPL-3"
)

packages=()
for entry in "${FONTS[@]}"; do
    IFS='|' read -r _ pkg _ _ <<<"$entry"
    dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed" || packages+=("$pkg")
done
if [ ${#packages[@]} -gt 0 ]; then
    SUDO=""
    if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
    $SUDO apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${packages[@]}"
fi

mkdir -p data/fonts/licenses
for entry in "${FONTS[@]}"; do
    IFS='|' read -r name pkg file extra <<<"$entry"
    cp "$file" "data/fonts/$name"
    licence="data/fonts/licenses/${name%.ttf}.txt"
    {
        echo "data/fonts/$name is $(basename "$file") from the Debian package $pkg"
        echo "($(dpkg-query -W -f='${Version}' "$pkg")), copied unchanged under a new file name."
        echo
        cat "/usr/share/doc/$pkg/copyright"
        for text in $extra; do
            echo
            echo "---- /usr/share/common-licenses/$text ----"
            cat "/usr/share/common-licenses/$text"
        done
    } >"$licence"
done
echo "Fonts copied to data/fonts."
