# Sources of src/level: simulation files go to VAULTRISE_SIM_SOURCES, GL files to VAULTRISE_GFX_SOURCES.
list(APPEND VAULTRISE_SIM_SOURCES
  src/level/Geometry.cpp
  src/level/Goal.cpp
  src/level/Level.cpp
  src/level/LevelFactory.cpp
  src/level/Platform.cpp
)
list(APPEND VAULTRISE_GFX_SOURCES
)
