# Sourced by the scripts that take one of our two engines from the npm registry.
#
#   npm_pinned_tarball NAME PACKAGE VERSION SHA256   prints the path of the checked tarball
#
# The tarball is fetched once into ${XDG_CACHE_HOME:-~/.cache}/voxmere; one that does not match
# its pinned checksum is removed, so the next run fetches it again, and the script exits 1.

voxmere_cache="${XDG_CACHE_HOME:-$HOME/.cache}/voxmere"

npm_pinned_tarball() {
    local name=$1 package=$2 version=$3 sha256=$4
    local tarball="$voxmere_cache/$package-$version.tgz"
    mkdir -p "$voxmere_cache"
    if [ ! -f "$tarball" ]; then
        (cd "$voxmere_cache" && npm pack --silent "$package@$version" >/dev/null)
    fi
    if ! echo "$sha256  $tarball" | sha256sum --check --quiet -; then
        echo "$name: $tarball does not match its pinned checksum" >&2
        rm -f "$tarball"
        exit 1
    fi
    echo "$tarball"
}
