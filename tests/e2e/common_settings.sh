# Small window, short warm-up, still pictures: fast end-to-end runs.
fast_settings() {
  local debug=${1:-false}
  write_settings <<INI
[general]
name = Vaultrise E2E
assetPath = assets
level = 9
loadTime = 10
animations = false
[debug]
debug = $debug
[window]
width = 320
height = 180
[elements]
plat_regularX = 8
plat_regularY = 1
plat_regularZ = 8
goalX = 6
goalY = 6
goalZ = 6
INI
}
