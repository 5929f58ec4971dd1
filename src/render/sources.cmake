# Sources of src/render: simulation files go to VAULTRISE_SIM_SOURCES, GL files to VAULTRISE_GFX_SOURCES.
list(APPEND VAULTRISE_SIM_SOURCES
  src/render/ParticleSeed.cpp
)
list(APPEND VAULTRISE_GFX_SOURCES
  src/render/Shader.cpp
  src/render/Bloom.cpp
  src/render/GeometryGpu.cpp
  src/render/TextureLoader.cpp
  src/render/Mesh.cpp
  src/render/Model.cpp
)
