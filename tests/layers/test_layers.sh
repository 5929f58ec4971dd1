#!/usr/bin/env bash
# The layers' dependencies point one way: core -> sim -> render -> platform.
# Fails, naming the line, when a file includes a header from a layer above its own
# or a window-system or GL header that its layer must not see.
set -u
cd "$(dirname "$0")/../.."
status=0
forbid() {  # forbid <folder> <extended regex of forbidden include targets> <why>
    local hits
    hits=$(grep -rnE "^\s*#\s*include\s*[<\"]($2)" "src/$1" 2>/dev/null)
    if [ -n "$hits" ]; then
        printf 'src/%s must not include %s:\n%s\n' "$1" "$3" "$hits"
        status=1
    fi
}
gl='epoxy/|GLFW/|GL/|glad/|KHR/'
forbid core "$gl|sim/|render/|platform/|bt[A-Za-z]*\.h|BulletCollision/|BulletDynamics/|LinearMath/" \
    "GL, GLFW, Bullet or any other layer"
forbid sim "$gl|render/|platform/|ft2build|freetype/|assimp/|stb/|stb_" "GL, GLFW, FreeType, Assimp, stb or the renderer"
forbid render "GLFW/|platform/" "GLFW or the platform layer"
# The simulation reports through the log stream it is given, never straight to the console.
hits=$(grep -rnE 'std::(cout|cerr|printf)|[^a-z_]printf\(' src/core src/sim | grep -v snprintf)
[ -n "$hits" ] && { printf 'the simulation writes to the console instead of its log:\n%s\n' "$hits"; status=1; }
# Each layer's CMake target links only the layer below it.
grep -qE 'vaultrise_(render|platform)' src/sim/CMakeLists.txt && { echo "vaultrise_sim links a layer above it"; status=1; }
grep -qE 'vaultrise_platform' src/render/CMakeLists.txt && { echo "vaultrise_render links the platform layer"; status=1; }
[ $status -eq 0 ] && echo "layers: core -> sim -> render -> platform, no include points back"
exit $status
