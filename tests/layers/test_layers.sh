#!/usr/bin/env bash
# The layers' dependencies point one way: core -> sim -> render and audio -> platform.
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
forbid render "GLFW/|platform/|audio/|AL/" "GLFW, the sound layer or the platform layer"
# The sound layer sits beside the renderer: it reads the frame and draws nothing.
forbid audio "$gl|render/|platform/" "GL, GLFW, the renderer or the platform layer"
forbid sim "audio/|AL/|sndfile" "the sound layer or OpenAL"
forbid core "audio/|AL/|sndfile" "the sound layer or OpenAL"
# Every layer reports through the log stream it is given, never straight to the
# console; only main hands the console to the game.
hits=$(grep -rnE 'std::(cout|cerr|clog|printf)|[^a-z_]printf\(' src --include='*.h' --include='*.cpp' |
       grep -v snprintf | grep -v '^src/platform/main\.cpp:')
[ -n "$hits" ] && { printf 'a layer writes to the console instead of its log:\n%s\n' "$hits"; status=1; }
# Below the renderer no GL or GLFW value is named, not even in a comment-free
# number: no GL types or calls, no GLFW constants, no table of GLFW's key numbers.
code_only() {  # the lines of src/<folder>, comments stripped, as "file:line:text"
    grep -rnE '' "src/$1" --include='*.h' --include='*.cpp' | sed -E 's#//.*$##'
}
hits=$(code_only core; code_only sim) ; hits=$(printf '%s\n' "$hits" |
       grep -E '\bGL(uint|int|enum|float|sizei|boolean|bitfield|sizeiptr|FWwindow)\b|\bgl[A-Z][A-Za-z0-9]*\s*\(|\bGLFW_[A-Z_0-9]+|\bGL_[A-Z_0-9]+')
[ -n "$hits" ] && { printf 'the simulation names GL or GLFW types, calls or constants:\n%s\n' "$hits"; status=1; }
hits=$(code_only sim | grep -E '"(ESCAPE|SPACE|TAB|ENTER|LEFT_SHIFT|[A-Z]|F[0-9]+|KP_[0-9])"\s*,\s*[0-9]{2,3}\s*\}')
[ -n "$hits" ] && { printf 'the simulation holds a table of key numbers (the platform maps keys to codes):\n%s\n' "$hits"; status=1; }
hits=$(code_only sim | grep -E '\b(unsigned|uint32_t|GLuint|int)\s+[A-Za-z_]*([tT]exture|[tT]extureId|[tT]extureName)[A-Za-z_]*\s*[=;{,)]|[tT]extureId')
[ -n "$hits" ] && { printf 'the simulation stores a texture id (the renderer picks pictures by kind):\n%s\n' "$hits"; status=1; }
# The renderer's headers see only the frame value and the level's description of the simulation.
hits=$(grep -rnE '^\s*#\s*include\s*"sim/' src/render --include='*.h' |
       grep -vE '"sim/view/FrameView\.h"|"sim/level/LevelDescription\.h"')
[ -n "$hits" ] && { printf 'a render header includes a simulation header other than the frame value and the level description:\n%s\n' "$hits"; status=1; }
# Each layer's CMake target links only the layer below it.
grep -qE 'vaultrise_(render|platform)' src/sim/CMakeLists.txt && { echo "vaultrise_sim links a layer above it"; status=1; }
grep -qE 'vaultrise_(platform|audio)' src/render/CMakeLists.txt && { echo "vaultrise_render links the platform or sound layer"; status=1; }
grep -qE 'vaultrise_(render|platform)|EPOXY|GLFW' src/audio/CMakeLists.txt && { echo "vaultrise_audio links the renderer, the platform or GL"; status=1; }
grep -qiE 'openal|sndfile|vaultrise_audio' src/sim/CMakeLists.txt src/core/CMakeLists.txt && { echo "the simulation links the sound layer or OpenAL"; status=1; }
[ $status -eq 0 ] && echo "layers: core -> sim -> render and audio -> platform, no include points back"
exit $status
