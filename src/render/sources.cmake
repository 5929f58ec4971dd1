# Sources of src/render: simulation files go to VAULTRISE_SIM_SOURCES, GL files to VAULTRISE_GFX_SOURCES.
list(APPEND VAULTRISE_SIM_SOURCES
  src/render/ParticleSeed.cpp
  src/render/Frustum.cpp
  src/render/HudState.cpp
  src/render/TextLayout.cpp
  src/render/FrameSequenceLayout.cpp
  src/render/AnimationClock.cpp
  src/render/FrameSequences.cpp
  src/render/FlagPlacement.cpp
)
list(APPEND VAULTRISE_GFX_SOURCES
  src/render/Shader.cpp
  src/render/HUD.cpp
  src/render/ParticleSystem.cpp
  src/render/ParticleBursts.cpp
  src/render/WavingFlag.cpp
  src/render/Bloom.cpp
  src/render/GeometryGpu.cpp
  src/render/TextureLoader.cpp
  src/render/Mesh.cpp
  src/render/Model.cpp
  src/render/SceneRenderer.cpp
)
