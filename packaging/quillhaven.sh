#!/bin/sh
# The game finds its data folder beside its executable, so the executable and
# its data live together under lib/quillhaven; this launcher on the PATH
# starts it from wherever the package was unpacked.
here=$(dirname "$(readlink -f "$0")")
exec "$here/../lib/quillhaven/quillhaven" "$@"
