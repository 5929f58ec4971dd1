# Sources of src/gameplay: simulation files go to VAULTRISE_SIM_SOURCES, GL files to VAULTRISE_GFX_SOURCES.
list(APPEND VAULTRISE_SIM_SOURCES
  src/gameplay/BoxRaycast.cpp
  src/gameplay/Character.cpp
  src/gameplay/Confetti.cpp
  src/gameplay/ConfettiBurst.cpp
  src/gameplay/GameManager.cpp
  src/gameplay/Interactable.cpp
  src/gameplay/PhysicsWorld.cpp
  src/gameplay/PowerUp.cpp
  src/gameplay/TriggerTracker.cpp
  src/gameplay/VoidHandler.cpp
)
list(APPEND VAULTRISE_GFX_SOURCES
)
